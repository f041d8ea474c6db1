#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// The small marks of a box drawn as vector shapes, so that they stay sharp at any size.
// Each fills the given square in the given colour.
class CTavComMarkPainter final
{
public:
    CTavComMarkPainter() = delete;

    static void Alarm(QPainter& painter, const QRectF& area, const QColor& color);
    static void Repeat(QPainter& painter, const QRectF& area, const QColor& color);
    static void Note(QPainter& painter, const QRectF& area, const QColor& color);
    static void FreeMemo(QPainter& painter, const QRectF& area, const QColor& color);
    static void Private(QPainter& painter, const QRectF& area, const QColor& color);
};
