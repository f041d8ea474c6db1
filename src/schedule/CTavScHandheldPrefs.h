#pragma once

#include <QString>
#include <array>

#include "CTavScCalendarGrid.h"
#include "TavColorRef.h"

// The handheld Date Book's display preferences, read from "ScPrefs.dat" in the user's schedule
// folder. The program never writes that file; what is missing or out of range reads as the
// handheld's default.
struct CTavScHandheldPrefs
{
    // [COMMON]
    int weekStarts = 0; // first day of week, 0 = Sunday
    bool holidayColorOn = false;
    TavColorRef holidayColor = 0;
    bool holidayDispType = false;
    bool subWeekDispType = false;
    // Sunday .. Saturday; Sunday and Saturday are coloured unless the file names their colours.
    std::array<bool, 7> weekColorOn{true, false, false, false, false, false, true};
    std::array<TavColorRef, 7> weekColor{0xCCCCFF, 0, 0, 0, 0, 0, 0xFFCC99};
    // [DAY]
    QString dayDateFormat = QStringLiteral("%Y  %m  %d");
    int startTime = 8;
    int endTime = 18;
    int hourHeight = 2;
    int eventDisplay = 1;
    int dayFontSize = 8;
    // [WEEK]
    QString weekDateFormat = QStringLiteral("%Y  %m");
    int weekIconDispType = 1;
    int weekFontSize = 8;
    // [MONTH]
    QString monthDateFormat = QStringLiteral("%Y  %m");
    int monthShowStyle = 2;
    int monthFontSize = 8;

    // The month as the handheld lays it out (first day weekStarts); the month window's second grid.
    CTavScCalendarGrid calendar;

    static constexpr int kMaxTemplateBytes = 255;

    // "ScPrefs.dat" in the schedule folder of the user whose data folder is userPath.
    static QString PathForUser(const QString& userPath);
    // Reads the file (code page 932); a missing file gives the defaults. The calendar is built
    // for today's month with weekStarts as its first day.
    static CTavScHandheldPrefs Read(const QString& path);
    // A handheld date template ("^4r/^3z/^0z") as a display format ("%Y/%m/%d"); empty gives empty.
    static QString ConvertDateTemplate(const QByteArray& handheldTemplate);
};
