#pragma once

#include <QAbstractScrollArea>

#include "CTavListPainter.h"
#include "CTavListSelection.h"

// The base of every module list pane: a column header over fixed-height rows drawn with the
// list painter, only the rows in sight, with the list's selection, keys, mouse, scrolling and
// column resizing. A module derives from it, says how many rows it has and draws its cells.
class CTavListView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    static constexpr int kHeaderHeight = 25;
    static constexpr int kResizeGrip = 3;

    explicit CTavListView(QWidget* parent = nullptr);

    CTavListPainter& Painter() { return m_painter; }
    const CTavListColumnTable& Columns() const { return m_painter.Columns(); }
    void SetColumns(const CTavListColumnTable& columns);
    CTavListSelection& Selection() { return m_selection; }
    const CTavListSelection& Selection() const { return m_selection; }

    virtual int RowCount() const = 0;
    // Rebuilds after the rows changed (a derived list calls it whenever its rows change): the
    // selection is cleared and the view goes to the top unless keepScroll.
    void ResetRows(bool keepScroll = false);
    int RowHeight() const { return m_rowHeight; }
    void SetRowHeight(int height);
    int TopRow() const;
    void SetTopRow(int row);
    // Rows that fit the pane whole.
    int PageRowCount() const;
    void ScrollToRow(int row);
    // The row under a point of the viewport, -1 for the header or no row.
    int RowAtPoint(const QPoint& viewportPos) const;
    // The shown column under a viewport x, -1 for none.
    int ColumnAtX(int viewportX) const;

    // Selection changes made by code; they signal as gestures do.
    void SelectRow(int row);
    // The first row given becomes the current one and the others join it; rows below 0 are
    // left out.
    void SelectRows(const QList<int>& rows);
    void SelectAllRows();
    void ClearRowSelection();

signals:
    void selectionChanged();
    // A double click, or Enter with one row selected.
    void rowActivated(int row);
    void deleteRequested();
    void contextMenuRequested(const QPoint& globalPos, int row);
    void headerClicked(int column);
    // The user dragged a column edge; the table already holds the new width.
    void columnResized(int column);

protected:
    virtual void DrawCell(CTavListPainter& painter, int row, const CTavListColumn& column, const QRect& cell,
                          bool selected) = 0;
    // Private rows shown masked are drawn as a patterned bar without cells.
    virtual bool IsRowMasked(int /*row*/) const { return false; }
    virtual void DrawHeaderCell(QPainter& painter, const CTavListColumn& column, const QRect& cell);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void updateScrollBars();
    void paintHeader(QPainter& painter);
    void paintRow(QPainter& painter, int pageRow, int row);
    int resizeHandleAt(int viewportX) const;
    void afterSelectionGesture();

    CTavListPainter m_painter;
    CTavListSelection m_selection;
    int m_rowHeight = 20;
    int m_resizing = -1;
    int m_resizeStartX = 0;
    int m_resizeStartWidth = 0;
};
