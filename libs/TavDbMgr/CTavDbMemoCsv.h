#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "CTavDbTime.h"
#include "TavStatus.h"

// The memo pad's comma-separated text: RFC 4180 records, a header line, then one memo a line
// with its text, category name, private flag (0 or 1) and its creation and update times
// ("yyyy/MM/dd HH:mm:ss", local time). Written as UTF-8 with a byte-order mark; read as UTF-8
// (with or without the mark) when the bytes are valid UTF-8, else as code page 932.
class CTavDbMemoCsv final
{
public:
    static constexpr int kMaxCategoryBytes = 15;
    static constexpr qsizetype kMaxFileBytes = 64 * 1024 * 1024;

    struct Row
    {
        QString memo; // lines separated by line feeds
        QString category;
        bool isPrivate = false;
        TavTime created = 0; // 0: not given
        TavTime updated = 0;

        bool operator==(const Row&) const = default;
    };

    static QStringList HeaderNames();
    static QByteArray Write(const QList<Row>& rows);
    // All rows or none: on failure rows is left empty and error says which line is wrong.
    static TavStatus Read(const QByteArray& bytes, QList<Row>* rows, QString* error = nullptr);

    // The bytes as text: UTF-8 when they are valid UTF-8 (a byte-order mark is dropped), else
    // code page 932; ok is false when they are neither.
    static QString Decode(const QByteArray& bytes, bool* ok);
    // RFC 4180 records of the text; ok is false for a quote that is never closed or stray
    // text after a closing quote. Line breaks inside quotes are kept as line feeds.
    static QList<QStringList> ParseRecords(const QString& text, bool* ok, int* badLine = nullptr);
    static QString FormatTime(TavTime t);
    // 0 and false for text that is not a time of the stores' range.
    static TavTime ParseTime(const QString& text, bool* ok);

private:
    static QString quoted(const QString& field);
};
