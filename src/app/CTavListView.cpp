#include "CTavListView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

CTavListView::CTavListView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setMouseTracking(true);
    CTavListGeometry& g = m_painter.Geometry();
    g.headerHeight = kHeaderHeight;
    g.spacing = 0;
    g.leftMargin = 0;
    m_rowHeight = std::max(18, m_painter.TextHeight() + 6);
}

void CTavListView::SetColumns(const CTavListColumnTable& columns)
{
    m_painter.Columns() = columns;
    updateScrollBars();
    viewport()->update();
}

void CTavListView::SetRowHeight(int height)
{
    m_rowHeight = std::max(1, height);
    updateScrollBars();
    viewport()->update();
}

void CTavListView::ResetRows(bool keepScroll)
{
    const int top = TopRow();
    m_selection.Reset(RowCount());
    updateScrollBars();
    SetTopRow(keepScroll ? top : 0);
    viewport()->update();
}

int CTavListView::TopRow() const
{
    return verticalScrollBar()->value();
}

void CTavListView::SetTopRow(int row)
{
    verticalScrollBar()->setValue(row);
}

int CTavListView::PageRowCount() const
{
    const int paneHeight = viewport()->height() - kHeaderHeight;
    return std::max(1, paneHeight / m_rowHeight);
}

void CTavListView::ScrollToRow(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    const int top = TopRow();
    if (row < top)
        SetTopRow(row);
    else if (row >= top + PageRowCount())
        SetTopRow(row - PageRowCount() + 1);
}

int CTavListView::RowAtPoint(const QPoint& pos) const
{
    CTavListGeometry g = m_painter.Geometry();
    g.rowHeight = m_rowHeight;
    const int pageRow = g.RowAt(pos.y());
    if (pageRow < 0)
        return -1;
    const int row = TopRow() + pageRow;
    return row < RowCount() ? row : -1;
}

int CTavListView::ColumnAtX(int viewportX) const
{
    const CTavListGeometry& g = m_painter.Geometry();
    return Columns().ColumnAt(viewportX + horizontalScrollBar()->value(), g.leftMargin, g.spacing);
}

void CTavListView::updateScrollBars()
{
    const int rows = RowCount();
    const int page = PageRowCount();
    verticalScrollBar()->setRange(0, std::max(0, rows - page));
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(1);
    const CTavListGeometry& g = m_painter.Geometry();
    const int width = Columns().ShownWidth(g.leftMargin, g.spacing);
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(20);
}

void CTavListView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void CTavListView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void CTavListView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    const int offset = horizontalScrollBar()->value();
    CTavListGeometry& g = m_painter.Geometry();
    g.paneWidth = std::max(viewport()->width() + offset, Columns().ShownWidth(g.leftMargin, g.spacing));
    g.paneHeight = viewport()->height() - kHeaderHeight;
    painter.translate(-offset, 0);
    m_painter.Begin(&painter, m_rowHeight);
    const int top = TopRow();
    const int rows = RowCount();
    const int pageRows = g.VisibleRowCount() + 1; // the last one may show in part
    for (int pageRow = 0; pageRow < pageRows && top + pageRow < rows; ++pageRow)
        paintRow(painter, pageRow, top + pageRow);
    int x = g.leftMargin;
    for (const CTavListColumn& c : Columns().Columns()) {
        if (!c.shown)
            continue;
        x += c.width + g.spacing;
        m_painter.VerticalLine(x - 1);
    }
    if (hasFocus() && m_selection.Current() >= top && m_selection.Current() < top + pageRows)
        m_painter.FocusFrame(m_selection.Current() - top);
    paintHeader(painter);
    m_painter.End();
}

void CTavListView::paintRow(QPainter& painter, int pageRow, int row)
{
    const bool selected = m_selection.IsSelected(row);
    if (IsRowMasked(row)) {
        m_painter.PatternedRow(pageRow, selected);
        return;
    }
    const QRect rowRect = m_painter.Geometry().RowRect(pageRow);
    if (selected) {
        m_painter.HighlightRow(pageRow);
        m_painter.SetTextColor(0xFFFFFF);
    } else {
        if (row % 2 == 1) {
            const QBrush grey(CTavListPainter::ToQColor(m_painter.FourthColor()));
            m_painter.Fill(rowRect, &grey);
        }
        m_painter.SetTextColor(0x000000);
    }
    const CTavListGeometry& g = m_painter.Geometry();
    int x = g.leftMargin;
    for (const CTavListColumn& c : Columns().Columns()) {
        if (!c.shown)
            continue;
        const QRect cell(x, rowRect.top(), c.width, rowRect.height());
        painter.save();
        painter.setClipRect(cell);
        DrawCell(m_painter, row, c, cell, selected);
        painter.restore();
        x += c.width + g.spacing;
    }
    m_painter.SetTextColor(0x000000);
}

void CTavListView::paintHeader(QPainter& painter)
{
    const CTavListGeometry& g = m_painter.Geometry();
    const QRect band(0, 0, g.paneWidth, kHeaderHeight);
    painter.fillRect(band, QColor(0xEC, 0xEC, 0xEC));
    painter.setPen(QColor(0xA0, 0xA0, 0xA0));
    painter.drawLine(band.bottomLeft(), band.bottomRight());
    int x = g.leftMargin;
    for (const CTavListColumn& c : Columns().Columns()) {
        if (!c.shown)
            continue;
        const QRect cell(x, 0, c.width, kHeaderHeight - 1);
        painter.save();
        painter.setClipRect(cell);
        DrawHeaderCell(painter, c, cell);
        painter.restore();
        painter.setPen(QColor(0xB4, 0xB4, 0xB4));
        painter.drawLine(x + c.width - 1, 3, x + c.width - 1, kHeaderHeight - 4);
        x += c.width + g.spacing;
    }
}

void CTavListView::DrawHeaderCell(QPainter& painter, const CTavListColumn& column, const QRect& cell)
{
    painter.setPen(Qt::black);
    painter.setFont(m_painter.Font());
    const QString text = painter.fontMetrics().elidedText(column.title, Qt::ElideRight, cell.width() - 8);
    painter.drawText(cell.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
}
