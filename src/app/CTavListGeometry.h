#pragma once

#include <QRect>
#include <QSize>
#include <vector>

// The arithmetic of a module list: where rows lie, which row a point hits, how thumbnails
// fit a row. Row indexes count from the first row of the page.
class CTavListGeometry
{
public:
    int paneWidth = 200;  // width of the drawing area
    int paneHeight = 400; // height of the drawing area below the header
    int spacing = 0;      // gap above the first row and after every column
    int leftMargin = 1;   // x of the first column
    int headerHeight = 1; // room reserved above the first row
    int rowHeight = 1;
    int currentY = 0; // top of the next row to be laid out

    // Lays the page out for a row height: the row tops and the next row's top.
    void Begin(int newRowHeight);
    const std::vector<int>& RowTops() const { return m_rowTops; }

    QRect RowRect(int index) const;
    // The rectangle framed for a row: its top raised by one pixel.
    QRect FrameRect(int index) const;
    // -1 on the header or above it; otherwise the page-relative row (rows below the last one
    // give indexes past the page, which callers compare with their row count).
    int RowAt(int y) const;
    int VisibleRowCount() const;

    // Where a picture of the given size is drawn in the row whose top-left is (x, y).
    QRect ThumbnailRect(int x, int y, QSize picture) const;
    // The size of the placeholder drawn for a row without a picture.
    QSize PlaceholderSize() const;

private:
    std::vector<int> m_rowTops;
};
