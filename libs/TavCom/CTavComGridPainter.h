#pragma once

#include <QRect>

#include "CTavComDrawStyle.h"
#include "CTavComGridGeometry.h"

class QPainter;
class CTavComDragTracker;

// Draws the whole grid into any paint device: hour lines, hour labels, column titles, the
// untimed band, the boxes and the box being dragged. Only what meets the exposed rectangle is
// drawn.
class CTavComGridPainter final
{
public:
    CTavComGridPainter(const CTavComGridGeometry& geometry, const CTavComDrawStyle& style);

    void Paint(QPainter& painter, const CTavComColumList& columns, const QRect& exposed,
               const CTavComDragTracker* drag) const;

    // The text shown at the left of the untimed band.
    static QString NoTimeLabel();

private:
    void PaintTimed(QPainter& painter, const CTavComColumList& columns, const QRect& exposed) const;
    void PaintAxis(QPainter& painter) const;
    void PaintHeader(QPainter& painter, const CTavComColumList& columns) const;
    void PaintNoTime(QPainter& painter, const CTavComColumList& columns) const;
    void PaintDrag(QPainter& painter, const CTavComColumList& columns, const CTavComDragTracker& drag) const;

    const CTavComGridGeometry& m_geo;
    const CTavComDrawStyle& m_style;
};
