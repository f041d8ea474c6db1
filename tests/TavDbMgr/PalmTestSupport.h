#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QtEndian>
#include <cstdint>
#include "TestDataDir.h"

// Test helpers for the handheld database files, written apart from the library so that the
// tests do not take its word for the layout.
namespace PalmTest {

// A real handheld database file of tests/data/handheld.
inline QString palmFile(const QString& name)
{
    return QStringLiteral(LUMORA_TEST_DATA_DIR "/handheld/") + name;
}

inline QByteArray readFile(const QString& path)
{
    return TestDataDir::ReadFile(path);
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    return TestDataDir::WriteFile(path, bytes);
}

constexpr uint32_t code(const char (&text)[5])
{
    return (uint32_t(uint8_t(text[0])) << 24) | (uint32_t(uint8_t(text[1])) << 16) |
           (uint32_t(uint8_t(text[2])) << 8) | uint32_t(uint8_t(text[3]));
}

inline void put16(QByteArray& out, qsizetype at, uint16_t v)
{
    qToBigEndian<uint16_t>(v, out.data() + at);
}
inline void put32(QByteArray& out, qsizetype at, uint32_t v)
{
    qToBigEndian<uint32_t>(v, out.data() + at);
}
inline QByteArray be16(uint16_t v)
{
    QByteArray out(2, '\0');
    put16(out, 0, v);
    return out;
}
inline QByteArray be32(uint32_t v)
{
    return be16(uint16_t(v >> 16)) + be16(uint16_t(v));
}

// A database file laid out by hand: header, entries, gap, app info, sort info, records.
struct DbFile
{
    QByteArray name = "TestDB";
    uint16_t attributes = 0x0008;
    uint32_t modificationNumber = 15;
    uint32_t type = code("DATA");
    uint32_t creator = code("test");
    QByteArray gap = QByteArray(2, '\0');
    bool hasAppInfo = false;
    QByteArray appInfo;
    bool hasSortInfo = false;
    QByteArray sortInfo;
    struct Record
    {
        uint8_t attributes = 0;
        uint32_t uniqueId = 0;
        uint32_t type = 0; // resources
        uint16_t id = 0;   // resources
        QByteArray data;
    };
    QList<Record> records;

    bool resource() const { return attributes & 0x0001; }
    QByteArray bytes() const
    {
        const int entry = resource() ? 10 : 8;
        QByteArray out(78 + entry * records.size(), '\0');
        out.replace(0, qMin<qsizetype>(name.size(), 32), name.left(32));
        put16(out, 0x20, attributes);
        put32(out, 0x24, 0xDC52D18E); // created
        put32(out, 0x30, modificationNumber);
        put32(out, 0x3C, type);
        put32(out, 0x40, creator);
        put16(out, 0x4C, uint16_t(records.size()));
        qsizetype at = out.size() + gap.size();
        if (hasAppInfo)
            put32(out, 0x34, uint32_t(at));
        at += appInfo.size();
        if (hasSortInfo)
            put32(out, 0x38, uint32_t(at));
        at += sortInfo.size();
        for (int i = 0; i < records.size(); ++i) {
            const Record& r = records[i];
            const qsizetype e = 78 + qsizetype(i) * entry;
            if (resource()) {
                put32(out, e, r.type);
                put16(out, e + 4, r.id);
                put32(out, e + 6, uint32_t(at));
            } else {
                put32(out, e, uint32_t(at));
                out[e + 4] = char(r.attributes);
                out[e + 5] = char(r.uniqueId >> 16);
                out[e + 6] = char(r.uniqueId >> 8);
                out[e + 7] = char(r.uniqueId);
            }
            at += r.data.size();
        }
        out += gap + appInfo + sortInfo;
        for (const Record& r : records)
            out += r.data;
        return out;
    }
};

// The handheld's packed 16-bit date: day in the low 5 bits, month in the next 4, year - 1904.
inline uint16_t handheldDate(int year, int month, int day)
{
    return uint16_t(((year - 1904) << 9) | (month << 5) | day);
}

// Record 0 of a holiday or six-day database: the year at 280, the label count at 292, labels of
// 16 bytes from 296.
inline QByteArray yearHeader(int size, int year, int labelCount = 0, const QList<QByteArray>& labels = {})
{
    QByteArray header(size, '\0');
    for (int i = 0; i < 278 && i < size; ++i)
        header[i] = char(0x5A); // stands for fields the readers must not care about
    put16(header, 280, uint16_t(year));
    if (size >= 294)
        put16(header, 292, uint16_t(labelCount));
    for (int i = 0; i < labels.size(); ++i)
        header.replace(296 + 16 * i, labels[i].size(), labels[i]);
    return header;
}

} // namespace PalmTest
