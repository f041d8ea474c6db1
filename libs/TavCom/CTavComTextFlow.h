#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>

class QPainter;

// Draws text that starts in a first line of its own width (after a time label, before the
// marks) and wraps on into full-width lines below it; the last line that fits ends in an
// ellipsis when text is left over. Japanese text breaks between characters, Latin text at word
// boundaries where it can.
class CTavComTextFlow final
{
public:
    CTavComTextFlow() = delete;

    // first: the first line (its height is the line height); rest: the area for the lines after it.
    // Returns the number of lines drawn.
    static int Draw(QPainter& painter, const QString& text, const QFont& font, const QFontMetrics& metrics,
                    const QRect& first, const QRect& rest);
};
