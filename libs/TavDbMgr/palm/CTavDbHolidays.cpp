#include "CTavDbHolidays.h"

#include <QtEndian>

#include "CTavDbBackupFolder.h"
#include "CTavDbPalmDatabase.h"
#include "CTavDbPalmDate.h"
#include "CTavDbText.h"

CTavDbHolidays::CTavDbHolidays(const QString& folder)
    : m_folder(folder), m_generation(CTavDbBackupFolder::Generation())
{
}

void CTavDbHolidays::Reset()
{
    m_years.clear();
    m_generation = CTavDbBackupFolder::Generation();
}

void CTavDbHolidays::SetFolder(const QString& folder)
{
    m_folder = folder;
    Reset();
}

bool CTavDbHolidays::Read(const CTavDbPalmDatabase& database, int* year, QList<Holiday>* holidays)
{
    if (database.GetCreator() != Creator || database.GetType() != Type || database.GetRecordCount() < 1 ||
        database.GetRecordSize(0) < HeaderSize)
        return false;
    *year = CTavDbBackupFolder::HeaderYear(database);
    holidays->clear();
    for (int i = 1; i < database.GetRecordCount(); ++i) {
        const QByteArrayView record =
            database.GetRecordView(i).first(std::min(database.GetRecordSize(i), RecordSize));
        if (record.size() < 2)
            continue;
        Holiday holiday;
        holiday.palmDate = CTavDbPalmDate::FromHandheld(qFromBigEndian<uint16_t>(record.data()));
        holiday.date = CTavDbPalmDate::ToDate(holiday.palmDate);
        if (!holiday.date.isValid())
            continue;
        if (record.size() > NameOffset) {
            QByteArrayView name = record.sliced(NameOffset);
            if (const qsizetype end = name.indexOf('\0'); end >= 0)
                name = name.first(end);
            holiday.name = CTavDbText::fromCp932(name.toByteArray());
        }
        holidays->append(holiday);
    }
    return true;
}

const QList<CTavDbHolidays::Holiday>* CTavDbHolidays::year(const QDate& date)
{
    if (!date.isValid())
        return nullptr;
    if (m_generation != CTavDbBackupFolder::Generation())
        Reset();
    auto it = m_years.find(date.year());
    if (it == m_years.end()) {
        std::optional<QList<Holiday>> loaded;
        QList<Holiday> holidays;
        int fileYear = 0;
        CTavDbPalmDatabase database;
        const auto accept = [&](const CTavDbPalmDatabase& db) { return Read(db, &fileYear, &holidays); };
        if (CTavDbBackupFolder::FindYearDatabase(m_folder, Creator, Type, date.year(), accept, &database) ==
            0)
            loaded = holidays;
        it = m_years.insert(date.year(), loaded);
    }
    return it->has_value() ? &it->value() : nullptr;
}

int CTavDbHolidays::LoadYear(const QDate& date)
{
    return year(date) ? 0 : -1;
}

const CTavDbHolidays::Holiday* CTavDbHolidays::find(const QDate& date)
{
    const QList<Holiday>* holidays = year(date);
    if (!holidays)
        return nullptr;
    const uint16_t palmDate = CTavDbPalmDate::FromDate(date);
    for (const Holiday& holiday : *holidays)
        if (holiday.palmDate == palmDate)
            return &holiday;
    return nullptr;
}

bool CTavDbHolidays::IsHoliday(const QDate& date)
{
    return m_display && find(date);
}

QString CTavDbHolidays::GetHolidayName(const QDate& date)
{
    const Holiday* holiday = find(date);
    return holiday ? holiday->name : QString();
}

QList<CTavDbHolidays::Holiday> CTavDbHolidays::GetHolidays(int year)
{
    const QList<Holiday>* holidays = this->year(QDate(year, 7, 1));
    return holidays ? *holidays : QList<Holiday>();
}
