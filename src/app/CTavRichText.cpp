#include "CTavRichText.h"

#include "CTavDbText.h"

namespace {
void appendEncoded(QByteArray& out, QStringView text)
{
    const QByteArray bytes = CTavDbText::toCp932(text.toString());
    if (CTavDbText::fromCp932(bytes) == text) {
        out += bytes;
        return;
    }
    // Some character has no code page 932 form: go one character at a time.
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, len).toString();
        const QByteArray one = CTavDbText::toCp932(ch);
        if (CTavDbText::fromCp932(one) == ch) {
            out += one;
        } else {
            for (QChar unit : ch)
                out += "\\u" + QByteArray::number(static_cast<int16_t>(unit.unicode())) + '?';
        }
        i += len;
    }
}
} // namespace

const QByteArray& CTavRichText::Header()
{
    static const QByteArray header =
        QByteArray(
            "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1033\\deflangfe1041{\\fonttbl{\\f0\\froman\\fprq1"
            "\\fcharset128 \\'82\\'6c\\'82\\'72 \\'82\\'6f\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}") +
        "\n{\\colortbl\\red0\\green0\\blue0;}\n{\\colortbl "
        ";\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\n"
        "\\deflang1033\\pard\\tx240\\tx720\\tx1080\\tx1440\\tx1800\\tx2160\\tx2520\\tx2880\\tx3240\\tx2400\\t"
        "x3960"
        "\\tx4320\\tx4680\\tx5040\\tx5400\\tx5760\\tx6120\\tx6480\\plain\\f3\\fs20";
    return header;
}

QByteArray CTavRichText::Escape(const QString& text)
{
    QString escaped = text;
    escaped.replace(u'\\', QStringLiteral("\\\\"));
    escaped.replace(QStringLiteral("\r\n"), QStringLiteral("\\par "));
    escaped.replace(u'\n', QStringLiteral("\\par "));
    escaped.replace(u'{', QStringLiteral("\\{"));
    escaped.replace(u'}', QStringLiteral("\\}"));
    QByteArray out;
    out.reserve(escaped.size() * 2);
    appendEncoded(out, escaped);
    return out;
}

QByteArray CTavRichText::Document(const QString& text, bool masked, bool isPrivate)
{
    QByteArray doc = Header();
    if (!masked || !isPrivate)
        doc += "\\deff\\fs28 " + Escape(text);
    else
        doc += "Private Data.";
    doc += '}';
    return doc;
}

QByteArray CTavRichText::EmptyDocument()
{
    return Header() + '}';
}
