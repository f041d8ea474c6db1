#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

struct sqlite3;
struct sqlite3_stmt;

// A prepared statement. Binding and reading go through a running column index, so that a
// record writes and reads its fields in one list without counting them.
class CTavSqliteStatement final
{
public:
    CTavSqliteStatement(sqlite3* db, const char* sql);
    ~CTavSqliteStatement();
    CTavSqliteStatement(const CTavSqliteStatement&) = delete;
    CTavSqliteStatement& operator=(const CTavSqliteStatement&) = delete;

    bool isValid() const { return m_stmt != nullptr; }

    // Binding, from parameter 1 on.
    CTavSqliteStatement& bind(int64_t value);
    CTavSqliteStatement& bind(int value) { return bind(static_cast<int64_t>(value)); }
    CTavSqliteStatement& bind(uint32_t value) { return bind(static_cast<int64_t>(value)); }
    CTavSqliteStatement& bind(bool value) { return bind(static_cast<int64_t>(value ? 1 : 0)); }
    CTavSqliteStatement& bind(const QString& value);
    CTavSqliteStatement& bindBlob(const QByteArray& value);

    // Runs a statement that yields no rows; resets it for the next use. Returns the SQLite code.
    int exec();
    // Steps to the next row: true while there is one; check lastError() after false.
    bool next();
    int lastError() const { return m_lastCode; }
    void reset();

    // Reading the current row, from column 0 on.
    int64_t int64();
    int32_t int32() { return static_cast<int32_t>(int64()); }
    uint32_t uint32() { return static_cast<uint32_t>(int64()); }
    bool boolean() { return int64() != 0; }
    QString text();
    QByteArray blob();
    void skip(int columns = 1) { m_column += columns; }

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_param = 1;
    int m_column = 0;
    int m_lastCode = 0;
};
