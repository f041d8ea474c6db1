#include "CTavTodoDoc.h"

#include "CTavApp.h"
#include "CTavDbTodo.h"

CTavTodoDoc::CTavTodoDoc(CTavApp& app, QObject* parent)
    : CTavModuleDoc(app, QStringLiteral("To Do リスト"), parent)
{
}

void CTavTodoDoc::ApplyStoreOrder()
{
    App().TodoStore().SetSortCond(CTavDbSortCond(4));
}
