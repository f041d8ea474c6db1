#include "CTavDbSixDay.h"

#include <QtEndian>

#include "CTavDbBackupFolder.h"
#include "CTavDbPalmDatabase.h"
#include "CTavDbPalmDate.h"
#include "CTavDbText.h"

CTavDbSixDay::CTavDbSixDay(const QString& folder)
    : m_folder(folder), m_generation(CTavDbBackupFolder::Generation())
{
}

void CTavDbSixDay::Reset()
{
    m_years.clear();
    m_generation = CTavDbBackupFolder::Generation();
}

void CTavDbSixDay::SetFolder(const QString& folder)
{
    m_folder = folder;
    Reset();
}

bool CTavDbSixDay::Read(const CTavDbPalmDatabase& database, int* year, Year* table)
{
    if (database.GetCreator() != Creator || database.GetType() != Type || database.GetRecordCount() < 1 ||
        database.GetRecordSize(0) < HeaderSize)
        return false;
    const QByteArrayView header = database.GetRecordView(0);
    const int count = qFromBigEndian<uint16_t>(header.data() + CountOffset);
    if (count > MaxLabels)
        return false;
    *year = CTavDbBackupFolder::HeaderYear(database);
    table->labels.clear();
    table->days.clear();
    for (int i = 0; i < count; ++i) {
        QByteArrayView slot = header.sliced(LabelsOffset + i * LabelSize, LabelSize);
        if (const qsizetype end = slot.indexOf('\0'); end >= 0)
            slot = slot.first(end);
        table->labels.append(CTavDbText::fromCp932(slot.toByteArray()));
    }
    table->days.reserve(database.GetRecordCount() - 1);
    for (int i = 1; i < database.GetRecordCount(); ++i) {
        const QByteArrayView record = database.GetRecordView(i);
        Day day;
        // A short record keeps its place in the table, without a label.
        if (record.size() >= EntrySize) {
            day.palmDate = CTavDbPalmDate::FromHandheld(qFromBigEndian<uint16_t>(record.data()));
            day.label = qFromBigEndian<uint16_t>(record.data() + 2);
        }
        table->days.append(day);
    }
    return true;
}

const CTavDbSixDay::Year* CTavDbSixDay::year(const QDate& date)
{
    if (!date.isValid())
        return nullptr;
    if (m_generation != CTavDbBackupFolder::Generation())
        Reset();
    auto it = m_years.find(date.year());
    if (it == m_years.end()) {
        std::optional<Year> loaded;
        Year table;
        int fileYear = 0;
        CTavDbPalmDatabase database;
        const auto accept = [&](const CTavDbPalmDatabase& db) { return Read(db, &fileYear, &table); };
        if (CTavDbBackupFolder::FindYearDatabase(m_folder, Creator, Type, date.year(), accept, &database) ==
            0)
            loaded = table;
        it = m_years.insert(date.year(), loaded);
    }
    return it->has_value() ? &it->value() : nullptr;
}

int CTavDbSixDay::LoadYear(const QDate& date)
{
    return year(date) ? 0 : -1;
}

QString CTavDbSixDay::GetLabel(const QDate& date)
{
    const Year* table = year(date);
    if (!table)
        return QString();
    const int index = date.dayOfYear() - 1;
    if (index < 0 || index >= table->days.size())
        return QString();
    const uint16_t label = table->days[index].label;
    return label < table->labels.size() ? table->labels[label] : QString();
}

QStringList CTavDbSixDay::GetLabelNames(int year)
{
    const Year* table = this->year(QDate(year, 7, 1));
    return table ? table->labels : QStringList();
}
