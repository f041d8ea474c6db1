#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include "CTavDbAddrRecord.h"

// The layout of a comma-separated address file: its encoding, delimiter, whether the first line
// names the columns, and the card field each column goes to.
struct CTavDbAddrCsvFormat
{
    enum Encoding
    {
        Utf8,
        Cp932
    };

    // What a column fills. The text fields of a card come first, numbered as
    // CTavDbAddrRecord::Field; then the values that are not text.
    enum Target : int
    {
        TargetNone = -1,
        PhoneLabel1 = CTavDbAddrRecord::FieldCount, // ... PhoneLabel5: a slot's label
        DisplayPhone = PhoneLabel1 + CTavDbAddrRecord::kPhoneCount,
        Category,
        Private,
        // PhoneOfKind + label id: the first phone slot left empty, with that label.
        PhoneOfKind,
        TargetCount = PhoneOfKind + CTavDbAddrRecord::kPhoneLabelCount
    };

    // Layouts known by their header line.
    enum Layout
    {
        LayoutCustom, // chosen column by column
        LayoutOwn,    // the program's own export
        LayoutGoogle,
        LayoutThunderbird
    };

    Encoding encoding = Utf8;
    QChar delimiter = u',';
    bool hasHeader = true;
    // Per column, the field it fills; -1 leaves the column out.
    QList<int> columnFields;
    Layout layout = LayoutCustom;

    bool operator==(const CTavDbAddrCsvFormat&) const = default;

    // The layout a file's first bytes suggest: encoding, delimiter, and the fields of a header
    // line of a known layout.
    static CTavDbAddrCsvFormat Guess(const QByteArray& head);
    // The program's own layout: UTF-8, comma, header line, the columns of OwnHeader().
    static CTavDbAddrCsvFormat Own();
    static QStringList OwnHeader();
    static QList<int> OwnFields();

    // The layout whose column names the header matches best (LayoutCustom when none does).
    static Layout Recognise(const QStringList& header);
    // The fields of a header's columns as a layout names them (-1 for names it does not know).
    static QList<int> FieldsForHeader(const QStringList& header, Layout layout);
    // Switches to a known layout, mapping the columns of the file's header line (or, without
    // one, the layout's own column order).
    void UseLayout(Layout known, const QByteArray& head);

    // The first records of the bytes as text in this format, header line included.
    static QList<QStringList> Preview(const QByteArray& bytes, const CTavDbAddrCsvFormat& format, int rows);

    // Japanese names for the import dialog.
    static QString TargetName(int target);
    static QString LayoutName(Layout layout);
    // "own", "google", "thunderbird" (the command line's names).
    static QString LayoutKey(Layout layout);
    static bool LayoutFromKey(const QString& key, Layout* layout);
};
