#pragma once

#include "CTavModuleFrame.h"

class CTavMemoCommands;
class CTavMemoDoc;
class CTavMemoFileCommands;
class CTavMemoLeftView;
class CTavMemoRightView;
class QComboBox;

// The memo pad's window: category and order selectors above, the memo list and the memo's
// text, and the new, edit, delete and detail buttons below. It takes dropped text files as
// new memos.
class CTavMemoFrame final : public CTavModuleFrame
{
    Q_OBJECT
public:
    explicit CTavMemoFrame(CTavMemoDoc* document, QWidget* parent = nullptr);

    CTavMemoDoc* MemoDoc() const { return m_doc; }
    CTavMemoLeftView* LeftView() const { return m_left; }
    CTavMemoRightView* RightView() const { return m_right; }
    QComboBox* CategoryBox() const { return m_category; }
    QComboBox* SortBox() const { return m_sort; }
    CTavMemoCommands& Commands() const { return *m_commands; }
    CTavMemoFileCommands& FileCommands() const { return *m_files; }

    void Update(int hint) override;
    void FillMenu(MenuKind menu, QMenu* target) override;
    void UpdateCommandUI() override;
    bool ShowRecord(uint32_t uniqueId) override;
    QString HelpPage() const override { return QStringLiteral("memo.html"); }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createBars();
    void onEntriesRebuilt();
    void onSelectionChanged();
    void refillCategoryBox();
    void onCategoryChosen(int index);

    CTavMemoDoc* m_doc;
    CTavMemoLeftView* m_left;
    CTavMemoRightView* m_right;
    QComboBox* m_category = nullptr;
    QComboBox* m_sort = nullptr;
    CTavMemoCommands* m_commands;
    CTavMemoFileCommands* m_files;
};
