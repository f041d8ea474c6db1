#pragma once

#include <QHash>

#include "CTavListView.h"

class CTavTodoDoc;
class QPushButton;

// The To Do outline: the move and level buttons above a fixed column header and one row per
// listed task (completion box, priority, the title indented by its level after the fold mark
// of a parent, due date, category and the private, note and memo-sheet marks). Private tasks
// of a masked list are drawn as a patterned bar and take no cell clicks.
class CTavTodoLeftView final : public CTavListView
{
    Q_OBJECT
public:
    enum Kind
    {
        KindNone = 31,
        KindCompletion = 32,
        KindPriority = 33,
        KindTitle = 20,
        KindDue = 21,
        KindCategory = 22,
        KindPrivate = 23,
        KindNote = 24,
        KindSheet = 25
    };
    static constexpr int kButtonBarHeight = 32;
    static constexpr int kIndent = 16;
    static constexpr int kFoldMark = 14;

    explicit CTavTodoLeftView(CTavTodoDoc* document, QWidget* parent = nullptr);

    static QList<CTavListColumn> FixedColumns();
    int RowCount() const override;
    // The row the detail pane shows: the current row when selected, else the first selected.
    int ShownRow() const;
    // The kind of the column under a viewport point, -1 for none.
    int KindAt(const QPoint& viewportPos) const;
    // Where a row's fold mark is drawn, in viewport coordinates; empty without sub-items.
    QRect FoldMarkRect(int row) const;
    // The cell of a row and column kind, in viewport coordinates.
    QRect CellRect(int row, int kind) const;
    // The bar of buttons 1171-1174, for the pane to put above the list.
    QWidget* ButtonBar() const { return m_buttonBar; }
    // Buttons 1171-1174 by control id.
    QPushButton* Button(int controlId) const { return m_buttons.value(controlId); }

    // The tasks of the selected rows, top first; masked private tasks only withMasked.
    QList<uint32_t> SelectedIds(bool withMasked) const;
    // Selects the listed rows of these tasks (the first one current and in sight).
    void SelectIds(const QList<uint32_t>& ids);

signals:
    void completionClicked(int row);
    void foldClicked(int row);
    // A left click on the priority, due-date or category cell of a row.
    void cellClicked(int row, int kind, const QPoint& globalPos);

protected:
    void DrawCell(CTavListPainter& painter, int row, const CTavListColumn& column, const QRect& cell,
                  bool selected) override;
    bool IsRowMasked(int row) const override;
    void DrawHeaderCell(QPainter& painter, const CTavListColumn& column, const QRect& cell) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Whether a press at pos on row toggles something (completion box or fold mark).
    bool isToggleSpot(int row, const QPoint& pos) const;

    CTavTodoDoc* m_doc;
    QWidget* m_buttonBar;
    QHash<int, QPushButton*> m_buttons;
};
