#include "CTavSqliteStatement.h"

#include <sqlite3.h>

CTavSqliteStatement::CTavSqliteStatement(sqlite3* db, const char* sql)
{
    m_lastCode = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr);
    if (m_lastCode != SQLITE_OK)
        m_stmt = nullptr;
}

CTavSqliteStatement::~CTavSqliteStatement() { sqlite3_finalize(m_stmt); }

CTavSqliteStatement& CTavSqliteStatement::bind(int64_t value)
{
    sqlite3_bind_int64(m_stmt, m_param++, value);
    return *this;
}

CTavSqliteStatement& CTavSqliteStatement::bind(const QString& value)
{
    // UTF-16 goes in as it is; SQLite converts only when the file keeps another encoding.
    sqlite3_bind_text16(m_stmt, m_param++, value.constData(), static_cast<int>(value.size() * 2),
                        SQLITE_TRANSIENT);
    return *this;
}

CTavSqliteStatement& CTavSqliteStatement::bindBlob(const QByteArray& value)
{
    sqlite3_bind_blob(m_stmt, m_param++, value.constData(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
    return *this;
}

int CTavSqliteStatement::exec()
{
    if (!m_stmt)
        return m_lastCode ? m_lastCode : SQLITE_MISUSE;
    m_lastCode = sqlite3_step(m_stmt);
    reset();
    return m_lastCode == SQLITE_DONE || m_lastCode == SQLITE_ROW ? SQLITE_OK : m_lastCode;
}

bool CTavSqliteStatement::next()
{
    if (!m_stmt)
        return false;
    m_column = 0;
    m_lastCode = sqlite3_step(m_stmt);
    if (m_lastCode == SQLITE_ROW)
        return true;
    if (m_lastCode == SQLITE_DONE)
        m_lastCode = SQLITE_OK;
    return false;
}

void CTavSqliteStatement::reset()
{
    if (!m_stmt)
        return;
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    m_param = 1;
    m_column = 0;
}

int64_t CTavSqliteStatement::int64() { return sqlite3_column_int64(m_stmt, m_column++); }

QString CTavSqliteStatement::text()
{
    const int col = m_column++;
    const auto* data = static_cast<const QChar*>(sqlite3_column_text16(m_stmt, col));
    const int bytes = sqlite3_column_bytes16(m_stmt, col);
    return data && bytes > 0 ? QString(data, bytes / 2) : QString();
}

QByteArray CTavSqliteStatement::blob()
{
    const int col = m_column++;
    const auto* data = static_cast<const char*>(sqlite3_column_blob(m_stmt, col));
    return data ? QByteArray(data, sqlite3_column_bytes(m_stmt, col)) : QByteArray();
}
