#include "CTavDbMemoCsv.h"

#include "CTavDbMemoRecord.h"
#include "CTavDbText.h"

namespace {
const char kBom[] = "\xEF\xBB\xBF";

QString lineError(int line, const QString& what)
{
    return QStringLiteral("%1 行目: %2").arg(line).arg(what);
}

QString recordError(int record, const QString& what)
{
    return QStringLiteral("%1 件目のメモ: %2").arg(record).arg(what);
}
} // namespace

QStringList CTavDbMemoCsv::HeaderNames()
{
    return {QStringLiteral("内容"), QStringLiteral("カテゴリ"), QStringLiteral("プライベート"),
            QStringLiteral("作成日時"), QStringLiteral("更新日時")};
}

QString CTavDbMemoCsv::quoted(const QString& field)
{
    if (!field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') && !field.contains(u'\r') &&
        field.trimmed() == field)
        return field;
    QString out = field;
    out.replace(u'"', QStringLiteral("\"\""));
    return u'"' + out + u'"';
}

QString CTavDbMemoCsv::FormatTime(TavTime t)
{
    return CTavDbTime::toDateTime(t).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

TavTime CTavDbMemoCsv::ParseTime(const QString& text, bool* ok)
{
    *ok = false;
    const QString t = text.trimmed();
    QDateTime dt;
    for (const char* format : {"yyyy/MM/dd HH:mm:ss", "yyyy/MM/dd HH:mm", "yyyy/M/d H:mm:ss", "yyyy/M/d H:mm",
                               "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm:ss"}) {
        dt = QDateTime::fromString(t, QLatin1String(format));
        if (dt.isValid())
            break;
    }
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(t, QStringLiteral("yyyy/M/d"));
        if (d.isValid())
            dt = d.startOfDay();
    }
    if (!dt.isValid() || dt.date() < QDate(1970, 1, 2) || dt.date() > CTavDbTime::lastDate())
        return 0;
    *ok = true;
    return CTavDbTime::fromDateTime(dt);
}

QByteArray CTavDbMemoCsv::Write(const QList<Row>& rows)
{
    QString text = HeaderNames().join(u',') + QStringLiteral("\r\n");
    for (const Row& row : rows) {
        text += quoted(row.memo) + u',' + quoted(row.category) + u',' + (row.isPrivate ? u'1' : u'0') + u',' +
                (row.created ? FormatTime(row.created) : QString()) + u',' +
                (row.updated ? FormatTime(row.updated) : QString()) + QStringLiteral("\r\n");
    }
    return QByteArray(kBom) + text.toUtf8();
}

QString CTavDbMemoCsv::Decode(const QByteArray& bytes, bool* ok)
{
    if (bytes.startsWith(kBom)) {
        const QByteArray rest = bytes.mid(3);
        *ok = CTavDbText::isValidUtf8(rest);
        return *ok ? QString::fromUtf8(rest) : QString();
    }
    if (CTavDbText::isValidUtf8(bytes)) {
        *ok = true;
        return QString::fromUtf8(bytes);
    }
    bool clean = false;
    const QString text = CTavDbText::fromCp932(bytes, &clean);
    *ok = clean;
    return clean ? text : QString();
}

QList<QStringList> CTavDbMemoCsv::ParseRecords(const QString& text, bool* ok, int* badLine)
{
    QList<QStringList> records;
    QStringList fields;
    QString field;
    bool inQuotes = false;
    bool wasQuoted = false;
    int line = 1;
    int recordLine = 1;
    *ok = false;
    const qsizetype n = text.size();
    auto fail = [&](int at) {
        if (badLine)
            *badLine = at;
        return QList<QStringList>();
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c == u'"') {
                if (i + 1 < n && text.at(i + 1) == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else if (c == u'\r' || c == u'\n') {
                // CR LF, CR or LF, as between records: a lone CR kept here would turn a
                // following line feed into CR LF, which the next read takes for one break.
                if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                    ++i;
                field += u'\n';
                ++line;
            } else {
                field += c;
            }
            continue;
        }
        if (c == u'"') {
            if (!field.isEmpty() || wasQuoted)
                return fail(line);
            inQuotes = wasQuoted = true;
        } else if (c == u',') {
            fields << field;
            field.clear();
            wasQuoted = false;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            fields << field;
            records << fields;
            fields.clear();
            field.clear();
            wasQuoted = false;
            recordLine = ++line;
        } else {
            if (wasQuoted)
                return fail(line);
            field += c;
        }
    }
    if (inQuotes)
        return fail(recordLine);
    if (!field.isEmpty() || !fields.isEmpty() || wasQuoted) {
        fields << field;
        records << fields;
    }
    *ok = true;
    return records;
}

TavStatus CTavDbMemoCsv::Read(const QByteArray& bytes, QList<Row>* rows, QString* error)
{
    rows->clear();
    auto failed = [&](TavStatus status, const QString& why) {
        rows->clear();
        if (error)
            *error = why;
        return status;
    };
    if (bytes.size() > kMaxFileBytes)
        return failed(TavStatusCode::InvalidArgument, QStringLiteral("ファイルが大きすぎます。"));
    bool ok = false;
    const QString text = Decode(bytes, &ok);
    if (!ok)
        return failed(TavStatusCode::Corrupt,
                      QStringLiteral("文字コードが UTF-8 でもシフト JIS でもありません。"));
    int badLine = 0;
    const QList<QStringList> records = ParseRecords(text, &ok, &badLine);
    if (!ok)
        return failed(TavStatusCode::Corrupt,
                      lineError(badLine, QStringLiteral("引用符 (\") が正しくありません。")));
    int line = 0;
    bool first = true;
    for (const QStringList& fields : records) {
        if (first) {
            first = false;
            QStringList trimmed;
            for (const QString& f : fields)
                trimmed << f.trimmed();
            if (trimmed == HeaderNames())
                continue;
        }
        if (fields.size() == 1 && fields.first().isEmpty())
            continue;
        ++line;
        if (fields.size() > HeaderNames().size())
            return failed(TavStatusCode::InvalidArgument,
                          recordError(line, QStringLiteral("項目が多すぎます。")));
        Row row;
        row.memo = fields.at(0);
        if (row.memo.isEmpty())
            return failed(TavStatusCode::InvalidArgument,
                          recordError(line, QStringLiteral("メモが空です。")));
        if (CTavDbText::mbLength(row.memo) > CTavDbMemoRecord::kMaxBytes)
            return failed(TavStatusCode::InvalidArgument,
                          recordError(line, QStringLiteral("メモが %1 バイトを超えています。")
                                                .arg(CTavDbMemoRecord::kMaxBytes)));
        row.category = fields.value(1).trimmed();
        if (CTavDbText::mbLength(row.category) > kMaxCategoryBytes)
            return failed(
                TavStatusCode::InvalidArgument,
                recordError(line,
                            QStringLiteral("カテゴリ名が %1 バイトを超えています。").arg(kMaxCategoryBytes)));
        const QString flag = fields.value(2).trimmed();
        if (!flag.isEmpty() && flag != u'0' && flag != u'1')
            return failed(TavStatusCode::InvalidArgument,
                          recordError(line, QStringLiteral("プライベートの値は 0 か 1 です。")));
        row.isPrivate = flag == u'1';
        for (int k = 3; k <= 4; ++k) {
            const QString value = fields.value(k).trimmed();
            if (value.isEmpty())
                continue;
            const TavTime t = ParseTime(value, &ok);
            if (!ok)
                return failed(
                    TavStatusCode::InvalidArgument,
                    recordError(line, QStringLiteral("日時 \"%1\" が正しくありません。").arg(value)));
            (k == 3 ? row.created : row.updated) = t;
        }
        rows->append(row);
    }
    return TavStatusCode::Ok;
}
