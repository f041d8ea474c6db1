#pragma once

#include <QColor>
#include <QString>
#include <cstdint>

#include "CTavDbTime.h"

// One listed task as the outline draws it and the detail pane describes it. Dates are the
// start of the start day and the end (23:59:59) of the due day, maxDateTime for none.
struct TodoListRow
{
    uint32_t uniqueId = 0;
    QString title;
    TavTime due = maxDateTime;
    bool completed = false;
    int priority = 1;
    QString note;
    TavTime start = maxDateTime;
    uint32_t categoryId = 0;
    int level = 0;
    bool folded = false;
    bool hasChildren = false;
    bool isPrivate = false;
    bool hasSheet = false;
    QString sheetName;
    QString categoryName;
    QColor stateColor;
};
