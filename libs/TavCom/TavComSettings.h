#pragma once

#include "TavColorRef.h"

// Sizes of the schedule grid, in pixels unless named otherwise.
struct SizeSetting
{
    int rowHeight = 22;       // one half-hour row; an hour is two rows
    int timeWidth = 56;       // the hour labels on the left
    int headerHeight = 30;    // the column titles
    int noTimeRowHeight = 24; // one untimed box in the band above the hours
    int colMinWidth = 72;     // below this the columns stop shrinking and the grid scrolls sideways
    int fontPoint = 9;        // text of boxes and titles
    int markSize = 11;        // the small marks (alarm, repeat, ...) and the memo-sheet icon
};

struct ColorSetting
{
    TavColorRef back = TavRgb(0xFF, 0xFF, 0xFF);       // timed area
    TavColorRef hourLine = TavRgb(0xD5, 0xD8, 0xDE);   // line at each full hour
    TavColorRef halfLine = TavRgb(0xEC, 0xEE, 0xF1);   // line at each half hour
    TavColorRef columnLine = TavRgb(0xD5, 0xD8, 0xDE); // between the columns
    TavColorRef axisBack = TavRgb(0xF7, 0xF8, 0xFA);
    TavColorRef axisText = TavRgb(0x6B, 0x72, 0x80);
    TavColorRef headerBack = TavRgb(0xF7, 0xF8, 0xFA);
    TavColorRef headerText = TavRgb(0x33, 0x3A, 0x45);
    TavColorRef noTimeBack = TavRgb(0xF0, 0xF3, 0xF7); // band of untimed boxes
    TavColorRef boxFrame = TavRgb(0x56, 0x74, 0xB9);   // outline and accent bar of a box
    TavColorRef selectFrame = TavRgb(0xE0, 0x6C, 0x1F);
};

// Colours and hours the handheld's display preferences add to the basic set.
struct ColorSettingExt
{
    bool shadeOffHours = true;
    TavColorRef offHourBack = TavRgb(0xF6, 0xF7, 0xF9); // hours outside startHour..endHour
    int startHour = 8;
    int endHour = 18;
    TavColorRef dragFill = TavRgb(0xE0, 0x6C, 0x1F); // drawn translucent while a box moves
};
