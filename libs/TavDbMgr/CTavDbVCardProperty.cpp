#include "CTavDbVCardProperty.h"

#include "CTavDbAscii.h"
#include "CTavDbQuotedPrintable.h"
#include "CTavDbText.h"

#include <QStringDecoder>

namespace {
QByteArrayView trimmed(QByteArrayView v)
{
    while (!v.isEmpty() && (v.front() == ' ' || v.front() == '\t'))
        v = v.sliced(1);
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\t'))
        v.chop(1);
    return v;
}

bool isAscii(QByteArrayView v)
{
    for (char c : v)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool isShiftJis(QByteArrayView charset)
{
    for (const char* name : {"SHIFT_JIS", "SHIFT-JIS", "SJIS", "CP932", "WINDOWS-31J", "MS_KANJI", "X-SJIS",
                             "MS932", "CSSHIFTJIS"})
        if (CTavDbAscii::same(charset, name))
            return true;
    return false;
}

QString fromUtf8(QByteArrayView bytes, bool* clean)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    *clean = !decoder.hasError();
    return text;
}

QString fromCp932(QByteArrayView bytes, bool* clean)
{
    return CTavDbText::fromCp932(QByteArray::fromRawData(bytes.data(), bytes.size()), clean);
}

QString decodeText(QByteArrayView bytes, QByteArrayView charset, CTavDbVCardProperty::Dialect dialect)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    bool clean = false;
    if (isShiftJis(charset))
        return fromCp932(bytes, &clean);
    if (CTavDbAscii::same(charset, "ISO-8859-1") || CTavDbAscii::same(charset, "LATIN1") ||
        CTavDbAscii::same(charset, "US-ASCII"))
        return QString::fromLatin1(bytes);
    if (CTavDbAscii::same(charset, "UTF-8") || CTavDbAscii::same(charset, "UTF8"))
        return fromUtf8(bytes, &clean).replace(QChar::ReplacementCharacter, u'?');
    // No character set (or one we do not know): 2.1 phones write Shift_JIS, later versions UTF-8;
    // a file that says otherwise by its bytes is read the other way.
    if (dialect == CTavDbVCardProperty::Dialect::V21) {
        QString text = fromCp932(bytes, &clean);
        if (clean)
            return text;
        QString utf8 = fromUtf8(bytes, &clean);
        return clean ? utf8 : text;
    }
    QString text = fromUtf8(bytes, &clean);
    return clean ? text : fromCp932(bytes, &clean);
}
QString lineFeeds(QString text)
{
    if (text.contains(u'\r'))
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return text;
}
} // namespace

bool CTavDbVCardProperty::parse(QByteArrayView line)
{
    m_params.clear();
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n && line[i] != ';' && line[i] != ':')
        ++i;
    if (i == n)
        return false;
    m_name = trimmed(line.first(i));
    const qsizetype dot = m_name.lastIndexOf('.');
    if (dot >= 0)
        m_name = m_name.sliced(dot + 1);
    if (m_name.isEmpty())
        return false;
    while (i < n && line[i] == ';') {
        const qsizetype start = ++i;
        bool quoted = false;
        while (i < n && (quoted || (line[i] != ';' && line[i] != ':'))) {
            if (line[i] == '"')
                quoted = !quoted;
            ++i;
        }
        const QByteArrayView item = trimmed(line.sliced(start, i - start));
        if (item.isEmpty())
            continue;
        const qsizetype eq = item.indexOf('=');
        Param p{eq < 0 ? QByteArrayView() : trimmed(item.first(eq)),
                trimmed(eq < 0 ? item : item.sliced(eq + 1))};
        if (p.value.size() >= 2 && p.value.front() == '"' && p.value.back() == '"')
            p.value = p.value.sliced(1, p.value.size() - 2);
        m_params.append(p);
    }
    if (i == n)
        return false;
    m_value = line.sliced(i + 1);
    return true;
}

QByteArrayView CTavDbVCardProperty::param(QByteArrayView name) const
{
    for (const Param& p : m_params)
        if (CTavDbAscii::same(p.name, name))
            return p.value;
    return {};
}

bool CTavDbVCardProperty::hasType(QByteArrayView type) const
{
    for (const Param& p : m_params) {
        if (p.name.isEmpty()) {
            if (CTavDbAscii::same(p.value, type))
                return true;
        } else if (CTavDbAscii::same(p.name, "TYPE")) {
            QByteArrayView rest = p.value;
            while (!rest.isEmpty()) {
                const qsizetype comma = rest.indexOf(',');
                if (CTavDbAscii::same(trimmed(comma < 0 ? rest : rest.first(comma)), type))
                    return true;
                rest = comma < 0 ? QByteArrayView() : rest.sliced(comma + 1);
            }
        }
    }
    return false;
}

int CTavDbVCardProperty::prefRank() const
{
    const QByteArrayView pref = param("PREF");
    if (!pref.isEmpty()) {
        bool ok = false;
        const int rank = pref.toByteArray().toInt(&ok);
        return ok && rank >= 1 ? rank : 1;
    }
    return hasType("PREF") ? 1 : 0;
}

QByteArrayView CTavDbVCardProperty::encoding() const
{
    const QByteArrayView e = param("ENCODING");
    if (!e.isEmpty())
        return e;
    for (const Param& p : m_params)
        if (p.name.isEmpty() &&
            (CTavDbAscii::same(p.value, "QUOTED-PRINTABLE") || CTavDbAscii::same(p.value, "BASE64")))
            return p.value;
    return {};
}

QByteArray CTavDbVCardProperty::bytes(bool* ok) const
{
    if (ok)
        *ok = true;
    const QByteArrayView e = encoding();
    if (CTavDbAscii::same(e, "QUOTED-PRINTABLE"))
        return CTavDbQuotedPrintable::decode(m_value);
    if (CTavDbAscii::same(e, "B") || CTavDbAscii::same(e, "BASE64")) {
        QByteArray packed;
        packed.reserve(m_value.size());
        for (char c : m_value)
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
                packed += c;
        auto result = QByteArray::fromBase64Encoding(packed, QByteArray::AbortOnBase64DecodingErrors);
        if (ok)
            *ok = bool(result);
        return result ? *result : QByteArray();
    }
    return m_value.toByteArray();
}

QString CTavDbVCardProperty::text(Dialect dialect) const
{
    if (CTavDbAscii::same(encoding(), "QUOTED-PRINTABLE"))
        return lineFeeds(decodeText(CTavDbQuotedPrintable::decode(m_value), param("CHARSET"), dialect));
    return lineFeeds(decodeText(m_value, param("CHARSET"), dialect));
}

QString CTavDbVCardProperty::paramText(QByteArrayView name, Dialect dialect) const
{
    return lineFeeds(decodeText(param(name), param("CHARSET"), dialect));
}

QString CTavDbVCardProperty::value(Dialect dialect) const
{
    return dialect == Dialect::V21 ? text(dialect) : unescape(text(dialect));
}

QStringList CTavDbVCardProperty::components(Dialect dialect, QChar separator) const
{
    return split(text(dialect), separator, dialect);
}

QString CTavDbVCardProperty::unescape(QString text)
{
    if (!text.contains(u'\\'))
        return text; // most values have no escapes: no copy
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\\' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar e = text[++i];
        if (e == u'n' || e == u'N')
            out += u'\n';
        else if (e == u'\\' || e == u';' || e == u',')
            out += e;
        else
            out += c, out += e; // not an escape: kept as written
    }
    return out;
}

QStringList CTavDbVCardProperty::split(QStringView text, QChar separator, Dialect dialect)
{
    QStringList parts;
    parts.reserve(text.count(separator) + 1); // an address has seven parts: grow once, not thrice
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            // 2.1 escapes nothing but the separator; a backslash before anything else is text.
            if (dialect != Dialect::V21 || text[i + 1] == separator)
                ++i;
        } else if (text[i] == separator) {
            parts << text.sliced(start, i - start).toString();
            start = i + 1;
        }
    }
    parts << text.sliced(start).toString();
    for (QString& part : parts) {
        if (dialect != Dialect::V21)
            part = unescape(std::move(part));
        else if (part.contains(u'\\'))
            part.replace(QStringLiteral("\\") + separator, QString(separator));
    }
    return parts;
}

QString CTavDbVCardProperty::escape(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' || c == u';' || c == u',') {
            out += u'\\';
            out += c;
        } else if (c == u'\n' || c == u'\r') {
            out += QStringLiteral("\\n");
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}
