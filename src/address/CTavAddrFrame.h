#pragma once

#include <QHash>

#include "CTavModuleFrame.h"

class CTavAddrCommands;
class CTavAddrDoc;
class CTavAddrFileCommands;
class CTavAddrLeftView;
class CTavAddrRightView;
class QComboBox;
class QLineEdit;
class QPushButton;

// The address book's window: category and order selectors above, the card list with its index
// tabs and the selected card's fields, and the new, edit, delete buttons, the search box and
// the detail toggle below.
class CTavAddrFrame final : public CTavModuleFrame
{
    Q_OBJECT
public:
    explicit CTavAddrFrame(CTavAddrDoc* document, QWidget* parent = nullptr);

    CTavAddrDoc* AddrDoc() const { return m_doc; }
    CTavAddrLeftView* LeftView() const { return m_left; }
    CTavAddrRightView* RightView() const { return m_right; }
    QComboBox* CategoryBox() const { return m_category; }
    QComboBox* SortBox() const { return m_sort; }
    QLineEdit* SearchBox() const { return m_search; }
    CTavAddrCommands& Commands() const { return *m_commands; }
    CTavAddrFileCommands& FileCommands() const { return *m_files; }
    // Presses an index tab as the user would.
    void PressTab(int tab);

    void Update(int hint) override;
    void FillMenu(MenuKind menu, QMenu* target) override;
    void UpdateCommandUI() override;
    bool ShowRecord(uint32_t uniqueId) override;
    QString HelpPage() const override { return QStringLiteral("address.html"); }

private:
    void createBars();
    void onRowsRebuilt();
    void onSelectionChanged();
    void refillCategoryBox();
    void onCategoryChosen(int index);

    CTavAddrDoc* m_doc;
    CTavAddrLeftView* m_left;
    CTavAddrRightView* m_right;
    QComboBox* m_category = nullptr;
    QComboBox* m_sort = nullptr;
    QLineEdit* m_search = nullptr;
    CTavAddrCommands* m_commands;
    CTavAddrFileCommands* m_files;
    QHash<int, QPushButton*> m_buttons;
};
