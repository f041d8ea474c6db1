#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "TavStatus.h"

class CTavApp;
class CTavDbStoreBase;
class QUndoStack;

// A module's view state over the stores of the application (filter, sort, selection). It has
// no file of its own. Its first view is the left pane, which gets the focus on a switch. Its
// undo stack holds the edits made through its windows.
class CTavModuleDoc : public QObject
{
    Q_OBJECT
public:
    static constexpr int kUndoLimit = 100;

    CTavModuleDoc(CTavApp& app, const QString& title, QObject* parent = nullptr);

    CTavApp& App() const { return m_app; }
    QString Title() const { return m_title; }
    QWidget* FirstView() const { return m_firstView; }
    void SetFirstView(QWidget* view) { m_firstView = view; }
    QUndoStack& UndoStack() const { return *m_undo; }

    // Re-reads the module's preferences and the store's order and rebuilds what it shows.
    virtual void Reload();
    // Gives the module's store the order this document shows.
    virtual void ApplyStoreOrder() {}
    // Data migration: takes over what the module keeps outside the record stores from another
    // user's folder. What failed, one per line; empty when all went well.
    virtual QString MigrateFrom(const QString& /*sourceUserPath*/) { return QString(); }
    // Tells every view to redraw from the document (hint as the frame's Update).
    void UpdateAllViews(int hint);
    // Runs edit on store as one step of the undo stack named text; its undo and redo refresh
    // the views. editedInPlace as CTavStoreCommand::Run.
    TavStatus RunEdit(CTavDbStoreBase& store, const QString& text, const std::function<TavStatus()>& edit,
                      const QList<uint32_t>& editedInPlace = {});

protected:
    // Takes another's undo stack in place of its own: documents over one store share one.
    void ShareUndoStack(QUndoStack& stack);
    // After an undo or redo: what the views show is rebuilt from the store.
    virtual void RefreshAfterUndo() { Reload(); }

signals:
    void viewsUpdated(int hint);

private:
    CTavApp& m_app;
    QString m_title;
    QPointer<QWidget> m_firstView;
    QUndoStack* m_undo;
};
