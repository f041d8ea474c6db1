#include "CTavModuleDoc.h"

#include <QUndoStack>

#include "CTavStoreCommand.h"

CTavModuleDoc::CTavModuleDoc(CTavApp& app, const QString& title, QObject* parent)
    : QObject(parent), m_app(app), m_title(title), m_undo(new QUndoStack(this))
{
    m_undo->setUndoLimit(kUndoLimit);
}

void CTavModuleDoc::ShareUndoStack(QUndoStack& stack)
{
    if (m_undo->parent() == this)
        delete m_undo;
    m_undo = &stack;
}

void CTavModuleDoc::Reload()
{
    ApplyStoreOrder();
    UpdateAllViews(0);
}

void CTavModuleDoc::UpdateAllViews(int hint)
{
    emit viewsUpdated(hint);
}

TavStatus CTavModuleDoc::RunEdit(CTavDbStoreBase& store, const QString& text,
                                 const std::function<TavStatus()>& edit, const QList<uint32_t>& editedInPlace)
{
    return CTavStoreCommand::Run(
        *m_undo, store, text, edit, [this] { RefreshAfterUndo(); }, editedInPlace);
}
