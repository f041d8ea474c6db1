#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "CTavDbAddrCsvFormat.h"
#include "CTavDbAddrRecord.h"

// Address cards as comma-separated text. Reading takes any layout (CTavDbAddrCsvFormat) and
// keeps the cards that read whole; every other record is named with its line. Writing uses the
// program's own layout: UTF-8 without a byte-order mark, a header line, CR LF between cards.
class CTavDbAddrCsv final
{
public:
    // A record longer than this is refused without being decoded.
    static constexpr qsizetype kMaxRecordBytes = 1024 * 1024;
    static constexpr qsizetype kMaxFileBytes = 256 * 1024 * 1024;
    static constexpr int kMaxCategoryBytes = 15;

    struct Row
    {
        int line = 0;     // where the card starts in the file, from 1
        QString category; // a category name, or a number for a category id; empty: unfiled
        CTavDbAddrRecord card;
    };

    // The cards of the bytes; refused gets "12行目: reason" for each record that is not taken.
    // Text over its byte limit refuses the card rather than being cut, so that nothing is lost
    // unseen. Blank records, and records whose mapped columns are all empty, are passed over.
    static QList<Row> Read(const QByteArray& bytes, const CTavDbAddrCsvFormat& format,
                           QStringList* refused = nullptr);
    static QByteArray Write(const QList<Row>& rows);

    // One field's bytes as text; ok is false for bytes that are not of the encoding.
    static QString Decode(const QByteArray& bytes, CTavDbAddrCsvFormat::Encoding encoding, bool* ok);
    // A phone label id from a number 0-7, the label's name or a common English or Japanese
    // word ("Mobile", "Work Fax", "携帯"); anything else is "other". -1 for a number out of range.
    static int ParseLabel(const QString& text);

private:
    static QString quoted(const QString& field);
};
