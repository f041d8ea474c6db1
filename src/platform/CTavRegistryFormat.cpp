#include "CTavRegistryFormat.h"

#include <QList>
#include <QStringDecoder>

#include <algorithm>

namespace {
const QLatin1String kStringTag("string:");
const QLatin1String kNumberTag("number:");

bool hasControl(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    }
    return false;
}

QString quote(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool pairedSurrogate =
            (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ||
            (c.isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate());
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7f || (c.isSurrogate() && !pairedSurrogate))
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Reads a quoted string starting at pos; pos ends after the closing quote.
bool unquote(QStringView line, qsizetype& pos, QString* out)
{
    if (pos >= line.size() || line[pos] != u'"')
        return false;
    out->clear();
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == u'"') {
            ++pos;
            return true;
        }
        if (c != u'\\') {
            *out += c;
            continue;
        }
        if (++pos >= line.size())
            return false;
        switch (line[pos].unicode()) {
        case '\\':
            *out += u'\\';
            break;
        case '"':
            *out += u'"';
            break;
        case 'n':
            *out += u'\n';
            break;
        case 'r':
            *out += u'\r';
            break;
        case 't':
            *out += u'\t';
            break;
        case 'u': {
            if (pos + 4 >= line.size())
                return false;
            char16_t code = 0;
            for (QChar h : line.mid(pos + 1, 4)) {
                const int digit = hexDigit(h);
                if (digit < 0)
                    return false;
                code = static_cast<char16_t>(code * 16 + digit);
            }
            *out += QChar(code);
            pos += 4;
            break;
        }
        default:
            return false;
        }
    }
    return false;
}

bool parseNumber(QStringView text, int32_t* out)
{
    text = text.trimmed();
    const QStringView digits = text.startsWith(u'-') ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > 10)
        return false;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return false;
    }
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < INT32_MIN || value > INT32_MAX)
        return false;
    *out = static_cast<int32_t>(value);
    return true;
}
} // namespace

bool CTavRegistryFormat::sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Key paths are backslash-separated names, none empty.
bool CTavRegistryFormat::validKey(const QString& key)
{
    if (key.isEmpty() || hasControl(key))
        return false;
    for (QStringView part : QStringView(key).split(u'\\')) {
        if (part.isEmpty() || part.size() > kMaxNameLength)
            return false;
    }
    return true;
}

bool CTavRegistryFormat::validName(const QString& name)
{
    return !name.isEmpty() && name.size() <= kMaxNameLength;
}

CTavRegistryFormat::Key* CTavRegistryFormat::findKey(std::vector<Key>& keys, const QString& key)
{
    for (Key& k : keys) {
        if (sameName(k.path, key))
            return &k;
    }
    return nullptr;
}

bool CTavRegistryFormat::parse(const QByteArray& bytes, std::vector<Key>* keys)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        return false;
    Key* current = nullptr;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']'))
                return false;
            const QString path = line.mid(1, line.size() - 2).toString();
            if (!validKey(path))
                return false;
            current = findKey(*keys, path);
            if (!current)
                current = &keys->emplace_back(Key{path, {}});
            continue;
        }
        Value value;
        qsizetype pos = 0;
        if (!current || !unquote(line, pos, &value.name) || !validName(value.name))
            return false;
        QStringView rest = line.mid(pos).trimmed();
        if (!rest.startsWith(u'='))
            return false;
        rest = rest.mid(1).trimmed();
        if (rest.startsWith(kStringTag)) {
            qsizetype at = 0;
            const QStringView quoted = rest.mid(kStringTag.size()).trimmed();
            if (!unquote(quoted, at, &value.text) || at != quoted.size())
                return false;
            value.type = ValueType::String;
        } else if (rest.startsWith(kNumberTag)) {
            if (!parseNumber(rest.mid(kNumberTag.size()), &value.number))
                return false;
            value.type = ValueType::Number;
        } else {
            return false;
        }
        // A value named twice keeps the later one, as a hand edit below the old line means.
        auto it = std::find_if(current->values.begin(), current->values.end(),
                               [&](const Value& v) { return sameName(v.name, value.name); });
        if (it != current->values.end())
            *it = value;
        else
            current->values.push_back(value);
    }
    return true;
}

QByteArray CTavRegistryFormat::serialize(const std::vector<Key>& keys)
{
    QString text = QStringLiteral("; Lumora settings: values are string:\"...\" or number:<signed 32-bit>\n");
    for (const Key& key : keys) {
        text += QLatin1String("\n[") + key.path + QLatin1String("]\n");
        for (const Value& value : key.values) {
            text += quote(value.name) + u'=';
            if (value.type == ValueType::String)
                text += kStringTag + quote(value.text);
            else
                text += kNumberTag + QString::number(value.number);
            text += u'\n';
        }
    }
    return text.toUtf8();
}
