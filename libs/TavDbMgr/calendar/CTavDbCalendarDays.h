#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>

#include "CTavDbHolidayImport.h"
#include "CTavDbHolidays.h"
#include "CTavDbLunisolar.h"
#include "CTavDbSixDay.h"

// The holiday and six-day label of every day, and where each came from: the handheld's
// database of the year wins; for holidays an imported government list comes next for the
// years it names; every other year is computed (the holiday law, the old calendar).
class CTavDbCalendarDays final
{
public:
    enum class Source
    {
        None,
        Handheld,
        Imported,
        Computed
    };
    struct Day
    {
        QString holiday;
        Source holidaySource = Source::None;
        QString sixDay;
        Source sixDaySource = Source::None;
    };

    CTavDbCalendarDays(CTavDbHolidays& holidays, CTavDbSixDay& sixDay);

    // The user's folder, where the imported list is kept (forgets what was looked up).
    void SetUserFolder(const QString& folder);
    const QString& UserFolder() const { return m_userFolder; }
    // Forgets every year; needed after the imported list or the backup folder changed.
    void Reset();

    Day Lookup(const QDate& date);
    QString HolidayName(const QDate& date) { return Lookup(date).holiday; }
    QString SixDayLabel(const QDate& date) { return Lookup(date).sixDay; }
    // The year's holidays in date order, and where they came from (None: no holidays known).
    QList<CTavDbHolidays::Holiday> Holidays(int year, Source* source = nullptr);

    // Replaces the user's imported list with the file; false with the message when it is not
    // a list or cannot be kept.
    bool Import(const QString& path, QString* error);
    const CTavDbHolidayImport& Imported();

    // "handheld", "imported", "computed" (empty for none).
    static QString SourceKey(Source source);
    // The same for people: "携帯端末のデータベース", "取り込んだ一覧", "計算".
    static QString SourceText(Source source);

private:
    struct Year
    {
        Source holidaySource = Source::None;
        Source sixDaySource = Source::None;
        QList<CTavDbHolidays::Holiday> holidays;
        QList<QString> holidayOfDay; // day of year - 1
        QList<QString> sixDayOfDay;
    };
    const Year& year(int year);
    void check();

    CTavDbHolidays& m_holidays;
    CTavDbSixDay& m_sixDay;
    QString m_userFolder;
    uint64_t m_generation = 0;
    QByteArray m_importState;
    bool m_importLoaded = false;
    CTavDbHolidayImport m_import;
    CTavDbLunisolar m_lunisolar;
    QHash<int, Year> m_years;
};
