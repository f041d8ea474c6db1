#pragma once

#include <QPointer>
#include <QString>
#include <QUndoCommand>
#include <QUndoStack>
#include <functional>

#include "CTavDbEdit.h"
#include "TavStatus.h"

class CTavDbStoreBase;

// One user edit of a store on its document's undo stack, named in the user's words
// ("予定の移動", "メモの削除"). Undo puts back the records and categories as they were before,
// redo as the edit left them; the first redo, when the command is pushed, finds the edit done.
class CTavStoreCommand : public QUndoCommand
{
public:
    // Called after every undo and redo, so the document can refresh its views.
    using Refresh = std::function<void()>;
    using Edit = std::function<TavStatus()>;

    CTavStoreCommand(CTavDbStoreBase& store, CTavDbEdit edit, const QString& text, Refresh refresh = {});

    void undo() override;
    void redo() override;
    // The outcome of the last undo or redo (Conflict after the store took in another writer's
    // changes or was loaded again: the command then turns obsolete and the stack it was run on
    // is cleared, as none of its steps fit the store any more).
    TavStatus LastStatus() const { return m_status; }

    // Runs edit as one step: pushed onto the stack when it succeeds and changed something. A
    // failed edit is rolled back, so it changes nothing. Stored records the edit changes in place
    // are named in editedInPlace (or touched by the edit first); should the store still see a
    // change it could not record, the stack is cleared, as its steps no longer fit the records.
    static TavStatus Run(QUndoStack& stack, CTavDbStoreBase& store, const QString& text, const Edit& edit,
                         Refresh refresh = {}, const QList<uint32_t>& editedInPlace = {});

private:
    void apply(CTavDbEdit::Side side);

    CTavDbStoreBase& m_store;
    CTavDbEdit m_edit;
    Refresh m_refresh;
    TavStatus m_status = TavStatusCode::Ok;
    QPointer<QUndoStack> m_stack;
    bool m_pending = true; // the edit is done already when pushed
};
