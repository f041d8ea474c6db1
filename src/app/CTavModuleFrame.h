#pragma once

#include <QHash>
#include <QMdiSubWindow>
#include <functional>
#include <initializer_list>

class CTavDbStoreBase;
class CTavModuleBar;
class CTavModuleDoc;
class CTavModuleSplitter;
class QAction;
class QComboBox;
class QMenu;
class QPushButton;

// The window of one module inside the main frame: the launcher bar on the left, a top and a
// bottom bar around the panes, a right bar, and the panes themselves (a left and a right view
// in a splitter, or one view). It always fills the main frame's MDI area.
class CTavModuleFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    static constexpr int kTopBarHeight = 30;
    static constexpr int kBottomBarHeight = 38;
    static constexpr int kDetailToggleId = 1022;

    struct Description
    {
        int slot = 0;
        int module = 0;        // the TavModule number that activates this window
        int launcherIndex = 0; // CTavModuleBar::Index of its own button
        QString title;
        bool keepsRightWidth = false;
        bool hasDetailToggle = false;
    };
    enum MenuKind
    {
        FileMenu,
        EditMenu,
        ToolsMenu
    };

    CTavModuleFrame(CTavModuleDoc* document, const Description& description, QWidget* parent = nullptr);

    CTavModuleDoc* Document() const { return m_document; }
    const Description& GetDescription() const { return m_description; }
    CTavModuleBar* ModuleBar() const { return m_moduleBar; }
    QWidget* TopBar() const { return m_topBar; }
    QWidget* BottomBar() const { return m_bottomBar; }
    QWidget* RightBar() const { return m_rightBar; }
    CTavModuleSplitter* Splitter() const { return m_splitter; }
    QWidget* LeftPane() const { return m_left; }
    QWidget* RightPane() const { return m_right; }

    // Pane creation: a left and a right view, split by the initial widths once the frame knows
    // the MDI area (LayOutPanes).
    void CreatePanes(QWidget* left, QWidget* right);
    // Pane creation for a window of one view.
    void SetSingleView(QWidget* view);
    // The first split for an MDI area of this width. Done by itself the first time the window
    // shows, when the main window has its size.
    void LayOutPanes(int mdiWidth);

    // 0 refresh from the stores; 2 the backup file was closed, reload.
    virtual void Update(int hint);
    // Entries the module adds to the main frame's menus while its window is active.
    virtual void FillMenu(MenuKind menu, QMenu* target);
    // Sets enabled and checked states of the module's own commands.
    virtual void UpdateCommandUI() {}
    // The help page F1 opens while this window is active (a file of the help folder); empty
    // for the first page.
    virtual QString HelpPage() const { return QString(); }
    // Selects the record of that unique id, opening up the filters that hide it; false when the
    // window has no such record. Search results open their records through it.
    virtual bool ShowRecord(uint32_t /*uniqueId*/) { return false; }
    // The same for the modules whose entries are files (memo sheets, reference sheets).
    virtual bool ShowFile(const QString& /*path*/) { return false; }

    // The module's commands by id.
    QAction* Action(int id) const { return m_actions.value(id); }
    // Runs a command as its menu entry would, when it is enabled.
    void Trigger(int id);
    // The title while a backup file is open; empty for the normal caption.
    void SetDocumentTitle(const QString& title);

    bool IsDetailShown() const { return m_detailShown; }
    void ToggleDetail();
    QPushButton* DetailToggle() const { return m_detailToggle; }

signals:
    // The launcher bar asked for a module switch.
    void commandRequested(int command);

protected:
    struct Command
    {
        int id;
        const char16_t* text;
        std::function<void()> run;
        bool listCommand; // its shortcut works while this window has the focus
    };
    // Makes the module's command actions; after each one runs the command states are updated.
    void AddCommands(std::initializer_list<Command> commands);

    struct CommandButton
    {
        int controlId;
        const char16_t* text;
        const char* name;
        int command;
    };
    // Push buttons at the start of the bottom bar that run commands, by command id.
    QHash<int, QPushButton*> AddCommandButtons(std::initializer_list<CommandButton> buttons);

    struct Selectors
    {
        QComboBox* category;
        QComboBox* sort;
    };
    // The labelled category and order boxes at the start of the top bar.
    Selectors AddSelectors(int categoryControlId, int sortControlId, const QStringList& orders);
    // Lists the store's categories after "all" (rebuilt only when they changed) and selects the
    // one of filter; allId is the filter that shows every category.
    static void FillCategoryBox(QComboBox* box, const CTavDbStoreBase& store, uint32_t filter,
                                uint32_t allId);
    // The filter that the box's entry at index stands for.
    static uint32_t ChosenCategory(const QComboBox* box, int index, const CTavDbStoreBase& store,
                                   uint32_t allId);

    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SplitWhenLaidOut();

    CTavModuleDoc* m_document;
    Description m_description;
    CTavModuleBar* m_moduleBar;
    QWidget* m_topBar;
    QWidget* m_bottomBar;
    QWidget* m_rightBar;
    QWidget* m_centre;
    CTavModuleSplitter* m_splitter = nullptr;
    QWidget* m_left = nullptr;
    QWidget* m_right = nullptr;
    QPushButton* m_detailToggle = nullptr;
    bool m_detailShown = true;
    bool m_split = false;
    QHash<int, QAction*> m_actions;
};
