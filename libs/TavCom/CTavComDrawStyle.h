#pragma once

#include <QFont>
#include <QFontMetrics>

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
    bool weekMode = false; // narrow columns: the time stands alone on the first line
};
