#include "CTavDbAddrVCardReader.h"

#include "CTavDbAddrThumb.h"
#include "CTavDbAscii.h"
#include "CTavDbKana.h"
#include "CTavDbText.h"
#include "CTavDbVCardProperty.h"

namespace {
using Dialect = CTavDbVCardProperty::Dialect;
using Rec = CTavDbAddrRecord;

using Line = CTavDbAddrVCardReader::Line;

// A name (last, first) read from one of the notations of readings.
struct Reading
{
    QString last;
    QString first;
    bool given = false;
    void set(const QStringList& parts)
    {
        last = parts.value(0);
        first = parts.value(1);
        given = true;
    }
};

struct Phone
{
    QString text;
    int label;
    int rank;
};

Dialect dialectOf(const std::vector<Line>& lines)
{
    for (const Line& l : lines) {
        if (l.bytes.size() > 8 && CTavDbAscii::startsWith(l.bytes, "VERSION:")) {
            const QByteArray v = l.bytes.mid(8).trimmed();
            return v.startsWith('2') ? Dialect::V21 : v.startsWith('4') ? Dialect::V40 : Dialect::V30;
        }
    }
    return Dialect::V30;
}

// Readings as the store keeps them: full-width katakana, surrounding blanks dropped.
QString reading(const QString& text)
{
    return CTavDbKana::toFullWidth(text).trimmed();
}

// "ヤマダ タロウ": the last name's reading before the first blank, the first name's after it.
QStringList splitSortString(const QString& text)
{
    const QString t = text.trimmed();
    for (qsizetype i = 0; i < t.size(); ++i)
        if (t[i] == u' ' || t[i] == QChar(0x3000))
            return {t.left(i), t.mid(i + 1).trimmed()};
    return {t};
}

QStringList sortAs(const CTavDbVCardProperty& p, Dialect dialect)
{
    const QString v = p.paramText("SORT-AS", dialect);
    return v.isEmpty() ? QStringList() : CTavDbVCardProperty::split(v, u',', Dialect::V30);
}

// A photo's bytes: a data: address (4.0), or the value in its transfer encoding.
QByteArray photoBytes(const CTavDbVCardProperty& p, bool* ok)
{
    const QByteArrayView v = p.rawValue();
    if (v.size() > 5 && CTavDbAscii::startsWith(v, "DATA:")) {
        const qsizetype comma = v.indexOf(',');
        *ok = comma > 0;
        if (!*ok)
            return {};
        const QByteArray head = v.first(comma).toByteArray().toLower();
        const QByteArray data = v.sliced(comma + 1).toByteArray();
        if (!head.endsWith(";base64"))
            return QByteArray::fromPercentEncoding(data);
        auto decoded = QByteArray::fromBase64Encoding(data, QByteArray::AbortOnBase64DecodingErrors);
        *ok = bool(decoded);
        return decoded ? *decoded : QByteArray();
    }
    return p.bytes(ok);
}

bool isLink(const CTavDbVCardProperty& p)
{
    const QByteArrayView value = p.param("VALUE");
    return CTavDbAscii::same(value, "URI") || CTavDbAscii::same(value, "URL");
}

// True when the text had to be cut to the field's limit.
bool setField(Rec& rec, Rec::Field f, const QString& text)
{
    const int limit = Rec::MaxBytes(f);
    const QString kept = text.size() * 2 > limit ? CTavDbText::truncateToBytes(text, limit) : text;
    rec.SetField(f, kept);
    return kept.size() != text.size();
}
} // namespace

QString CTavDbAddrVCardReader::LineNote(int line, const QString& what)
{
    return QStringLiteral("%1行目: %2").arg(line).arg(what);
}

bool CTavDbAddrVCardReader::Build(const std::vector<Line>& lines, int beginLine, CTavDbAddrVCard::Card* card,
                                  QStringList* notes)
{
    bool cut = false; // a field longer than the handheld keeps
    const Dialect dialect = dialectOf(lines);
    CTavDbVCardProperty p;
    QString last, first, fn, company, companyReading, title, note;
    QString custom[Rec::kCustomCount];
    bool haveCustom[Rec::kCustomCount] = {};
    bool haveName = false, haveTitle = false, haveNote = false, haveCategory = false, isPrivate = false;
    Reading phonetic, irmc, sortAsName, sortString;
    QStringList address;
    bool addressPreferred = false;
    QVarLengthArray<Phone, 8> phones;
    std::vector<const Line*> photos;
    QString category;

    for (const Line& l : lines) {
        if (!p.parse(l.bytes))
            continue;
        const QByteArrayView name = p.name();
        if (p.is("N")) {
            if (haveName)
                continue;
            haveName = true;
            const QStringList parts = p.components(dialect);
            last = parts.value(0);
            first = parts.value(1);
            const QStringList s = sortAs(p, dialect);
            if (!s.isEmpty())
                sortAsName.set(s);
        } else if (p.is("FN")) {
            if (fn.isEmpty())
                fn = p.value(dialect);
        } else if (p.is("ORG")) {
            if (company.isEmpty())
                company = p.components(dialect).value(0);
            const QStringList s = sortAs(p, dialect);
            if (!s.isEmpty() && companyReading.isEmpty())
                companyReading = s.value(0);
        } else if (p.is("TEL") || p.is("EMAIL")) {
            QString text = p.value(dialect);
            if (dialect == Dialect::V40 && text.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
                text = text.mid(4);
            if (text.isEmpty())
                continue;
            const int label = p.is("EMAIL")
                                  ? Rec::kLabelEmail
                                  : CTavDbAddrVCard::LabelForTypes(p.hasType("FAX"),
                                                                   p.hasType("CELL") || p.hasType("IPHONE"),
                                                                   p.hasType("PAGER"), p.hasType("MAIN"),
                                                                   p.hasType("WORK"), p.hasType("HOME"));
            phones.append({text, label, p.prefRank()});
        } else if (p.is("ADR")) {
            const bool preferred = p.prefRank() > 0;
            if (!address.isEmpty() && (addressPreferred || !preferred))
                continue;
            const QStringList parts = p.components(dialect);
            // Street first; a suite or building and a post office box follow it.
            QStringList street;
            for (int i : {2, 1, 0})
                if (!parts.value(i).isEmpty())
                    street << parts.value(i);
            address = {street.join(u' '), parts.value(3), parts.value(4), parts.value(5), parts.value(6)};
            addressPreferred = preferred;
        } else if (p.is("SOUND")) {
            if (p.hasType("X-IRMC-N"))
                irmc.set(p.components(dialect));
            else if (p.hasType("X-IRMC-ORG") && companyReading.isEmpty())
                companyReading = p.components(dialect).value(0);
        } else if (p.is("X-PHONETIC-LAST-NAME")) {
            phonetic.last = p.value(dialect);
            phonetic.given = true;
        } else if (p.is("X-PHONETIC-FIRST-NAME")) {
            phonetic.first = p.value(dialect);
            phonetic.given = true;
        } else if (p.is("X-PHONETIC-ORG")) {
            companyReading = p.value(dialect);
        } else if (p.is("SORT-STRING")) {
            sortString.set(splitSortString(p.value(dialect)));
        } else if (p.is("TITLE")) {
            if (!haveTitle)
                title = p.value(dialect);
            haveTitle = true;
        } else if (p.is("NOTE")) {
            if (haveNote)
                note += u'\n';
            note += p.value(dialect); // appended in place: a card may hold thousands of notes
            haveNote = true;
        } else if (p.is("CATEGORIES")) {
            if (!haveCategory)
                category = p.components(dialect, u',').value(0).trimmed();
            haveCategory = true;
        } else if (p.is("CLASS") || p.is("X-CLASS")) {
            const QString c = p.value(dialect).trimmed();
            isPrivate = c.compare(QLatin1String("PRIVATE"), Qt::CaseInsensitive) == 0 ||
                        c.compare(QLatin1String("CONFIDENTIAL"), Qt::CaseInsensitive) == 0;
        } else if (p.is("PHOTO")) {
            photos.push_back(&l);
        } else if (name.size() == 9 && CTavDbAscii::startsWith(name, "X-CUSTOM") && name[8] >= '1' &&
                   name[8] <= '4') {
            const int i = name[8] - '1';
            if (!haveCustom[i])
                custom[i] = p.value(dialect);
            haveCustom[i] = true;
        }
    }

    Rec& rec = card->record;
    rec = Rec();
    if (last.isEmpty() && first.isEmpty() && fn != company)
        last = fn; // a card of 4.0 may give its name only as FN; a company's card names it there
    cut |= setField(rec, Rec::LastName, last);
    cut |= setField(rec, Rec::FirstName, first);
    cut |= setField(rec, Rec::Company, company);
    cut |= setField(rec, Rec::CompanyYomi, reading(companyReading));
    for (const Reading* r : {&phonetic, &irmc, &sortAsName, &sortString}) {
        if (r->given) {
            cut |= setField(rec, Rec::LastNameYomi, reading(r->last));
            cut |= setField(rec, Rec::FirstNameYomi, reading(r->first));
            break;
        }
    }
    cut |= setField(rec, Rec::Title, title);
    if (!address.isEmpty())
        for (Rec::Field f : {Rec::Address, Rec::City, Rec::State, Rec::ZipCode, Rec::Country})
            cut |= setField(rec, f, address.at(f - Rec::Address));
    for (int i = 0; i < Rec::kCustomCount; ++i)
        cut |= setField(rec, Rec::Field(Rec::Custom1 + i), custom[i]);
    cut |= setField(rec, Rec::Note, note);

    // The first five phones and e-mail addresses; empty slots take the labels not used yet,
    // in the handheld's default order.
    const int used = std::min<int>(int(phones.size()), Rec::kPhoneCount);
    bool labelUsed[Rec::kPhoneLabelCount] = {};
    int bestRank = 0;
    for (int slot = 0; slot < used; ++slot) {
        cut |= setField(rec, Rec::Field(Rec::Phone1 + slot), phones[slot].text);
        rec.SetPhoneLabelID(slot, phones[slot].label);
        labelUsed[phones[slot].label] = true;
        if (phones[slot].rank > 0 && (bestRank == 0 || phones[slot].rank < bestRank)) {
            bestRank = phones[slot].rank;
            rec.SetDisplayPhone(slot + 1);
        }
    }
    if (bestRank == 0)
        rec.SetDisplayPhone(0);
    for (int slot = used, label = 0; slot < Rec::kPhoneCount; ++slot) {
        while (labelUsed[label])
            ++label;
        rec.SetPhoneLabelID(slot, label++);
    }

    for (const Line* l : photos) {
        p.parse(l->bytes);
        if (isLink(p))
            continue; // a picture elsewhere is not fetched
        bool ok = false;
        const QByteArray data = photoBytes(p, &ok);
        const QByteArray thumb = ok ? CTavDbAddrThumb::FromPicture(data) : QByteArray();
        if (thumb.isEmpty()) {
            notes->append(LineNote(l->number, QStringLiteral("写真が画像として読めないため、省きました。")));
            continue;
        }
        rec.SetThumbData(thumb);
        rec.SetThumbName(QStringLiteral("photo.jpg"));
        rec.SetDummyThumb(1);
        break;
    }
    if (rec.IsEmpty() && rec.GetThumbData().isEmpty()) {
        notes->append(LineNote(beginLine, QStringLiteral("カードに内容がありません。")));
        return false;
    }
    // What the card lost on the way in is said, not dropped silently.
    if (cut)
        notes->append(LineNote(beginLine, QStringLiteral("長すぎる項目を切り詰めて読み込みました。")));
    if (phones.size() > Rec::kPhoneCount)
        notes->append(LineNote(
            beginLine,
            QStringLiteral("電話番号と電子メールは最初の %1 件だけ読み込みました。").arg(Rec::kPhoneCount)));
    rec.SetPrivate(isPrivate);
    card->category = category;
    return true;
}
