#pragma once

#include <QString>
#include <memory>

#include "CTavSqliteStatement.h"

struct sqlite3;

// One open SQLite database file.
class CTavSqliteDb final
{
public:
    CTavSqliteDb() = default;
    ~CTavSqliteDb();
    CTavSqliteDb(const CTavSqliteDb&) = delete;
    CTavSqliteDb& operator=(const CTavSqliteDb&) = delete;

    // Opens an existing file (create = false) or creates it. Returns the SQLite code.
    int open(const QString& path, bool create, bool readOnly = false);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    sqlite3* handle() const { return m_db; }

    int exec(const char* sql);
    std::unique_ptr<CTavSqliteStatement> prepare(const char* sql) const;
    // The first column of the first row of a query, or fallback.
    int64_t queryInt(const char* sql, int64_t fallback = -1) const;
    QString errorMessage() const;

private:
    sqlite3* m_db = nullptr;
};
