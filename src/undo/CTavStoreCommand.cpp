#include "CTavStoreCommand.h"

#include <QUndoStack>
#include <QtGlobal>

#include "CTavDbStoreBase.h"

CTavStoreCommand::CTavStoreCommand(CTavDbStoreBase& store, CTavDbEdit edit, const QString& text,
                                   Refresh refresh)
    : QUndoCommand(text), m_store(store), m_edit(std::move(edit)), m_refresh(std::move(refresh))
{
}

void CTavStoreCommand::undo()
{
    apply(CTavDbEdit::Before);
}

void CTavStoreCommand::redo()
{
    if (m_pending) {
        m_pending = false;
        return;
    }
    apply(CTavDbEdit::After);
}

void CTavStoreCommand::apply(CTavDbEdit::Side side)
{
    m_status = m_store.ApplyStates(m_edit, side);
    if (m_status != TavStatusCode::Ok)
        setObsolete(true);
    // Not from inside the stack's own undo or redo, which still holds this command.
    if (m_status == TavStatusCode::Conflict && m_stack)
        QMetaObject::invokeMethod(m_stack.data(), &QUndoStack::clear, Qt::QueuedConnection);
    if (m_refresh)
        m_refresh();
}

TavStatus CTavStoreCommand::Run(QUndoStack& stack, CTavDbStoreBase& store, const QString& text,
                                const Edit& edit, Refresh refresh, const QList<uint32_t>& editedInPlace)
{
    if (!store.BeginEdit(editedInPlace))
        return edit(); // inside another edit: that one records this too
    const TavStatus status = edit();
    CTavDbEdit done = store.EndEdit();
    if (!done.IsComplete()) {
        qWarning("Undo: %s changed a record it did not name first; the undo history is cleared",
                 qUtf8Printable(text));
        stack.clear();
        return status;
    }
    if (status != TavStatusCode::Ok) {
        if (!done.IsEmpty())
            store.ApplyStates(done, CTavDbEdit::Before);
        return status;
    }
    if (!done.IsEmpty()) {
        auto* command = new CTavStoreCommand(store, std::move(done), text, std::move(refresh));
        command->m_stack = &stack;
        stack.push(command);
    }
    return status;
}
