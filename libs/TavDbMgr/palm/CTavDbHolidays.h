#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

#include "CTavDbPalmCode.h"

class CTavDbPalmDatabase;

// The holidays of the handheld's holiday databases, read year by year from the user's backup
// folder. Record 0 is a 296-byte header with the year at offset 280; each further record is
// one holiday: its date (16 bits, handheld layout) at offset 0 and its name (code page 932,
// NUL-terminated) from offset 4.
class CTavDbHolidays final
{
public:
    static constexpr uint32_t Creator = CTavDbPalmCode::Make("SaSd");
    static constexpr uint32_t Type = CTavDbPalmCode::Make("HdDy");
    static constexpr int HeaderSize = 296;
    static constexpr int RecordSize = 72;
    static constexpr int NameOffset = 4;

    struct Holiday
    {
        QDate date;
        uint16_t palmDate = 0; // CTavDbPalmDate layout
        QString name;
    };

    // The folder is normally CTavDbBackupFolder::Path of the current user.
    explicit CTavDbHolidays(const QString& folder = QString());

    void SetFolder(const QString& folder);
    const QString& GetFolder() const { return m_folder; }
    // Forgets every year read; done by itself after CTavDbBackupFolder::MarkChanged.
    void Reset();

    // Whether holidays are shown at all; IsHoliday answers false while they are not.
    void SetDisplay(bool display) { m_display = display; }
    bool GetDisplay() const { return m_display; }

    // Reads the year of the date unless it was looked at before (a year without a file is not
    // searched again until Reset); -1 when no file covers it.
    int LoadYear(const QDate& date);
    bool IsHoliday(const QDate& date);
    // The holiday's name; empty on other days (whatever the display setting).
    QString GetHolidayName(const QDate& date);
    // Every holiday of the year's file, in file order; empty when there is none.
    QList<Holiday> GetHolidays(int year);

    // Reads a holiday database; false when its layout is not one.
    static bool Read(const CTavDbPalmDatabase& database, int* year, QList<Holiday>* holidays);

private:
    const QList<Holiday>* year(const QDate& date);
    const Holiday* find(const QDate& date);

    QString m_folder;
    uint64_t m_generation;
    bool m_display = true;
    QHash<int, std::optional<QList<Holiday>>> m_years;
};
