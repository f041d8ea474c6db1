#include "CTavDbAddrCsv.h"

#include "CTavDbAddr.h"
#include "CTavDbCsvSplitter.h"
#include "CTavDbText.h"

namespace {
using Format = CTavDbAddrCsvFormat;

bool isAscii(const QByteArray& bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

QString lineError(int line, const QString& what)
{
    return QStringLiteral("%1行目: %2").arg(line).arg(what);
}

// "1", "true", "はい"... for the private flag; ok is false for words it does not know.
bool parseFlag(const QString& text, bool* ok)
{
    static const QStringList yes = {QStringLiteral("1"), QStringLiteral("true"), QStringLiteral("yes"),
                                    QStringLiteral("はい"), QStringLiteral("プライベート")};
    static const QStringList no = {QString(), QStringLiteral("0"), QStringLiteral("false"),
                                   QStringLiteral("no"), QStringLiteral("いいえ")};
    const QString t = text.trimmed().toLower();
    *ok = yes.contains(t) || no.contains(t);
    return yes.contains(t);
}

// Fills the card from one record's values; false with the reason when the record is refused.
bool fillCard(const QStringList& values, const QList<int>& targets, CTavDbAddrCsv::Row* row, QString* why)
{
    CTavDbAddrRecord& card = row->card;
    QList<std::pair<int, QString>> kinds; // phones for the first free slot, with their labels
    const qsizetype n = std::min(values.size(), targets.size());
    for (qsizetype i = 0; i < n; ++i) {
        const int t = targets.at(i);
        const QString& v = values.at(i);
        if (t < 0 || t >= Format::TargetCount || v.isEmpty())
            continue;
        if (t < CTavDbAddrRecord::FieldCount) {
            // Two columns on one field: the first that holds text wins.
            const auto field = static_cast<CTavDbAddrRecord::Field>(t);
            if (card.GetField(field).isEmpty())
                card.SetField(field, v);
        } else if (t < Format::DisplayPhone) {
            const int label = CTavDbAddrCsv::ParseLabel(v);
            if (label < 0) {
                *why = QStringLiteral("%1 \"%2\" が正しくありません。").arg(Format::TargetName(t), v);
                return false;
            }
            card.SetPhoneLabelID(t - Format::PhoneLabel1, label);
        } else if (t == Format::DisplayPhone) {
            bool ok = false;
            const int slot = v.trimmed().toInt(&ok);
            if (!v.trimmed().isEmpty() && (!ok || slot < 0 || slot >= CTavDbAddrRecord::kPhoneCount)) {
                *why = QStringLiteral("%1 \"%2\" は 0 から 4 の数です。").arg(Format::TargetName(t), v);
                return false;
            }
            card.SetDisplayPhone(ok ? slot + 1 : 0);
        } else if (t == Format::Category) {
            if (row->category.isEmpty())
                row->category = v.trimmed();
        } else if (t == Format::Private) {
            bool ok = false;
            card.SetPrivate(parseFlag(v, &ok));
            if (!ok) {
                *why = QStringLiteral("%1 \"%2\" は 0 か 1 です。").arg(Format::TargetName(t), v);
                return false;
            }
        } else {
            kinds.append({t - Format::PhoneOfKind, v});
        }
    }
    // A display phone column that is there but empty means no usual contact.
    for (qsizetype i = 0; i < n; ++i)
        if (targets.at(i) == Format::DisplayPhone && values.at(i).trimmed().isEmpty())
            card.SetDisplayPhone(0);
    for (const auto& [label, text] : kinds) {
        int slot = 0;
        while (slot < CTavDbAddrRecord::kPhoneCount && !card.GetPhone(slot).isEmpty())
            ++slot;
        if (slot == CTavDbAddrRecord::kPhoneCount) {
            *why = QStringLiteral("電話番号とメールアドレスが %1 件を超えています。")
                       .arg(CTavDbAddrRecord::kPhoneCount);
            return false;
        }
        card.SetPhone(slot, text);
        card.SetPhoneLabelID(slot, label);
    }
    const CTavDbAddrRecord::Field overlong = card.FirstOverlongField();
    if (overlong != CTavDbAddrRecord::FieldCount) {
        *why = QStringLiteral("%1が %2 バイトを超えています。")
                   .arg(Format::TargetName(overlong))
                   .arg(CTavDbAddrRecord::MaxBytes(overlong));
        return false;
    }
    if (CTavDbText::mbLength(row->category) > CTavDbAddrCsv::kMaxCategoryBytes) {
        *why = QStringLiteral("カテゴリ名 \"%1\" が長すぎます。").arg(row->category);
        return false;
    }
    return true;
}
} // namespace

QString CTavDbAddrCsv::Decode(const QByteArray& bytes, CTavDbAddrCsvFormat::Encoding encoding, bool* ok)
{
    *ok = true;
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    if (encoding == CTavDbAddrCsvFormat::Cp932)
        return CTavDbText::fromCp932(bytes, ok);
    *ok = CTavDbText::isValidUtf8(bytes);
    return QString::fromUtf8(bytes);
}

int CTavDbAddrCsv::ParseLabel(const QString& text)
{
    QString t = text.trimmed();
    bool isNumber = false;
    const int number = t.toInt(&isNumber);
    if (isNumber)
        return number >= 0 && number < CTavDbAddrRecord::kPhoneLabelCount ? number : -1;
    for (int id = 0; id < CTavDbAddrRecord::kPhoneLabelCount; ++id)
        if (t == CTavDbAddr::GetPhoneLabelName(id))
            return id;
    // Exporters mark the preferred value ("* Mobile") and join several ("Work ::: Mobile").
    t = t.toLower();
    if (t.startsWith(u'*'))
        t = t.mid(1).trimmed();
    t = t.section(QStringLiteral(":::"), 0, 0).trimmed();
    struct Word
    {
        const char16_t* word;
        int label;
    };
    static const Word words[] = {
        {u"fax", CTavDbAddrRecord::kLabelFax},      {u"ファックス", CTavDbAddrRecord::kLabelFax},
        {u"ｆａｘ", CTavDbAddrRecord::kLabelFax},   {u"mail", CTavDbAddrRecord::kLabelEmail},
        {u"メール", CTavDbAddrRecord::kLabelEmail}, {u"mobile", CTavDbAddrRecord::kLabelMobile},
        {u"cell", CTavDbAddrRecord::kLabelMobile},  {u"携帯", CTavDbAddrRecord::kLabelMobile},
        {u"pager", CTavDbAddrRecord::kLabelPager},  {u"ポケ", CTavDbAddrRecord::kLabelPager},
        {u"main", CTavDbAddrRecord::kLabelMain},    {u"代表", CTavDbAddrRecord::kLabelMain},
        {u"work", CTavDbAddrRecord::kLabelWork},    {u"会社", CTavDbAddrRecord::kLabelWork},
        {u"勤務", CTavDbAddrRecord::kLabelWork},    {u"home", CTavDbAddrRecord::kLabelHome},
        {u"自宅", CTavDbAddrRecord::kLabelHome},
    };
    for (const Word& w : words)
        if (t.contains(QString::fromUtf16(w.word)))
            return w.label;
    return CTavDbAddrRecord::kLabelOther;
}

QList<CTavDbAddrCsv::Row> CTavDbAddrCsv::Read(const QByteArray& bytes, const CTavDbAddrCsvFormat& format,
                                              QStringList* refused)
{
    QList<Row> rows;
    auto refuse = [&](int line, const QString& why) {
        if (refused)
            refused->append(lineError(line, why));
    };
    const char delimiter =
        static_cast<char>(format.delimiter.unicode() < 0x80 ? format.delimiter.unicode() : ',');
    // The common case, a whole file of valid UTF-8, is checked once instead of field by field.
    const bool allUtf8 = format.encoding == CTavDbAddrCsvFormat::Utf8 && CTavDbText::isValidUtf8(bytes);
    CTavDbCsvSplitter splitter(bytes, delimiter, kMaxRecordBytes);
    QList<QByteArray> fields;
    QStringList values;
    bool header = format.hasHeader;
    for (CTavDbCsvSplitter::Result r; (r = splitter.Next(&fields)) != CTavDbCsvSplitter::End;) {
        const int line = splitter.RecordLine();
        if (r == CTavDbCsvSplitter::Cut) {
            refuse(line, QStringLiteral("引用符 (\") が閉じられないままファイルが終わっています。"));
            break;
        }
        if (std::exchange(header, false))
            continue;
        if (r == CTavDbCsvSplitter::TooLong) {
            refuse(line, QStringLiteral("1 件のデータが %1 MB を超えています。").arg(kMaxRecordBytes >> 20));
            continue;
        }
        if (CTavDbCsvSplitter::IsBlank(fields))
            continue;
        values.clear();
        bool decoded = true;
        for (const QByteArray& f : std::as_const(fields)) {
            bool ok = true;
            values.append(allUtf8 ? QString::fromUtf8(f) : Decode(f, format.encoding, &ok));
            decoded = decoded && ok;
        }
        if (!decoded) {
            refuse(line, format.encoding == CTavDbAddrCsvFormat::Utf8
                             ? QStringLiteral("UTF-8 として読めない文字があります。")
                             : QStringLiteral("シフト JIS として読めない文字があります。"));
            continue;
        }
        Row row;
        row.line = line;
        QString why;
        if (!fillCard(values, format.columnFields, &row, &why))
            refuse(line, why);
        else if (!row.card.IsEmpty())
            rows.append(std::move(row));
    }
    return rows;
}

QString CTavDbAddrCsv::quoted(const QString& field)
{
    if (field.isEmpty() ||
        (!field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') && !field.contains(u'\r')))
        return field;
    QString out = field;
    out.replace(u'"', QStringLiteral("\"\""));
    return u'"' + out + u'"';
}

QByteArray CTavDbAddrCsv::Write(const QList<Row>& rows)
{
    const QList<int> fields = CTavDbAddrCsvFormat::OwnFields();
    QString text = CTavDbAddrCsvFormat::OwnHeader().join(u',') + QStringLiteral("\r\n");
    for (const Row& row : rows) {
        const CTavDbAddrRecord& card = row.card;
        bool first = true;
        for (int t : fields) {
            if (!std::exchange(first, false))
                text += u',';
            if (t < CTavDbAddrRecord::FieldCount)
                text += quoted(card.GetField(static_cast<CTavDbAddrRecord::Field>(t)));
            else if (t < Format::DisplayPhone)
                text += QString::number(card.GetPhoneLabelID(t - Format::PhoneLabel1));
            else if (t == Format::DisplayPhone)
                text += card.GetDisplayPhone() > 0 ? QString::number(card.GetDisplayPhone() - 1) : QString();
            else if (t == Format::Category)
                text += quoted(row.category);
            else if (t == Format::Private)
                text += card.GetIsPrivate() ? u'1' : u'0';
        }
        text += QStringLiteral("\r\n");
    }
    return text.toUtf8();
}
