#pragma once

#include <QHash>

#include "CTavModuleFrame.h"

class CTavTodoCommands;
class CTavTodoDoc;
class CTavTodoFileCommands;
class CTavTodoLeftView;
class CTavTodoRightView;
class QComboBox;
class QPushButton;

// The To Do window: category and priority filters and the three date-state buttons above,
// the outline and the selected task's detail, and the new, edit, delete buttons and the detail
// toggle below.
class CTavTodoFrame final : public CTavModuleFrame
{
    Q_OBJECT
public:
    explicit CTavTodoFrame(CTavTodoDoc* document, QWidget* parent = nullptr);

    CTavTodoDoc* TodoDoc() const { return m_doc; }
    CTavTodoLeftView* LeftView() const { return m_left; }
    CTavTodoRightView* RightView() const { return m_right; }
    QComboBox* CategoryBox() const { return m_category; }
    QComboBox* PriorityBox() const { return m_priority; }
    // Buttons 1151-1153 by CTavDbTodo::DateState.
    QPushButton* StateButton(int state) const { return m_stateButtons[state]; }
    CTavTodoCommands& Commands() const { return *m_commands; }
    CTavTodoFileCommands& FileCommands() const { return *m_files; }

    // A state button pressed: on turns off unless the other two are off (then the next state
    // comes on instead); off turns on.
    void PressStateButton(int state);
    void ChoosePriority(int index);

    void Update(int hint) override;
    void FillMenu(MenuKind menu, QMenu* target) override;
    void UpdateCommandUI() override;
    bool ShowRecord(uint32_t uniqueId) override;
    QString HelpPage() const override { return QStringLiteral("todo.html"); }

private:
    void createBars();
    // The state flags and the priority filter of the profile, handed to the store.
    void readFilters();
    void showFilters();
    void onRowsRebuilt();
    void onSelectionChanged();
    void unfoldAbove(uint32_t uniqueId);

    CTavTodoDoc* m_doc;
    CTavTodoLeftView* m_left;
    CTavTodoRightView* m_right;
    CTavTodoCommands* m_commands;
    CTavTodoFileCommands* m_files;
    QComboBox* m_category = nullptr;
    QComboBox* m_priority = nullptr;
    QPushButton* m_stateButtons[3] = {};
    QHash<int, QPushButton*> m_buttons;
};
