#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include "CTavListView.h"

// Mouse, keys and column resizing of the list pane.

void CTavListView::SelectRow(int row)
{
    m_selection.SelectOnly(row);
    ScrollToRow(row);
    afterSelectionGesture();
}

void CTavListView::SelectRows(const QList<int>& rows)
{
    bool none = true;
    for (int row : rows) {
        if (row < 0)
            continue;
        if (none) {
            m_selection.SelectOnly(row);
            ScrollToRow(row);
            none = false;
        } else {
            m_selection.SetSelected(row, true);
        }
    }
    if (none)
        viewport()->update();
    else
        afterSelectionGesture();
}

void CTavListView::SelectAllRows()
{
    m_selection.SelectAll();
    afterSelectionGesture();
}

void CTavListView::ClearRowSelection()
{
    m_selection.Clear();
    afterSelectionGesture();
}

void CTavListView::afterSelectionGesture()
{
    viewport()->update();
    emit selectionChanged();
}

int CTavListView::resizeHandleAt(int viewportX) const
{
    const CTavListGeometry& g = m_painter.Geometry();
    const int x = viewportX + horizontalScrollBar()->value();
    int right = g.leftMargin;
    for (int n = 0; n < Columns().Count(); ++n) {
        const CTavListColumn& c = Columns().At(n);
        if (!c.shown)
            continue;
        right += c.width + g.spacing;
        if (std::abs(x - right) <= kResizeGrip)
            return n;
    }
    return -1;
}

void CTavListView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (pos.y() < kHeaderHeight) {
        if (event->button() != Qt::LeftButton)
            return;
        m_resizing = resizeHandleAt(pos.x());
        if (m_resizing >= 0) {
            m_resizeStartX = pos.x();
            m_resizeStartWidth = Columns().At(m_resizing).width;
        } else if (const int column = ColumnAtX(pos.x()); column >= 0) {
            emit headerClicked(column);
        }
        return;
    }
    const int row = RowAtPoint(pos);
    if (event->button() == Qt::RightButton) {
        if (row >= 0 && !m_selection.IsSelected(row)) {
            m_selection.SelectOnly(row);
            afterSelectionGesture();
        }
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    m_selection.Click(row, event->modifiers());
    afterSelectionGesture();
}

void CTavListView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (m_resizing >= 0) {
        m_painter.Columns().SetWidth(m_resizing, m_resizeStartWidth + pos.x() - m_resizeStartX);
        updateScrollBars();
        viewport()->update();
        return;
    }
    const bool onGrip = pos.y() < kHeaderHeight && resizeHandleAt(pos.x()) >= 0;
    viewport()->setCursor(onGrip ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void CTavListView::mouseReleaseEvent(QMouseEvent*)
{
    if (m_resizing < 0)
        return;
    const int column = m_resizing;
    m_resizing = -1;
    if (Columns().At(column).width != m_resizeStartWidth)
        emit columnResized(column);
}

void CTavListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int row = RowAtPoint(event->position().toPoint());
    if (row < 0)
        return;
    // The press before it selected the row; a double click alone must do the same.
    if (m_selection.SelectedCount() != 1 || !m_selection.IsSelected(row)) {
        m_selection.SelectOnly(row);
        afterSelectionGesture();
    }
    emit rowActivated(row);
}

void CTavListView::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->pos().y() < kHeaderHeight)
        return;
    emit contextMenuRequested(event->globalPos(), RowAtPoint(event->pos()));
}

void CTavListView::keyPressEvent(QKeyEvent* event)
{
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int current = m_selection.Current();
    int target = -2;
    switch (event->key()) {
    case Qt::Key_Up:
        target = current < 0 ? 0 : current - 1;
        break;
    case Qt::Key_Down:
        target = current < 0 ? 0 : current + 1;
        break;
    case Qt::Key_PageUp:
        target = current < 0 ? 0 : current - PageRowCount();
        break;
    case Qt::Key_PageDown:
        target = current < 0 ? 0 : current + PageRowCount();
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = RowCount() - 1;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!shift && !ctrl && m_selection.SelectedCount() == 1)
            emit rowActivated(m_selection.FirstSelected());
        return;
    case Qt::Key_Delete:
        emit deleteRequested();
        return;
    case Qt::Key_A:
        if (ctrl) {
            SelectAllRows();
            return;
        }
        break;
    default:
        break;
    }
    if (target == -2 || RowCount() == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    m_selection.MoveTo(target, shift);
    ScrollToRow(m_selection.Current());
    afterSelectionGesture();
}

void CTavListView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void CTavListView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}
