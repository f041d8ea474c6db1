#pragma once

#include <sqlite3.h>

#include "CTavSqliteDb.h"

// Keeps a write transaction open until commit() or destruction (which rolls back).
class CTavSqliteTransaction final
{
public:
    explicit CTavSqliteTransaction(CTavSqliteDb& db) : m_db(db)
    {
        m_ok = m_db.exec("BEGIN IMMEDIATE") == SQLITE_OK;
    }
    ~CTavSqliteTransaction()
    {
        if (m_ok && !m_done)
            m_db.exec("ROLLBACK");
    }
    CTavSqliteTransaction(const CTavSqliteTransaction&) = delete;
    CTavSqliteTransaction& operator=(const CTavSqliteTransaction&) = delete;

    bool ok() const { return m_ok; }
    bool commit()
    {
        m_done = true;
        return m_db.exec("COMMIT") == SQLITE_OK;
    }

private:
    CTavSqliteDb& m_db;
    bool m_ok = false;
    bool m_done = false;
};
