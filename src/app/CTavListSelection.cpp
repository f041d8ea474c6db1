#include "CTavListSelection.h"

#include <algorithm>

void CTavListSelection::Reset(int rowCount)
{
    m_selected.assign(static_cast<size_t>(std::max(0, rowCount)), 0);
    m_count = 0;
    m_current = -1;
    m_anchor = -1;
}

bool CTavListSelection::IsSelected(int row) const
{
    return row >= 0 && row < RowCount() && m_selected[row];
}

void CTavListSelection::SetSelected(int row, bool on)
{
    if (row < 0 || row >= RowCount() || static_cast<bool>(m_selected[row]) == on)
        return;
    m_selected[row] = on ? 1 : 0;
    m_count += on ? 1 : -1;
}

QList<int> CTavListSelection::SelectedRows() const
{
    QList<int> rows;
    rows.reserve(m_count);
    for (int row = 0; row < RowCount() && rows.size() < m_count; ++row)
        if (m_selected[row])
            rows.append(row);
    return rows;
}

int CTavListSelection::FirstSelected() const
{
    if (m_count == 0)
        return -1;
    const auto it = std::find(m_selected.begin(), m_selected.end(), 1);
    return it == m_selected.end() ? -1 : static_cast<int>(it - m_selected.begin());
}

void CTavListSelection::Clear()
{
    if (m_count == 0)
        return;
    std::fill(m_selected.begin(), m_selected.end(), 0);
    m_count = 0;
}

void CTavListSelection::SelectAll()
{
    std::fill(m_selected.begin(), m_selected.end(), 1);
    m_count = RowCount();
}

void CTavListSelection::SelectOnly(int row)
{
    Clear();
    if (row < 0 || row >= RowCount()) {
        m_current = m_anchor = -1;
        return;
    }
    SetSelected(row, true);
    m_current = m_anchor = row;
}

void CTavListSelection::SetCurrent(int row)
{
    m_current = (row >= 0 && row < RowCount()) ? row : -1;
}

void CTavListSelection::selectRange(int from, int to)
{
    if (from > to)
        std::swap(from, to);
    from = std::max(from, 0);
    to = std::min(to, RowCount() - 1);
    for (int row = from; row <= to; ++row)
        SetSelected(row, true);
}

void CTavListSelection::Click(int row, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    if (row < 0 || row >= RowCount()) {
        if (!ctrl && !shift)
            Clear();
        return;
    }
    if (shift && m_anchor >= 0) {
        if (!ctrl)
            Clear();
        selectRange(m_anchor, row);
        m_current = row;
        return;
    }
    if (ctrl) {
        SetSelected(row, !IsSelected(row));
        m_current = m_anchor = row;
        return;
    }
    SelectOnly(row);
}

void CTavListSelection::MoveTo(int row, bool extend)
{
    if (RowCount() == 0)
        return;
    row = std::clamp(row, 0, RowCount() - 1);
    if (extend) {
        if (m_anchor < 0)
            m_anchor = m_current >= 0 ? m_current : row;
        Clear();
        selectRange(m_anchor, row);
        m_current = row;
        return;
    }
    SelectOnly(row);
}
