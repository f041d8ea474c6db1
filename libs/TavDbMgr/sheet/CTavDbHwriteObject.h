#pragma once

#include <QColor>
#include <QList>
#include <QPen>
#include <QPolygon>

#include "CTavDbFreeRecord.h"

// One pen stroke: its points in canvas coordinates, a pen width type (1 to 3 pixels) and a
// colour. Stored as the first point and then steps between points, one signed byte per axis
// when the step is short.
class CTavDbHwriteObject final : public CTavDbFreeRecord
{
public:
    static constexpr int MinWidth = 1;
    static constexpr int MaxWidth = 3;
    // Keeps one stroke record well under the handheld's 64 KB record limit.
    static constexpr int MaxPoints = 12000;

    CTavDbHwriteObject() : CTavDbFreeRecord(KindHwrite) {}

    static QPen CreatePen(int width, QColor color);

    void SetPen(int width, QColor color);
    int GetPenWidth() const { return m_width; }
    QColor GetColor() const { return m_color; }
    const QPolygon& GetPoints() const { return m_points; }
    // A point equal to the last one is not added; false once the stroke is full.
    bool AddPoint(const QPoint& p);
    // True when the stroke is worth keeping (it has a point: a tap leaves a dot).
    bool Finish() const { return !m_points.isEmpty(); }

    bool IsPageObject() const override { return true; }
    QRect GetRect() const override { return m_bounds; }
    void Offset(int dx, int dy) override;
    bool HitTest(const QPoint& p) const override;
    // True when the path (a polyline) passes over the stroke.
    bool IsCrossedBy(const QPolygon& path) const;

protected:
    void PackPayload(CTavDbFreeWriter& out) const override;
    bool ParsePayload(CTavDbFreeReader& in) override;
    void DrawObject(QPainter& painter, const CTavDbFreeDrawContext& context) const override;

private:
    void updateBounds();
    // Distance within which a point touches the stroke.
    double reach(double extra) const { return m_width / 2.0 + extra; }

    int m_width = 1;
    QColor m_color = Qt::black;
    QPolygon m_points;
    QRect m_bounds;
};
