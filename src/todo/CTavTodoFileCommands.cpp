#include "CTavTodoFileCommands.h"

#include "CTavDbEnv.h"
#include "CTavDbTodo.h"
#include "CTavTodoDoc.h"
#include "CTavTodoFrame.h"

// STUB: the file commands come with the dialogs' author.
CTavTodoFileCommands::CTavTodoFileCommands(CTavTodoFrame& frame)
    : QObject(&frame), m_frame(frame), m_switch(frame, frame.TodoDoc()->Store(), {}, [this] { refresh(); })
{
}

void CTavTodoFileCommands::OnImport() {} // STUB
void CTavTodoFileCommands::OnExport() {} // STUB

void CTavTodoFileCommands::refresh()
{
    m_frame.TodoDoc()->Refresh();
}
