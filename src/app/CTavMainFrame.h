#pragma once

#include <QMainWindow>

class CTavApp;
class CTavFrameActions;
class CTavHotSyncCoordinator;
class CTavModuleFrame;
class CTavSearchPane;
class CTavUserListWatcher;
class CTavUserSwitcher;
class QComboBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QTimer;
class QToolBar;
class QUndoGroup;

// The program's one top-level window: tool bar, user bar, status bar and the module windows.
// It switches modules, owns the private-record mode, carries the commands that act on all
// modules, keeps still while a HotSync runs, and stores its placement when it closes.
class CTavMainFrame final : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kMinWidth = 700;
    static constexpr int kMinHeight = 575;
    static constexpr int kUserBoxWidth = 150;
    // How long the status bar tells that a save went through.
    static constexpr int kSavedStatusMs = 3000;

    explicit CTavMainFrame(CTavApp& app);
    ~CTavMainFrame() override;

    CTavApp& App() const { return m_app; }
    QMdiArea* MdiArea() const { return m_mdi; }
    QToolBar* ToolBar() const { return m_toolBar; }
    QToolBar* UserBar() const { return m_userBar; }
    QComboBox* UserComboBox() const { return m_userBox; }
    QLabel* DatePane() const { return m_datePane; }
    // The status bar's message pane ("レディ", or what a HotSync is doing).
    QLabel* StatusPane() const { return m_statusPane; }
    CTavFrameActions& Actions() const { return *m_actions; }
    CTavHotSyncCoordinator& HotSync() const { return *m_hotSync; }
    CTavUserSwitcher& UserSwitcher() const { return *m_users; }
    // The search across all modules: its box on the search bar (Ctrl+F) and its results.
    QLineEdit* SearchBox() const { return m_searchBox; }
    CTavSearchPane* SearchPane() const { return m_searchPane; }
    // The undo stacks of the module documents; the active one is the active window's.
    QUndoGroup& UndoGroup() const { return *m_undoGroup; }

    void AddModuleFrame(CTavModuleFrame* frame);
    void ActivateModuleFrame(CTavModuleFrame* frame);
    CTavModuleFrame* ActiveModuleFrame() const;

    void RefreshAll();
    // What closing keeps: every store (not while a HotSync owns the files), the current user
    // and the window's placement; false when a store could not be written (already said).
    bool SaveOnExit();
    void SetPrivateMode(int mode);
    void OnSaveAll();
    void OnOptions();
    void OnDataMigration();
    void OnInstallTool();
    // Re-reads the user list. A current user deleted elsewhere gives way to a user without a
    // password, else is made again, empty; a message says so later. True when the current
    // user changed (its data are not loaded yet).
    bool EnsureCurrentUserListed();
    // The user list changed on disk: as above, and the data of a new current user are loaded.
    void OnUsersFileChanged();
    // Empties the user box, fills it with the sorted user names and "edit users", and selects
    // the current user.
    void FillUserBox();
    // The competing desktop program started: warn until it ends.
    void OnDesktopConflict();
    bool DesktopWarningRunning() const { return m_desktopWarning; }
    // Enabled and checked states of every command, before a menu shows and after each change.
    void UpdateCommandUI();
    void UpdateDatePane();

    // Names sorted the way the user box lists them.
    static QStringList SortedUserNames(QStringList names);
    // Where a stored placement (right and bottom exclusive) puts the window, or a null rect to
    // keep the created placement.
    static QRect PlacementFromStored(int left, int top, int right, int bottom, const QRect& workArea);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateBars();
    void CreateSearch();
    void RestorePlacement();
    void SavePlacement();
    // A window the MDI area brought forward by itself (Ctrl+Tab): a module switch, or back.
    void OnSubWindowActivated(CTavModuleFrame* frame);

    CTavApp& m_app;
    QMdiArea* m_mdi;
    QUndoGroup* m_undoGroup;
    QToolBar* m_toolBar = nullptr;
    QToolBar* m_userBar = nullptr;
    QComboBox* m_userBox = nullptr;
    QLabel* m_datePane = nullptr;
    QToolBar* m_searchBar = nullptr;
    QLineEdit* m_searchBox = nullptr;
    CTavSearchPane* m_searchPane = nullptr;
    QLabel* m_statusPane = nullptr;
    QTimer* m_dateTimer = nullptr;
    CTavFrameActions* m_actions;
    CTavHotSyncCoordinator* m_hotSync;
    CTavUserSwitcher* m_users;
    CTavUserListWatcher* m_userListWatcher = nullptr;
    bool m_desktopWarning = false;
    CTavModuleFrame* m_shownFrame = nullptr; // the frame ActivateModuleFrame put in front
};
