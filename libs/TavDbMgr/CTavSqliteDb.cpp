#include "CTavSqliteDb.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

CTavSqliteDb::~CTavSqliteDb()
{
    close();
}

int CTavSqliteDb::open(const QString& path, bool create, bool readOnly)
{
    close();
    int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    const QByteArray name = path.toUtf8();
    if (create && !readOnly) {
        flags |= SQLITE_OPEN_CREATE;
        // SQLite makes new files 0644 less the umask, and its journals copy the file's mode;
        // an empty file made here first keeps both for the owner alone.
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
        if (fd >= 0)
            ::close(fd);
    }
    const int rc = sqlite3_open_v2(name.constData(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
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
