#pragma once

#include <QMap>
#include <QStringList>

#include "CTavDbDateInfoRecord.h"
#include "TavStatus.h"

class CTavSqliteDb;

// The day, week and month info records of the date store, kept in one table of its file.
// Each period kind is a map from a sortable key: a day's yyyymmdd, a week's year * 100 + week,
// a month's year * 100 + month.
class CTavDbDateInfoTable final
{
public:
    enum Period
    {
        Day = 0,
        Week = 1,
        Month = 2
    };
    static constexpr int kPeriods = 3;

    static int dayKey(int year, int month, int day) { return year * 10000 + month * 100 + day; }
    static int periodKey(int year, int number) { return year * 100 + number; }

    const CTavDbDateInfoRecord* Find(Period period, int key) const;
    void Set(Period period, int key, const CTavDbDateInfoRecord& info) { m_maps[period].insert(key, info); }
    bool Remove(Period period, int key) { return m_maps[period].remove(key) > 0; }
    // Removes every record of the period whose key is below the given key; answers how many.
    int RemoveBefore(Period period, int key);
    int Count(Period period) const { return static_cast<int>(m_maps[period].size()); }
    // The memo sheets the records of every period link, once per link.
    QStringList SheetNames() const
    {
        QStringList names;
        for (const auto& map : m_maps)
            for (const CTavDbDateInfoRecord& info : map)
                if (!info.GetSheetName().isEmpty())
                    names << info.GetSheetName();
        return names;
    }
    void Clear();
    // Keeps the records changed here since `base` (added, edited or removed) and takes `theirs`
    // for every other key: another writer's colours and links survive a save of ours.
    void MergeFrom(const CTavDbDateInfoTable& base, const CTavDbDateInfoTable& theirs);

    // The file side. A file without the table (written before there were info records) is empty.
    static const char* CreateSql();
    TavStatus Load(CTavSqliteDb& db);
    TavStatus Save(CTavSqliteDb& db) const;

private:
    QMap<int, CTavDbDateInfoRecord> m_maps[kPeriods];
};
