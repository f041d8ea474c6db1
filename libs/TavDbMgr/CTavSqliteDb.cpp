#include "CTavSqliteDb.h"

#include <sqlite3.h>

CTavSqliteDb::~CTavSqliteDb() { close(); }

int CTavSqliteDb::open(const QString& path, bool create, bool readOnly)
{
    close();
    int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (create && !readOnly)
        flags |= SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
        return rc;
    }
    sqlite3_busy_timeout(m_db, 2000);
    return SQLITE_OK;
}

void CTavSqliteDb::close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

int CTavSqliteDb::exec(const char* sql)
{
    return m_db ? sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) : SQLITE_MISUSE;
}

std::unique_ptr<CTavSqliteStatement> CTavSqliteDb::prepare(const char* sql) const
{
    return std::make_unique<CTavSqliteStatement>(m_db, sql);
}

int64_t CTavSqliteDb::queryInt(const char* sql, int64_t fallback) const
{
    CTavSqliteStatement st(m_db, sql);
    return st.next() ? st.int64() : fallback;
}

QString CTavSqliteDb::errorMessage() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("not open");
}
