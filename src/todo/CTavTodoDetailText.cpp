#include "CTavTodoDetailText.h"

#include "TodoListRow.h"

// STUB: the detail text comes with the dialogs' author.
QString CTavTodoDetailText::Build(const TodoListRow*, bool)
{
    return {};
}

QString CTavTodoDetailText::Escape(const QString& text)
{
    return text;
}

QString CTavTodoDetailText::FormatDate(TavTime)
{
    return {};
}
