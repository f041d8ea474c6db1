#include "CTavTodoDetailText.h"

#include "CTavDbText.h"
#include "CTavRichText.h"
#include "TodoListRow.h"

namespace {
// Characters outside ASCII as the reader takes them: code page 932 bytes, each as \'hh (a
// trail byte may be a brace or a backslash), else one \uN? escape per UTF-16 unit.
QString asAscii(const QString& text)
{
    QString out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            out += c;
            ++i;
            continue;
        }
        const qsizetype len = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, len);
        const QByteArray bytes = CTavDbText::toCp932(ch);
        if (CTavDbText::fromCp932(bytes) == ch) {
            for (const char b : bytes)
                out += QStringLiteral("\\'%1").arg(uint(uchar(b)), 2, 16, QLatin1Char('0'));
        } else {
            for (const QChar unit : ch)
                out += QStringLiteral("\\u%1?").arg(int(int16_t(unit.unicode())));
        }
        i += len;
    }
    return out;
}

QString dateOrNone(TavTime time)
{
    return time < maxDateTime ? CTavTodoDetailText::FormatDate(time) : QStringLiteral("指定なし");
}
} // namespace

QString CTavTodoDetailText::Escape(const QString& text)
{
    QString escaped = text;
    escaped.replace(u'\\', QStringLiteral("\\\\"));
    escaped.replace(u'{', QStringLiteral("\\{"));
    escaped.replace(u'}', QStringLiteral("\\}"));
    escaped.replace(QStringLiteral("\r\n"), QStringLiteral("\\par "));
    escaped.replace(u'\n', QStringLiteral("\\par "));
    escaped.replace(u'\r', QStringLiteral("\\par "));
    return escaped;
}

QString CTavTodoDetailText::FormatDate(TavTime time)
{
    if (time >= maxDateTime)
        return QString();
    return CTavDbTime::toDate(time).toString(QStringLiteral("yyyy/MM/dd"));
}

QString CTavTodoDetailText::Build(const TodoListRow* row, bool masked)
{
    QString doc = QString::fromLatin1(CTavRichText::Header()) + QStringLiteral("\\fs28 ");
    if (!row)
        return doc + u'}';
    if (masked && row->isPrivate)
        return doc + QStringLiteral("Private Data.}");
    const QString dashes(25, u'-');
    doc += QStringLiteral("\\deff \\b ") + Escape(row->title) + QStringLiteral("\\b0 \\par \\par");
    doc += QStringLiteral("\\deff ") + dashes + QStringLiteral(" \\par");
    if (row->completed)
        doc += QStringLiteral("\\deff \\b ") + QStringLiteral("  %1 \\par ").arg(QStringLiteral("完了")) +
               QStringLiteral("\\b0 \\par");
    doc += QStringLiteral("\\deff ") +
           QStringLiteral("\\b %1 \\b0 \\tab %2").arg(QStringLiteral("優先度:")).arg(row->priority) +
           QStringLiteral(" \\par");
    doc += QStringLiteral("\\b 開始:\\b0 \\deff ") + QStringLiteral("\\tab %1").arg(dateOrNone(row->start)) +
           QStringLiteral(" \\par");
    doc +=
        QStringLiteral("\\deff \\b 期日:\\b0 \\tab %1").arg(dateOrNone(row->due)) + QStringLiteral(" \\par");
    doc += QStringLiteral("\\deff ") +
           QStringLiteral("\\b %1:\\b0 \\tab %2").arg(QStringLiteral("カテゴリ"), Escape(row->categoryName)) +
           QStringLiteral(" \\par");
    doc += QStringLiteral("\\deff ") +
           QStringLiteral("\\par %1\\par \\b %2\\b0 ").arg(dashes, QStringLiteral("コメント:")) +
           QStringLiteral(" \\par");
    doc += QStringLiteral("\\deff ") + Escape(row->note) + u'}';
    return asAscii(doc);
}
