#include "CTavScDayStyle.h"

#include "CTavComUtil.h"
#include "CTavDbDate.h"
#include "CTavDbDateDayRecord.h"
#include "CTavProfile.h"
#include "CTavScHandheldPrefs.h"

namespace {
const QString kDatebook = QStringLiteral("datebook");

QString weekdayKey(const char* name, int weekday)
{
    return QString::fromLatin1(name).arg(weekday);
}
} // namespace

CTavScDayStyle::CTavScDayStyle()
{
    ReadSettings();
}

void CTavScDayStyle::ReadSettings()
{
    m_showHolidays = CTavProfile::GetProfileInt(kDatebook, QStringLiteral("DisplayOfHoliday"), 0) == 1;
    m_showSixDay = CTavProfile::GetProfileInt(kDatebook, QStringLiteral("DisplayOf6Week"), 0) == 1;
    for (int i = 0; i < 7; ++i) {
        m_weekdayOn[i] = CTavProfile::GetProfileInt(kDatebook, weekdayKey("OnColorOfWeek%1", i), 0) == 1;
        m_weekdayColors[i] = static_cast<TavColorRef>(
                                 CTavProfile::GetProfileInt(kDatebook, weekdayKey("ColorOfWeek%1", i), 0)) &
                             0xFFFFFF;
    }
    m_holidays.SetDisplay(m_showHolidays);
}

void CTavScDayStyle::SetShowHolidays(bool show)
{
    m_showHolidays = show;
    m_holidays.SetDisplay(show);
    CTavProfile::WriteProfileInt(kDatebook, QStringLiteral("DisplayOfHoliday"), show ? 1 : 0);
}

void CTavScDayStyle::SetShowSixDay(bool show)
{
    m_showSixDay = show;
    CTavProfile::WriteProfileInt(kDatebook, QStringLiteral("DisplayOf6Week"), show ? 1 : 0);
}

void CTavScDayStyle::SetWeekdayColors(const std::array<bool, 7>& on, const std::array<TavColorRef, 7>& colors)
{
    m_weekdayOn = on;
    m_weekdayColors = colors;
    for (int i = 0; i < 7; ++i) {
        CTavProfile::WriteProfileInt(kDatebook, weekdayKey("ColorOfWeek%1", i), static_cast<int>(colors[i]));
        CTavProfile::WriteProfileInt(kDatebook, weekdayKey("OnColorOfWeek%1", i), on[i] ? 1 : 0);
    }
}

void CTavScDayStyle::SetHolidayColor(const CTavScHandheldPrefs& prefs)
{
    m_holidayColor = prefs.holidayColorOn ? prefs.holidayColor : kDefaultHolidayColor;
}

void CTavScDayStyle::SetFolder(const QString& folder)
{
    m_holidays.SetFolder(folder);
    m_sixDay.SetFolder(folder);
    m_days.SetUserFolder(CTavDbHolidayImport::UserFolderOf(folder));
}

bool CTavScDayStyle::OwnColor(const CTavDbDate& store, const QDate& date, TavColorRef* color)
{
    CTavDbDateDayRecord record;
    if (store.GetDayInfo(date.toString(QStringLiteral("yyyyMMdd")), record) != TavStatusCode::Ok)
        return false;
    bool set = false;
    uint32_t value = 0;
    record.GetColor(set, value);
    if (set)
        *color = value;
    return set;
}

TavStatus CTavScDayStyle::WriteOwnColor(CTavDbDate& store, const QDate& date, bool set, TavColorRef color)
{
    CTavDbDateDayRecord record;
    if (store.GetDayInfo(date.toString(QStringLiteral("yyyyMMdd")), record) == TavStatusCode::Ok) {
        bool wasSet = false;
        uint32_t was = 0;
        record.GetColor(wasSet, was);
        if (wasSet == set && (!set || was == color))
            return TavStatusCode::Ok; // no undo step for nothing
        record.SetColor(set, set ? color : 0);
        return store.UpdateDayInfo(record);
    }
    if (!set)
        return TavStatusCode::Ok;
    record = CTavDbDateDayRecord(date);
    record.SetColor(true, color);
    return store.AddDayInfo(record);
}

TavColorRef CTavScDayStyle::DayColor(const CTavDbDate& store, const QDate& date, TavColorRef normal,
                                     bool inMonth)
{
    TavColorRef color = normal;
    const int weekday = date.dayOfWeek() % 7;
    if (!OwnColor(store, date, &color)) {
        if (m_showHolidays && !m_days.HolidayName(date).isEmpty())
            color = m_holidayColor;
        else if (m_weekdayOn[weekday])
            color = m_weekdayColors[weekday];
    }
    return inMonth ? color : CTavComUtil::GetLightColor(color);
}

QString CTavScDayStyle::HolidayName(const QDate& date)
{
    return m_showHolidays ? m_days.HolidayName(date) : QString();
}

QString CTavScDayStyle::SixDayLabel(const QDate& date)
{
    return m_showSixDay ? m_days.SixDayLabel(date) : QString();
}
