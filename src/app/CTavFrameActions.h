#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class CTavMainFrame;
class CTavModuleFrame;
class QAction;
class QMenu;
class QToolBar;
class QToolButton;

// The main frame's commands as actions by command id, the menus built from them for the
// active module window, the tool bar, and the update handler that sets their states.
class CTavFrameActions final : public QObject
{
    Q_OBJECT
public:
    explicit CTavFrameActions(CTavMainFrame& frame);

    QAction* Action(int id) const { return m_actions.value(id); }
    // Runs a command by id, as a menu entry or button would.
    void Trigger(int id);
    void FillToolBar(QToolBar* bar);
    void BuildMenuBar(CTavModuleFrame* active);
    void UpdateCommandUI();
    // Texts and states of undo and redo from the active document's stack.
    void UpdateUndoActions();
    // Asks the HotSync manager whether its commands are available.
    void UpdateHotSyncAvailability();
    QToolButton* PrivateButton() const { return m_privateButton; }
    QMenu* PrivateMenu() const { return m_privateMenu; }
    // The menu of the menu bar with this title (without the mnemonic), if any.
    QMenu* Menu(const QString& title) const;

private:
    // Undo and redo wait while a dialog, a HotSync or a backup file holds the records.
    bool UndoAllowed() const;
    QAction* Add(int id, const QString& text, std::function<void()> handler);

    CTavMainFrame& m_frame;
    QHash<int, QAction*> m_actions;
    QToolButton* m_privateButton = nullptr;
    QMenu* m_privateMenu = nullptr;
    QList<QPointer<QMenu>> m_menus;
};
