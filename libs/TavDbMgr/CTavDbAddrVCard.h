#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "CTavDbAddrRecord.h"
#include "TavStatus.h"

// Address cards as vCard files. Reads 2.1 (Shift_JIS, quoted-printable, as Japanese phones
// write it), 3.0 and 4.0, several cards a file; writes 3.0 in UTF-8. Readings are taken from
// whichever notation a file uses (SOUND;X-IRMC-N, X-PHONETIC-*, SORT-STRING, SORT-AS) and
// kept as full-width katakana. Text over a field's limit is cut at a character.
class CTavDbAddrVCard final
{
public:
    // A card bigger than this (a photo of megabytes, a runaway line) is refused.
    static constexpr qsizetype kMaxCardBytes = 1 << 20;
    static constexpr qsizetype kMaxFileBytes = qsizetype(256) << 20;
    // No store holds more cards; a file with more is refused (RecordLimit) without reading on.
    static constexpr int kMaxCards = 65535;

    struct Card
    {
        CTavDbAddrRecord record; // with its private flag; the category is by name
        QString category;
    };

    // Takes each card that reads whole, in file order; a status other than Ok stops the
    // reading and is returned.
    using CardSink = std::function<TavStatus(Card&)>;

    // The cards that read whole go to the sink, in file order. notes names, with its line
    // ("12行目: ..."), each card refused and each photo that was left out. Corrupt when not one
    // card reads.
    static TavStatus Read(const QByteArray& bytes, const CardSink& sink, QStringList* notes = nullptr);
    // The same into a list; RecordLimit (and no cards) for more than kMaxCards.
    static TavStatus Read(const QByteArray& bytes, QList<Card>* cards, QStringList* notes = nullptr);
    // No fewer than the cards the bytes hold: the lines that start with BEGIN:VCARD.
    static qsizetype CountCardsAtMost(QByteArrayView bytes);
    // A file's bytes; FileError when it cannot be read, InvalidArgument (and a note) when it
    // is over kMaxFileBytes.
    static TavStatus LoadFile(const QString& path, QByteArray* bytes, QStringList* notes = nullptr);
    // vCard 3.0 in UTF-8, lines folded at 75 octets, CR LF.
    static QByteArray Write(const QList<Card>& cards);
    // Write to a file, atomically; FileError when it cannot be written (the old file stays).
    static TavStatus WriteFile(const QString& path, const QList<Card>& cards);
    // A label id's TEL types as written; Read maps each back to the same id.
    static QByteArray PhoneTypes(int labelId);
    // The label id of a TEL line's types.
    static int LabelForTypes(bool fax, bool cell, bool pager, bool main, bool work, bool home);
};
