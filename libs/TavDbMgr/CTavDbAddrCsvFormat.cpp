#include "CTavDbAddrCsvFormat.h"

#include <QStringDecoder>

#include "CTavDbAddr.h"
#include "CTavDbAddrCsv.h"
#include "CTavDbCsvSplitter.h"

namespace {
using R = CTavDbAddrRecord;
using F = CTavDbAddrCsvFormat;

struct Column
{
    const char* name;
    int target;
};

// The program's own columns, in the order it writes them.
const Column kOwn[] = {
    {"category", F::Category},
    {"private", F::Private},
    {"last_name", R::LastName},
    {"first_name", R::FirstName},
    {"last_name_reading", R::LastNameYomi},
    {"first_name_reading", R::FirstNameYomi},
    {"company", R::Company},
    {"company_reading", R::CompanyYomi},
    {"title", R::Title},
    {"phone1_label", F::PhoneLabel1},
    {"phone1", R::Phone1},
    {"phone2_label", F::PhoneLabel1 + 1},
    {"phone2", R::Phone2},
    {"phone3_label", F::PhoneLabel1 + 2},
    {"phone3", R::Phone3},
    {"phone4_label", F::PhoneLabel1 + 3},
    {"phone4", R::Phone4},
    {"phone5_label", F::PhoneLabel1 + 4},
    {"phone5", R::Phone5},
    {"display_phone", F::DisplayPhone},
    {"zip", R::ZipCode},
    {"state", R::State},
    {"city", R::City},
    {"address", R::Address},
    {"country", R::Country},
    {"custom1", R::Custom1},
    {"custom2", R::Custom2},
    {"custom3", R::Custom3},
    {"custom4", R::Custom4},
    {"note", R::Note},
};

// The target of a phone of that label in the first free slot.
constexpr int kind(int label)
{
    return F::PhoneOfKind + label;
}
constexpr int kEmail = kind(R::kLabelEmail);

// Both generations of the contacts export: "Given Name"... and "First Name"..., phones with a
// type (or label) column each, e-mail addresses into free phone slots.
const Column kGoogle[] = {
    {"Given Name", R::FirstName},
    {"Family Name", R::LastName},
    {"Given Name Yomi", R::FirstNameYomi},
    {"Family Name Yomi", R::LastNameYomi},
    {"Organization 1 - Name", R::Company},
    {"Organization 1 - Yomi", R::CompanyYomi},
    {"Organization 1 - Title", R::Title},
    {"First Name", R::FirstName},
    {"Last Name", R::LastName},
    {"Phonetic First Name", R::FirstNameYomi},
    {"Phonetic Last Name", R::LastNameYomi},
    {"Organization Name", R::Company},
    {"Organization Title", R::Title},
    {"Notes", R::Note},
    {"Address 1 - Street", R::Address},
    {"Address 1 - City", R::City},
    {"Address 1 - Region", R::State},
    {"Address 1 - Postal Code", R::ZipCode},
    {"Address 1 - Country", R::Country},
    {"Phone 1 - Type", F::PhoneLabel1},
    {"Phone 1 - Label", F::PhoneLabel1},
    {"Phone 1 - Value", R::Phone1},
    {"Phone 2 - Type", F::PhoneLabel1 + 1},
    {"Phone 2 - Label", F::PhoneLabel1 + 1},
    {"Phone 2 - Value", R::Phone2},
    {"Phone 3 - Type", F::PhoneLabel1 + 2},
    {"Phone 3 - Label", F::PhoneLabel1 + 2},
    {"Phone 3 - Value", R::Phone3},
    {"E-mail 1 - Value", kEmail},
    {"E-mail 2 - Value", kEmail},
};

// The mail program's export, in its column order, then its Japanese column names.
constexpr int kThunderbirdColumns = 37;
const Column kThunderbird[] = {
    {"First Name", R::FirstName},
    {"Last Name", R::LastName},
    {"Display Name", F::TargetNone},
    {"Nickname", F::TargetNone},
    {"Primary Email", kEmail},
    {"Secondary Email", kEmail},
    {"Screen Name", F::TargetNone},
    {"Work Phone", kind(R::kLabelWork)},
    {"Home Phone", kind(R::kLabelHome)},
    {"Fax Number", kind(R::kLabelFax)},
    {"Pager Number", kind(R::kLabelPager)},
    {"Mobile Number", kind(R::kLabelMobile)},
    {"Home Address", R::Address},
    {"Home Address 2", F::TargetNone},
    {"Home City", R::City},
    {"Home State", R::State},
    {"Home ZipCode", R::ZipCode},
    {"Home Country", R::Country},
    {"Work Address", F::TargetNone},
    {"Work Address 2", F::TargetNone},
    {"Work City", F::TargetNone},
    {"Work State", F::TargetNone},
    {"Work ZipCode", F::TargetNone},
    {"Work Country", F::TargetNone},
    {"Job Title", R::Title},
    {"Department", F::TargetNone},
    {"Organization", R::Company},
    {"Web Page 1", F::TargetNone},
    {"Web Page 2", F::TargetNone},
    {"Birth Year", F::TargetNone},
    {"Birth Month", F::TargetNone},
    {"Birth Day", F::TargetNone},
    {"Custom 1", R::Custom1},
    {"Custom 2", R::Custom2},
    {"Custom 3", R::Custom3},
    {"Custom 4", R::Custom4},
    {"Notes", R::Note},
    {"名", R::FirstName},
    {"姓", R::LastName},
    {"表示名", F::TargetNone},
    {"ニックネーム", F::TargetNone},
    {"電子メール", kEmail},
    {"第 2 電子メール", kEmail},
    {"勤務先電話番号", kind(R::kLabelWork)},
    {"自宅電話番号", kind(R::kLabelHome)},
    {"FAX 番号", kind(R::kLabelFax)},
    {"ポケットベル番号", kind(R::kLabelPager)},
    {"携帯電話番号", kind(R::kLabelMobile)},
    {"自宅住所", R::Address},
    {"自宅の市区町村", R::City},
    {"自宅の都道府県", R::State},
    {"自宅の郵便番号", R::ZipCode},
    {"自宅の国", R::Country},
    {"役職", R::Title},
    {"勤務先", R::Company},
    {"メモ", R::Note},
};

template <size_t N> QList<const Column*> columnsOf(const Column (&table)[N])
{
    QList<const Column*> out;
    for (const Column& c : table)
        out << &c;
    return out;
}

QList<const Column*> columnsOf(F::Layout layout)
{
    switch (layout) {
    case F::LayoutOwn:
        return columnsOf(kOwn);
    case F::LayoutGoogle:
        return columnsOf(kGoogle);
    case F::LayoutThunderbird:
        return columnsOf(kThunderbird);
    case F::LayoutCustom:
        break;
    }
    return {};
}

// The layout's column (matched ignoring case and surrounding blanks), or null.
const Column* find(const QList<const Column*>& columns, const QString& name)
{
    const QString key = name.trimmed();
    for (const Column* c : columns)
        if (key.compare(QString::fromUtf8(c->name), Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

// Whether the bytes are UTF-8 up to a character the head may have cut at its end.
bool readsAsUtf8(const QByteArray& head)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(head);
    return !decoder.hasError() && text.size() >= 0;
}

// The delimiter whose count stays the same, and above zero, over most of the first lines
// (counted outside quotes); comma when none does.
QChar guessDelimiter(const QByteArray& head)
{
    const char candidates[] = {',', '\t', ';'};
    QList<std::array<int, 3>> lines;
    std::array<int, 3> counts{};
    bool inQuotes = false;
    for (qsizetype i = 0; i < head.size() && lines.size() < 20; ++i) {
        const char c = head.at(i);
        if (c == '"')
            inQuotes = !inQuotes;
        else if (!inQuotes && (c == '\n' || c == '\r')) {
            if (c == '\r' && i + 1 < head.size() && head.at(i + 1) == '\n')
                ++i;
            lines << counts;
            counts = {};
        } else if (!inQuotes) {
            for (int k = 0; k < 3; ++k)
                counts[k] += c == candidates[k];
        }
    }
    if (lines.isEmpty())
        lines << counts;
    int best = 0;
    std::pair<int, int> bestScore{-1, -1};
    for (int k = 0; k < 3; ++k) {
        const int first = lines.first()[k];
        int steady = 0;
        for (const auto& line : lines)
            steady += first > 0 && line[k] == first;
        const std::pair<int, int> score{steady, first};
        if (score > bestScore) {
            bestScore = score;
            best = k;
        }
    }
    return bestScore.second > 0 ? QChar(candidates[best]) : QChar(u',');
}
} // namespace

QStringList CTavDbAddrCsvFormat::OwnHeader()
{
    QStringList names;
    for (const Column& c : kOwn)
        names << QString::fromLatin1(c.name);
    return names;
}

QList<int> CTavDbAddrCsvFormat::OwnFields()
{
    QList<int> fields;
    for (const Column& c : kOwn)
        fields << c.target;
    return fields;
}

CTavDbAddrCsvFormat CTavDbAddrCsvFormat::Own()
{
    CTavDbAddrCsvFormat f;
    f.columnFields = OwnFields();
    f.layout = LayoutOwn;
    return f;
}

CTavDbAddrCsvFormat::Layout CTavDbAddrCsvFormat::Recognise(const QStringList& header)
{
    Layout best = LayoutCustom;
    int bestCount = 1; // one matching name proves nothing
    for (Layout layout : {LayoutOwn, LayoutGoogle, LayoutThunderbird}) {
        const QList<const Column*> columns = columnsOf(layout);
        int count = 0;
        for (const QString& name : header)
            count += find(columns, name) != nullptr;
        if (count > bestCount) {
            bestCount = count;
            best = layout;
        }
    }
    return best;
}

QList<int> CTavDbAddrCsvFormat::FieldsForHeader(const QStringList& header, Layout layout)
{
    const QList<const Column*> columns = columnsOf(layout);
    QList<int> fields;
    for (const QString& name : header) {
        int target = TargetNone;
        if (const Column* c = find(columns, name)) {
            target = c->target;
        } else if (layout == LayoutCustom) {
            // A header of the dialog's own field names maps to those fields.
            for (int t = 0; t < TargetCount; ++t)
                if (name.trimmed() == TargetName(t))
                    target = t;
        }
        fields << target;
    }
    return fields;
}

QList<QStringList> CTavDbAddrCsvFormat::Preview(const QByteArray& bytes, const CTavDbAddrCsvFormat& format,
                                                int rows)
{
    QList<QStringList> out;
    const char delimiter =
        format.delimiter.unicode() < 0x80 ? static_cast<char>(format.delimiter.unicode()) : ',';
    CTavDbCsvSplitter splitter(bytes, delimiter, CTavDbAddrCsv::kMaxRecordBytes);
    QList<QByteArray> fields;
    while (out.size() < rows) {
        const CTavDbCsvSplitter::Result r = splitter.Next(&fields);
        if (r == CTavDbCsvSplitter::End || r == CTavDbCsvSplitter::Cut)
            break;
        if (CTavDbCsvSplitter::IsBlank(fields))
            continue;
        QStringList values;
        for (const QByteArray& f : std::as_const(fields)) {
            bool ok = true;
            values << CTavDbAddrCsv::Decode(f, format.encoding, &ok);
        }
        out << values;
    }
    return out;
}

void CTavDbAddrCsvFormat::UseLayout(Layout known, const QByteArray& head)
{
    layout = known;
    if (hasHeader) {
        columnFields = FieldsForHeader(Preview(head, *this, 1).value(0), known);
        return;
    }
    // Without names the columns are taken in the layout's own order (its English names).
    QStringList names;
    for (const Column* c : columnsOf(known))
        names << QString::fromUtf8(c->name);
    columnFields =
        FieldsForHeader(known == LayoutThunderbird ? names.mid(0, kThunderbirdColumns) : names, known);
}

CTavDbAddrCsvFormat CTavDbAddrCsvFormat::Guess(const QByteArray& head)
{
    CTavDbAddrCsvFormat f;
    f.encoding = readsAsUtf8(head.startsWith("\xEF\xBB\xBF") ? head.mid(3) : head) ? Utf8 : Cp932;
    f.delimiter = guessDelimiter(head);
    const QStringList first = Preview(head, f, 1).value(0);
    f.layout = Recognise(first);
    if (f.layout != LayoutCustom) {
        f.columnFields = FieldsForHeader(first, f.layout);
        return f;
    }
    // A first line without digits or '@' names columns rather than holding a card.
    f.hasHeader = std::none_of(first.begin(), first.end(), [](const QString& v) {
        return v.contains(u'@') || std::any_of(v.begin(), v.end(), [](QChar c) { return c.isDigit(); });
    });
    f.columnFields = f.hasHeader ? FieldsForHeader(first, LayoutCustom) : OwnFields();
    if (!f.hasHeader)
        f.layout = LayoutOwn;
    return f;
}

QString CTavDbAddrCsvFormat::TargetName(int target)
{
    static const QStringList texts = {
        QStringLiteral("姓"),         QStringLiteral("よみ（姓）"), QStringLiteral("名"),
        QStringLiteral("よみ（名）"), QStringLiteral("会社"),       QStringLiteral("よみ（会社）"),
        QStringLiteral("役職"),       QStringLiteral("電話 1"),     QStringLiteral("電話 2"),
        QStringLiteral("電話 3"),     QStringLiteral("電話 4"),     QStringLiteral("電話 5"),
        QStringLiteral("住所"),       QStringLiteral("市町村"),     QStringLiteral("都道府県"),
        QStringLiteral("郵便番号"),   QStringLiteral("国名"),       QStringLiteral("カスタム 1"),
        QStringLiteral("カスタム 2"), QStringLiteral("カスタム 3"), QStringLiteral("カスタム 4"),
        QStringLiteral("コメント")};
    if (target >= 0 && target < texts.size())
        return texts.at(target);
    if (target >= PhoneLabel1 && target < DisplayPhone)
        return QStringLiteral("電話 %1 の種類").arg(target - PhoneLabel1 + 1);
    if (target == DisplayPhone)
        return QStringLiteral("通常使用する連絡先");
    if (target == Category)
        return QStringLiteral("カテゴリ");
    if (target == Private)
        return QStringLiteral("プライベート");
    if (target >= PhoneOfKind && target < TargetCount)
        return QStringLiteral("%1（空いている電話欄）")
            .arg(CTavDbAddr::GetPhoneLabelName(target - PhoneOfKind));
    return QStringLiteral("（読み込まない）");
}

QString CTavDbAddrCsvFormat::LayoutName(Layout layout)
{
    switch (layout) {
    case LayoutOwn:
        return QStringLiteral("Lumora");
    case LayoutGoogle:
        return QStringLiteral("Google コンタクト");
    case LayoutThunderbird:
        return QStringLiteral("Thunderbird");
    case LayoutCustom:
        break;
    }
    return QStringLiteral("ユーザー設定");
}

QString CTavDbAddrCsvFormat::LayoutKey(Layout layout)
{
    switch (layout) {
    case LayoutOwn:
        return QStringLiteral("own");
    case LayoutGoogle:
        return QStringLiteral("google");
    case LayoutThunderbird:
        return QStringLiteral("thunderbird");
    case LayoutCustom:
        break;
    }
    return QStringLiteral("custom");
}

bool CTavDbAddrCsvFormat::LayoutFromKey(const QString& key, Layout* layout)
{
    for (Layout l : {LayoutOwn, LayoutGoogle, LayoutThunderbird})
        if (key == LayoutKey(l)) {
            *layout = l;
            return true;
        }
    return false;
}
