#pragma once

#include <QList>
#include <Qt>
#include <cstdint>
#include <vector>

// Which rows of a module list are selected, the current row and the anchor that Shift
// extends from, with the click and key rules of the list panes.
class CTavListSelection
{
public:
    // Forgets everything for a list of rowCount rows.
    void Reset(int rowCount);
    int RowCount() const { return static_cast<int>(m_selected.size()); }

    bool IsSelected(int row) const;
    void SetSelected(int row, bool on);
    int SelectedCount() const { return m_count; }
    // Selected rows, top first.
    QList<int> SelectedRows() const;
    int FirstSelected() const;
    void Clear();
    void SelectAll();
    // Selects one row alone and makes it current and the anchor (-1 clears).
    void SelectOnly(int row);

    int Current() const { return m_current; }
    int Anchor() const { return m_anchor; }
    void SetCurrent(int row);

    // A click: alone it selects the row; Ctrl adds or removes it; Shift selects from the
    // anchor to it (with Ctrl, in addition to what is selected). A click on no row (-1)
    // clears the selection unless Ctrl or Shift is down.
    void Click(int row, Qt::KeyboardModifiers modifiers);
    // A key moved the current row to row (clamped to the list); with extend the selection
    // runs from the anchor, otherwise the row is selected alone.
    void MoveTo(int row, bool extend);

private:
    void selectRange(int from, int to);

    std::vector<uint8_t> m_selected;
    int m_count = 0;
    int m_current = -1;
    int m_anchor = -1;
};
