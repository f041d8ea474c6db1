#pragma once

#include <QColor>
#include <QIcon>

// The pictures of the editor's tool buttons, drawn so that they follow the pen's width and
// colour.
class CTavFreeEditIcons final
{
public:
    static constexpr int Side = 26;

    // A pen nib over a line of the width; the swatch at (8, 13)-(18, 23) shows the colour.
    static QIcon Pen(int width, const QColor& color);
    // A palette with the colour's swatch at the same place.
    static QIcon PenColor(const QColor& color);
    static QIcon Eraser();
    static QIcon Text();
    static QIcon Undo();
    static QIcon Seal();
    static QIcon Contents();
    static QIcon ScrollUp();
    static QIcon ScrollDown();
};
