#include "CTavDbCalendarDays.h"

#include "CTavDbBackupFolder.h"
#include "CTavDbFileUtil.h"
#include "CTavDbHolidayLaw.h"

CTavDbCalendarDays::CTavDbCalendarDays(CTavDbHolidays& holidays, CTavDbSixDay& sixDay)
    : m_holidays(holidays), m_sixDay(sixDay), m_generation(CTavDbBackupFolder::Generation())
{
}

void CTavDbCalendarDays::SetUserFolder(const QString& folder)
{
    m_userFolder = folder;
    Reset();
}

void CTavDbCalendarDays::Reset()
{
    m_years.clear();
    m_import.Clear();
    m_importLoaded = false;
    m_generation = CTavDbBackupFolder::Generation();
}

// A HotSync brings other databases, another program may import a list: start afresh.
void CTavDbCalendarDays::check()
{
    if (m_generation != CTavDbBackupFolder::Generation())
        Reset();
}

const CTavDbHolidayImport& CTavDbCalendarDays::Imported()
{
    const QString path = CTavDbHolidayImport::PathIn(m_userFolder);
    const QByteArray state = path.isEmpty() ? QByteArray() : CTavDbFileUtil::fileState(path);
    if (!m_importLoaded || state != m_importState) {
        m_import.Clear();
        QString error;
        if (!state.isEmpty() && !m_import.Load(path, &error))
            m_import.Clear(); // a damaged copy counts as none
        if (m_importLoaded)
            m_years.clear();
        m_importLoaded = true;
        m_importState = state;
    }
    return m_import;
}

const CTavDbCalendarDays::Year& CTavDbCalendarDays::year(int number)
{
    check();
    auto it = m_years.find(number);
    if (it != m_years.end())
        return *it;

    Year data;
    const QDate first(number, 1, 1);
    const int days = first.daysInYear();
    data.holidayOfDay.resize(days);
    data.sixDayOfDay.resize(days);
    const QDate july(number, 7, 1);
    if (m_holidays.LoadYear(july) == 0) {
        data.holidaySource = Source::Handheld;
        data.holidays = m_holidays.GetHolidays(number);
    } else if (const CTavDbHolidayImport& imported = Imported(); imported.Covers(number)) {
        data.holidaySource = Source::Imported;
        data.holidays = imported.Year(number);
    } else {
        data.holidays = CTavDbHolidayLaw::Year(number);
        if (!data.holidays.isEmpty())
            data.holidaySource = Source::Computed;
    }
    // A database may list a day twice or one of another year: the first name of the day wins.
    for (const CTavDbHolidays::Holiday& holiday : data.holidays) {
        if (holiday.date.year() != number)
            continue; // 31 December of a leap year has no slot in another year
        QString& name = data.holidayOfDay[holiday.date.dayOfYear() - 1];
        if (name.isEmpty())
            name = holiday.name;
    }

    if (m_sixDay.LoadYear(july) == 0) {
        data.sixDaySource = Source::Handheld;
        for (int i = 0; i < days; ++i)
            data.sixDayOfDay[i] = m_sixDay.GetLabel(first.addDays(i));
    } else if (number >= CTavDbLunisolar::FirstYear && number <= CTavDbLunisolar::LastYear) {
        data.sixDaySource = Source::Computed;
        for (int i = 0; i < days; ++i)
            data.sixDayOfDay[i] = CTavDbLunisolar::SixDayLabel(m_lunisolar.ToOld(first.addDays(i)));
    }
    return *m_years.insert(number, std::move(data));
}

CTavDbCalendarDays::Day CTavDbCalendarDays::Lookup(const QDate& date)
{
    Day day;
    if (!date.isValid())
        return day;
    const Year& data = year(date.year());
    const int index = date.dayOfYear() - 1;
    day.holiday = data.holidayOfDay[index];
    if (!day.holiday.isEmpty())
        day.holidaySource = data.holidaySource;
    day.sixDay = data.sixDayOfDay[index];
    if (!day.sixDay.isEmpty())
        day.sixDaySource = data.sixDaySource;
    return day;
}

QList<CTavDbHolidays::Holiday> CTavDbCalendarDays::Holidays(int number, Source* source)
{
    const Year& data = year(number);
    if (source)
        *source = data.holidaySource;
    return data.holidays;
}

bool CTavDbCalendarDays::Import(const QString& path, QString* error)
{
    if (!CTavDbHolidayImport::Import(path, m_userFolder, nullptr, error))
        return false;
    Reset();
    return true;
}

QString CTavDbCalendarDays::SourceKey(Source source)
{
    switch (source) {
    case Source::Handheld:
        return QStringLiteral("handheld");
    case Source::Imported:
        return QStringLiteral("imported");
    case Source::Computed:
        return QStringLiteral("computed");
    case Source::None:
        break;
    }
    return QString();
}

QString CTavDbCalendarDays::SourceText(Source source)
{
    switch (source) {
    case Source::Handheld:
        return QStringLiteral("携帯端末のデータベース");
    case Source::Imported:
        return QStringLiteral("取り込んだ一覧");
    case Source::Computed:
        return QStringLiteral("計算");
    case Source::None:
        break;
    }
    return QString();
}
