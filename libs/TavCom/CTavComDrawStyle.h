#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QStaticText>

#include "TavComSettings.h"

// What a box needs to draw itself, prepared once per settings change rather than per box.
struct CTavComDrawStyle
{
    QFont font;
    QFont timeFont;
    QFont headerFont;
    QFont axisFont;
    QFontMetrics fontMetrics{QFont()};
    QFontMetrics timeMetrics{QFont()};
    ColorSetting colors;
    ColorSettingExt extColors;
    int markSize = 11;
    int em = 12;           // width of one Japanese character in font
    bool weekMode = false; // narrow columns: the box shows its start time only

    // A time label in timeFont, laid out once: a busy day repeats the same few dozen.
    const QStaticText& TimeLabel(const QString& text) const
    {
        auto it = labels.find(text);
        if (it == labels.end()) {
            QStaticText label(text);
            label.setTextFormat(Qt::PlainText);
            label.prepare(QTransform(), timeFont);
            it = labels.insert(text, label);
        }
        return *it;
    }
    mutable QHash<QString, QStaticText> labels;
};
