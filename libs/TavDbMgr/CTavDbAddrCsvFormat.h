#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>

// The layout of a comma-separated address file: its encoding, delimiter, whether the first line
// names the columns, and the card field each column goes to.
struct CTavDbAddrCsvFormat
{
    enum Encoding
    {
        Utf8,
        Cp932
    };

    Encoding encoding = Utf8;
    QChar delimiter = u',';
    bool hasHeader = true;
    // Per column, the field it fills; -1 leaves the column out.
    QList<int> columnFields;

    // The layout a file's first bytes suggest: encoding, delimiter, and the fields of a header
    // line of a known layout.
    static CTavDbAddrCsvFormat Guess(const QByteArray& head);
};
