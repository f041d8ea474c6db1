#include "CTavDbStoreSchema.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QStringList>
#include <sqlite3.h>

#include "CTavDbPcRecord.h"
#include "CTavSqliteDb.h"
#include "CTavSqliteStatement.h"

namespace {
// 'LMRA' marks our store files; user_version counts layout revisions.
constexpr int kApplicationId = 0x4C4D5241;
constexpr int kSchemaVersion = 1;

QByteArray columnNames(const char* columns)
{
    QStringList names;
    for (const QString& part : QString::fromLatin1(columns).split(u',', Qt::SkipEmptyParts))
        names << part.trimmed().section(u' ', 0, 0);
    return names.join(u',').toLatin1();
}
} // namespace

CTavDbStoreSchema::CTavDbStoreSchema(const char* kind, const char* columns)
    : m_kind(kind), m_columns(columns), m_columnNames(columnNames(columns))
{
}

TavStatus CTavDbStoreSchema::Open(const QString& path, CTavSqliteDb& db) const
{
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly))
        return TavStatusCode::FileError;
    if (probe.read(16) != QByteArray("SQLite format 3\0", 16))
        return TavStatusCode::NotOurFile;
    probe.close();

    // Read-write without create: a hot journal left by a crash must be rolled back.
    if (db.open(path, false) != SQLITE_OK)
        return TavStatusCode::FileError;
    return Check(db);
}

TavStatus CTavDbStoreSchema::Check(CTavSqliteDb& db) const
{
    const int64_t appId = db.queryInt("PRAGMA application_id", -1);
    if (appId == -1)
        return TavStatusCode::Corrupt;
    if (appId != kApplicationId || db.queryInt("PRAGMA user_version", -1) > kSchemaVersion)
        return TavStatusCode::NotOurFile;
    CTavSqliteStatement kind(db.handle(), "SELECT value FROM meta WHERE key='kind'");
    if (kind.next() && kind.text() == QLatin1String(m_kind))
        return TavStatusCode::Ok;
    return kind.lastError() == SQLITE_OK || kind.lastError() == SQLITE_ROW ? TavStatusCode::NotOurFile
                                                                           : TavStatusCode::Corrupt;
}

TavStatus CTavDbStoreSchema::PrepareNewFile(CTavSqliteDb& db)
{
    // Text is kept as UTF-16, the form QString holds, so that reading and writing copy it
    // instead of converting it.
    return db.exec("PRAGMA encoding='UTF-16le'") == SQLITE_OK ? TavStatusCode::Ok : TavStatusCode::FileError;
}

TavStatus CTavDbStoreSchema::Create(CTavSqliteDb& db) const
{
    const QByteArray schema =
        "PRAGMA application_id=" + QByteArray::number(kApplicationId) +
        ";PRAGMA user_version=" + QByteArray::number(kSchemaVersion) +
        ";CREATE TABLE meta(key TEXT PRIMARY KEY, value);"
        "CREATE TABLE categories(idx INTEGER PRIMARY KEY, id INTEGER NOT NULL, name TEXT, "
        "file TEXT, flags INTEGER);"
        "CREATE TABLE records(uid INTEGER PRIMARY KEY, seq INTEGER NOT NULL, attr INTEGER, "
        "category INTEGER, " +
        m_columns + ");";
    if (db.exec(schema.constData()) != SQLITE_OK)
        return TavStatusCode::FileError;
    CTavSqliteStatement st(db.handle(), "INSERT INTO meta(key,value) VALUES('kind',?)");
    st.bind(QString::fromLatin1(m_kind));
    return st.exec() == SQLITE_OK ? TavStatusCode::Ok : TavStatusCode::FileError;
}

TavStatus CTavDbStoreSchema::ReadCategories(CTavSqliteDb& db, QList<CTavDbCategory>& categories,
                                            int maxCount) const
{
    categories.clear();
    QSet<uint32_t> ids;
    CTavSqliteStatement st(db.handle(), "SELECT idx,id,name,file,flags FROM categories ORDER BY idx");
    while (st.next()) {
        CTavDbCategory c;
        c.SetIndex(st.int32());
        c.SetID(st.uint32());
        c.SetName(st.text());
        c.SetFileName(st.text());
        c.SetFlags(st.uint32());
        c.SetDirty(false);
        // A store keeps at most maxCount categories in the order of their indexes, each with an
        // id of its own from 0 to 255 but the filter's 99; anything else comes from a damaged
        // file (whose rows may even come out of order).
        if (categories.size() == maxCount || c.GetID() > 255 || c.GetID() == CTavDbPcRecord::kAllCategories ||
            ids.contains(c.GetID()) ||
            (!categories.isEmpty() && c.GetIndex() <= categories.last().GetIndex()))
            return TavStatusCode::Corrupt;
        ids.insert(c.GetID());
        categories.append(c);
    }
    return st.lastError() == SQLITE_OK ? TavStatusCode::Ok : TavStatusCode::Corrupt;
}

TavStatus CTavDbStoreSchema::WriteCategories(CTavSqliteDb& db, const QList<CTavDbCategory>& categories) const
{
    if (db.exec("DELETE FROM categories") != SQLITE_OK)
        return TavStatusCode::FileError;
    CTavSqliteStatement st(db.handle(), "INSERT INTO categories(idx,id,name,file,flags) VALUES(?,?,?,?,?)");
    for (const CTavDbCategory& c : categories) {
        st.bind(c.GetIndex()).bind(c.GetID()).bind(c.GetName()).bind(c.GetFileName()).bind(c.GetFlags());
        if (st.exec() != SQLITE_OK)
            return TavStatusCode::FileError;
    }
    return TavStatusCode::Ok;
}

uint32_t CTavDbStoreSchema::ReadLastUniqueId(CTavSqliteDb& db)
{
    return static_cast<uint32_t>(db.queryInt("SELECT value FROM meta WHERE key='lastUniqueId'", 0));
}

TavStatus CTavDbStoreSchema::WriteLastUniqueId(CTavSqliteDb& db, uint32_t id)
{
    CTavSqliteStatement st(db.handle(), "INSERT OR REPLACE INTO meta(key,value) VALUES('lastUniqueId',?)");
    st.bind(id);
    return st.exec() == SQLITE_OK ? TavStatusCode::Ok : TavStatusCode::FileError;
}

int64_t CTavDbStoreSchema::ReadWriteStamp(CTavSqliteDb& db)
{
    return db.queryInt("SELECT value FROM meta WHERE key='writeStamp'", 0);
}

TavStatus CTavDbStoreSchema::WriteWriteStamp(CTavSqliteDb& db, int64_t stamp)
{
    CTavSqliteStatement st(db.handle(), "INSERT OR REPLACE INTO meta(key,value) VALUES('writeStamp',?)");
    st.bind(stamp);
    return st.exec() == SQLITE_OK ? TavStatusCode::Ok : TavStatusCode::FileError;
}

int64_t CTavDbStoreSchema::NewWriteStamp()
{
    // Random rather than counted: a restored or copied file may carry any count, but never the
    // stamp of a write it did not come from.
    int64_t stamp = 0;
    while (stamp == 0)
        stamp = static_cast<int64_t>(QRandomGenerator::global()->generate64() >> 1);
    return stamp;
}

QByteArray CTavDbStoreSchema::SelectRecordsSql() const
{
    return "SELECT uid,seq,attr,category," + m_columnNames + " FROM records ORDER BY seq";
}

QByteArray CTavDbStoreSchema::WriteRecordSql() const
{
    QByteArray sql =
        "INSERT OR REPLACE INTO records(uid,seq,attr,category," + m_columnNames + ") VALUES(?,?,?,?";
    for (int i = m_columnNames.count(',') + 1; i > 0; --i)
        sql += ",?";
    return sql + ")";
}
