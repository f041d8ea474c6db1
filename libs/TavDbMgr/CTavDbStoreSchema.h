#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "CTavDbCategory.h"
#include "TavStatus.h"

class CTavSqliteDb;

// The layout of a store file: a SQLite database marked as ours, a meta table (the store's
// kind, the last unique id handed out), the categories, and one row per record with the
// record kind's own columns after uid, seq (the store order), attr and category.
class CTavDbStoreSchema final
{
public:
    // columns: the record kind's column definitions ("memo TEXT, created INTEGER, ...").
    CTavDbStoreSchema(const char* kind, const char* columns);

    // Opens an existing file that must be a store of this kind: NotOurFile for another file or
    // kind or a newer layout, Corrupt for a damaged one.
    TavStatus Open(const QString& path, CTavSqliteDb& db) const;
    // The same test on a database already open (inside a transaction, for a file that may
    // have been replaced since it was loaded).
    TavStatus Check(CTavSqliteDb& db) const;
    // Creates the tables in a new, empty database (inside the caller's transaction, after
    // PrepareNewFile) and records the kind.
    TavStatus Create(CTavSqliteDb& db) const;
    // Settings that must precede the first table.
    static TavStatus PrepareNewFile(CTavSqliteDb& db);

    // Corrupt for more than maxCount rows, indexes out of order, an id twice, or an id no
    // category may have.
    TavStatus ReadCategories(CTavSqliteDb& db, QList<CTavDbCategory>& categories, int maxCount) const;
    // Replaces the stored categories.
    TavStatus WriteCategories(CTavSqliteDb& db, const QList<CTavDbCategory>& categories) const;
    static uint32_t ReadLastUniqueId(CTavSqliteDb& db);
    static TavStatus WriteLastUniqueId(CTavSqliteDb& db, uint32_t id);
    // A random value every write transaction replaces: equal stamps mean the same contents.
    // 0 for a file without one.
    static int64_t ReadWriteStamp(CTavSqliteDb& db);
    static TavStatus WriteWriteStamp(CTavSqliteDb& db, int64_t stamp);
    static int64_t NewWriteStamp();

    // The records in store order: uid, seq, attr, category, then the kind's columns.
    QByteArray SelectRecordsSql() const;
    // Inserts or replaces one record, the values bound in the order of SelectRecordsSql.
    QByteArray WriteRecordSql() const;

private:
    const char* m_kind;
    QByteArray m_columns;
    QByteArray m_columnNames;
};
