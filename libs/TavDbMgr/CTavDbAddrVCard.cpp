#include "CTavDbAddrVCard.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <vector>

#include "CTavDbAddrVCardReader.h"
#include "CTavDbAscii.h"
#include "CTavDbFileUtil.h"
#include "CTavDbVCardLines.h"
#include "CTavDbVCardProperty.h"
#include "CTavDbVCardWriter.h"

namespace {
using Rec = CTavDbAddrRecord;

bool isMarker(QByteArrayView line, QByteArrayView marker)
{
    while (line.endsWith(' ') || line.endsWith('\t'))
        line.chop(1);
    return CTavDbAscii::same(line, marker);
}
} // namespace

int CTavDbAddrVCard::LabelForTypes(bool fax, bool cell, bool pager, bool main, bool work, bool home)
{
    if (fax)
        return Rec::kLabelFax;
    if (cell)
        return Rec::kLabelMobile;
    if (pager)
        return Rec::kLabelPager;
    if (main)
        return Rec::kLabelMain;
    if (work)
        return Rec::kLabelWork;
    if (home)
        return Rec::kLabelHome;
    return Rec::kLabelOther;
}

QByteArray CTavDbAddrVCard::PhoneTypes(int labelId)
{
    switch (labelId) {
    case Rec::kLabelWork:
        return "WORK,VOICE";
    case Rec::kLabelHome:
        return "HOME,VOICE";
    case Rec::kLabelFax:
        return "FAX";
    case Rec::kLabelEmail:
        return "INTERNET";
    case Rec::kLabelMain:
        return "MAIN";
    case Rec::kLabelPager:
        return "PAGER";
    case Rec::kLabelMobile:
        return "CELL,VOICE";
    default:
        return "VOICE";
    }
}

TavStatus CTavDbAddrVCard::Read(const QByteArray& bytes, QList<Card>* cards, QStringList* notes)
{
    cards->clear();
    cards->reserve(std::min<qsizetype>(CountCardsAtMost(bytes), kMaxCards + 1));
    const TavStatus status = Read(
        bytes,
        [cards](Card& card) {
            if (cards->size() == kMaxCards)
                return TavStatusCode::RecordLimit;
            cards->append(std::move(card));
            return TavStatusCode::Ok;
        },
        notes);
    if (status == TavStatusCode::RecordLimit) {
        cards->clear();
        if (notes)
            *notes << QStringLiteral("カードが %1 件を超えています。").arg(kMaxCards);
    }
    return status;
}

TavStatus CTavDbAddrVCard::Read(const QByteArray& bytes, const CardSink& sink, QStringList* notes)
{
    QStringList ownNotes;
    QStringList& out = notes ? *notes : ownNotes;
    out.clear();
    if (bytes.size() > kMaxFileBytes) {
        out << QStringLiteral("ファイルが大きすぎます。");
        return TavStatusCode::InvalidArgument;
    }
    CTavDbVCardLines lines(bytes);
    std::vector<CTavDbAddrVCardReader::Line> pending;
    Card card;
    bool inCard = false;
    bool tooBig = false;
    int beginLine = 0;
    int found = 0;
    int delivered = 0;
    qsizetype size = 0;
    const QString cut = QStringLiteral("カードが END:VCARD で終わっていません。");
    while (lines.next()) {
        const QByteArrayView line = lines.line();
        if (isMarker(line, "BEGIN:VCARD")) {
            if (inCard)
                out << CTavDbAddrVCardReader::LineNote(beginLine, cut);
            inCard = true;
            tooBig = false;
            beginLine = lines.lineNumber();
            size = 0;
            pending.clear();
            ++found;
        } else if (!inCard) {
            continue; // text between cards
        } else if (isMarker(line, "END:VCARD")) {
            inCard = false;
            if (tooBig) {
                out << CTavDbAddrVCardReader::LineNote(
                    beginLine, QStringLiteral("カードが %1 MB を超えています。").arg(kMaxCardBytes >> 20));
            } else if (CTavDbAddrVCardReader::Build(pending, beginLine, &card, &out)) {
                const TavStatus status = sink(card);
                if (status != TavStatusCode::Ok)
                    return status;
                ++delivered;
            }
            pending.clear();
        } else if (!tooBig) {
            size += line.size();
            if (lines.overlong() || size > kMaxCardBytes) {
                tooBig = true;
                pending.clear();
            } else if (!line.isEmpty()) {
                pending.push_back({lines.lineBytes(), lines.lineNumber()});
            }
        }
    }
    if (inCard)
        out << CTavDbAddrVCardReader::LineNote(beginLine, cut);
    if (delivered == 0) {
        if (found == 0)
            out << QStringLiteral("vCard のカードがありません。");
        return TavStatusCode::Corrupt;
    }
    return TavStatusCode::Ok;
}

qsizetype CTavDbAddrVCard::CountCardsAtMost(QByteArrayView bytes)
{
    // One plain pass over the bytes: lines are short, and a search call per line costs more.
    static constexpr QByteArrayView marker("BEGIN:VCARD");
    qsizetype count = 0;
    const qsizetype n = bytes.size();
    for (qsizetype at = 0; at < n; ++at) {
        if (CTavDbAscii::upper(bytes[at]) == 'B' && CTavDbAscii::startsWith(bytes.sliced(at), marker))
            ++count;
        while (at < n && bytes[at] != '\n')
            ++at;
    }
    return count;
}

QByteArray CTavDbAddrVCard::Write(const QList<Card>& cards)
{
    CTavDbVCardWriter w;
    auto text = [](const QString& s) { return CTavDbVCardProperty::escape(s); };
    for (const Card& card : cards) {
        const Rec& r = card.record;
        w.line("BEGIN", "VCARD");
        w.line("VERSION", "3.0");
        w.line("N", text(r.GetLastName()) + u';' + text(r.GetFirstName()) + QStringLiteral(";;;"));
        QStringList name;
        for (const QString& part : {r.GetLastName(), r.GetFirstName()})
            if (!part.isEmpty())
                name << part;
        w.line("FN", text(name.isEmpty() ? r.GetCompany() : name.join(u' ')));
        w.optional("X-PHONETIC-LAST-NAME", text(r.GetLastNameYomi()));
        w.optional("X-PHONETIC-FIRST-NAME", text(r.GetFirstNameYomi()));
        QStringList sortString;
        for (const QString& part : {r.GetLastNameYomi(), r.GetFirstNameYomi()})
            if (!part.isEmpty())
                sortString << part;
        w.optional("SORT-STRING", text(sortString.join(u' ')));
        w.optional("ORG", text(r.GetCompany()));
        w.optional("X-PHONETIC-ORG", text(r.GetCompanyYomi()));
        w.optional("TITLE", text(r.GetTitle()));
        for (int slot = 0; slot < Rec::kPhoneCount; ++slot) {
            const QString phone = r.GetPhone(slot);
            if (phone.isEmpty())
                continue;
            const int label = r.GetPhoneLabelID(slot);
            QByteArray head = label == Rec::kLabelEmail ? "EMAIL;TYPE=" : "TEL;TYPE=";
            head += PhoneTypes(label);
            if (r.GetDisplayPhone() == slot + 1)
                head += ",PREF";
            w.line(head, text(phone));
        }
        QStringList adr{QString(), QString()};
        bool hasAddress = false;
        for (Rec::Field f : {Rec::Address, Rec::City, Rec::State, Rec::ZipCode, Rec::Country}) {
            adr << text(r.GetField(f));
            hasAddress = hasAddress || !r.GetField(f).isEmpty();
        }
        if (hasAddress)
            w.line("ADR;TYPE=WORK", adr.join(u';'));
        for (int i = 0; i < Rec::kCustomCount; ++i)
            w.optional("X-CUSTOM" + QByteArray::number(i + 1), text(r.GetCustom(i)));
        w.optional("NOTE", text(r.GetNote()));
        w.optional("CATEGORIES", text(card.category));
        if (r.GetIsPrivate())
            w.line("CLASS", QStringLiteral("PRIVATE"));
        const QByteArray& thumb = r.GetThumbData();
        if (!thumb.isEmpty())
            w.line(thumb.startsWith("\x89PNG") ? "PHOTO;ENCODING=b;TYPE=PNG" : "PHOTO;ENCODING=b;TYPE=JPEG",
                   QString::fromLatin1(thumb.toBase64()));
        w.line("END", "VCARD");
    }
    return w.bytes();
}

TavStatus CTavDbAddrVCard::LoadFile(const QString& path, QByteArray* bytes, QStringList* notes)
{
    bytes->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TavStatusCode::FileError;
    if (file.size() > kMaxFileBytes) {
        if (notes)
            *notes = QStringList{QStringLiteral("ファイルが大きすぎます。")};
        return TavStatusCode::InvalidArgument;
    }
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError ? TavStatusCode::Ok : TavStatusCode::FileError;
}

TavStatus CTavDbAddrVCard::WriteFile(const QString& path, const QList<Card>& cards)
{
    return CTavDbFileUtil::writeAtomically(path, Write(cards)) ? TavStatusCode::Ok : TavStatusCode::FileError;
}
