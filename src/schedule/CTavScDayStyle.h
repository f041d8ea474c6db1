#pragma once

#include <QDate>
#include <QString>
#include <array>

#include "CTavDbCalendarDays.h"
#include "CTavDbHolidays.h"
#include "CTavDbSixDay.h"
#include "TavColorRef.h"
#include "TavStatus.h"

class CTavDbDate;
struct CTavScHandheldPrefs;

// How a day number or day header is coloured and labelled in every schedule window: the
// "datebook" display settings (holidays, six-day labels, weekday colours), the holidays and
// six-day labels (the handheld's databases, else an imported list or computed), and the colours
// users give single days.
class CTavScDayStyle final
{
public:
    static constexpr TavColorRef kDefaultHolidayColor = 0x0000E0; // red, when the handheld names none

    CTavScDayStyle();

    // The "datebook" keys: DisplayOfHoliday, DisplayOf6Week, OnColorOfWeek%d, ColorOfWeek%d.
    void ReadSettings();
    // Writes one toggle back and keeps the copy.
    void SetShowHolidays(bool show);
    void SetShowSixDay(bool show);
    bool ShowHolidays() const { return m_showHolidays; }
    bool ShowSixDay() const { return m_showSixDay; }
    // Writes all seven weekday keys and keeps the copies.
    void SetWeekdayColors(const std::array<bool, 7>& on, const std::array<TavColorRef, 7>& colors);
    const std::array<bool, 7>& WeekdayOn() const { return m_weekdayOn; }
    const std::array<TavColorRef, 7>& WeekdayColors() const { return m_weekdayColors; }
    // The holiday colour of the handheld's preferences (kDefaultHolidayColor when it sets none).
    void SetHolidayColor(const CTavScHandheldPrefs& prefs);
    TavColorRef HolidayColor() const { return m_holidayColor; }

    // The backup folder the holiday and six-day databases are read from (forgets what was read);
    // the imported holiday list is kept in the user's folder above it.
    void SetFolder(const QString& folder);
    CTavDbHolidays& Holidays() { return m_holidays; }
    CTavDbSixDay& SixDay() { return m_sixDay; }
    // Every day's holiday and six-day label with its source.
    CTavDbCalendarDays& Days() { return m_days; }

    // The colour of a day's number or header, in this order: the day's own colour, the holiday
    // colour (holidays shown), the weekday's colour (its switch on), normal. Outside the shown
    // month the lighter shade of it.
    TavColorRef DayColor(const CTavDbDate& store, const QDate& date, TavColorRef normal, bool inMonth = true);
    // The day's own colour from its day-info record; false when it has none.
    static bool OwnColor(const CTavDbDate& store, const QDate& date, TavColorRef* color);
    // Gives the date its own colour or, with set false, takes it away; the day's memo-sheet link
    // stays. A day without record and colour gets no record.
    static TavStatus WriteOwnColor(CTavDbDate& store, const QDate& date, bool set, TavColorRef color);
    // The holiday's name while holidays are shown; empty otherwise.
    QString HolidayName(const QDate& date);
    // The six-day label while labels are shown; empty otherwise.
    QString SixDayLabel(const QDate& date);

private:
    bool m_showHolidays = false;
    bool m_showSixDay = false;
    std::array<bool, 7> m_weekdayOn{};
    std::array<TavColorRef, 7> m_weekdayColors{};
    TavColorRef m_holidayColor = kDefaultHolidayColor;
    CTavDbHolidays m_holidays;
    CTavDbSixDay m_sixDay;
    CTavDbCalendarDays m_days{m_holidays, m_sixDay};
};
