#include "CTavDbDateInfoTable.h"

#include <sqlite3.h>

#include "CTavSqliteDb.h"

const CTavDbDateInfoRecord* CTavDbDateInfoTable::Find(Period period, int key) const
{
    const auto it = m_maps[period].constFind(key);
    return it == m_maps[period].cend() ? nullptr : &*it;
}

int CTavDbDateInfoTable::RemoveBefore(Period period, int key)
{
    QMap<int, CTavDbDateInfoRecord>& map = m_maps[period];
    int removed = 0;
    for (auto it = map.begin(); it != map.end() && it.key() < key;) {
        it = map.erase(it);
        ++removed;
    }
    return removed;
}

void CTavDbDateInfoTable::Clear()
{
    for (auto& map : m_maps)
        map.clear();
}

void CTavDbDateInfoTable::MergeFrom(const CTavDbDateInfoTable& base, const CTavDbDateInfoTable& theirs)
{
    for (int period = 0; period < kPeriods; ++period) {
        const QMap<int, CTavDbDateInfoRecord>& was = base.m_maps[period];
        const QMap<int, CTavDbDateInfoRecord>& ours = m_maps[period];
        QMap<int, CTavDbDateInfoRecord> merged = theirs.m_maps[period];
        for (auto it = ours.cbegin(); it != ours.cend(); ++it) {
            const auto old = was.constFind(it.key());
            if (old == was.cend() || !(*old == *it))
                merged.insert(it.key(), *it);
        }
        for (auto it = was.cbegin(); it != was.cend(); ++it)
            if (!ours.contains(it.key()))
                merged.remove(it.key());
        m_maps[period] = std::move(merged);
    }
}

const char* CTavDbDateInfoTable::CreateSql()
{
    return "CREATE TABLE IF NOT EXISTS period_info(period INTEGER NOT NULL, period_key INTEGER NOT NULL, "
           "color_set INTEGER, color INTEGER, sheet TEXT, PRIMARY KEY(period, period_key))";
}

TavStatus CTavDbDateInfoTable::Load(CTavSqliteDb& db)
{
    Clear();
    if (db.queryInt("SELECT count(*) FROM sqlite_master WHERE type='table' AND name='period_info'", 0) == 0)
        return TavStatusCode::Ok;
    CTavSqliteStatement st(db.handle(),
                           "SELECT period, period_key, color_set, color, sheet FROM period_info");
    while (st.next()) {
        const int period = st.int32();
        const int key = st.int32();
        CTavDbDateInfoRecord info;
        const bool colorSet = st.boolean();
        info.SetColor(colorSet, st.uint32());
        info.SetSheetName(st.text());
        if (period < 0 || period >= kPeriods)
            return TavStatusCode::Corrupt;
        m_maps[period].insert(key, info);
    }
    return st.lastError() == SQLITE_OK ? TavStatusCode::Ok : TavStatusCode::Corrupt;
}

TavStatus CTavDbDateInfoTable::Save(CTavSqliteDb& db) const
{
    if (db.exec(CreateSql()) != SQLITE_OK || db.exec("DELETE FROM period_info") != SQLITE_OK)
        return TavStatusCode::FileError;
    CTavSqliteStatement st(
        db.handle(),
        "INSERT INTO period_info(period, period_key, color_set, color, sheet) VALUES(?,?,?,?,?)");
    for (int period = 0; period < kPeriods; ++period) {
        for (auto it = m_maps[period].cbegin(); it != m_maps[period].cend(); ++it) {
            bool colorSet = false;
            uint32_t color = 0;
            it->GetColor(colorSet, color);
            st.bind(period).bind(it.key()).bind(colorSet).bind(color).bind(it->GetSheetName());
            if (st.exec() != SQLITE_OK)
                return TavStatusCode::FileError;
        }
    }
    return TavStatusCode::Ok;
}
