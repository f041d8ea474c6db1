#include "CTavIniFile.h"

#include <QFile>
#include <QFileInfo>

#include <limits>

#include "CTavDbFileUtil.h"

namespace {
bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool hasLineBreakOrZero(const QString& text)
{
    return text.contains(u'\n') || text.contains(u'\r') || text.contains(QChar(0));
}

QString unquoted(const QString& value)
{
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == u'"' || value.front() == u'\''))
        return value.mid(1, value.size() - 2);
    return value;
}

int leadingInt(const QString& text)
{
    QStringView digits = QStringView(text).trimmed();
    bool negative = false;
    if (digits.startsWith(u'-') || digits.startsWith(u'+')) {
        negative = digits.front() == u'-';
        digits = digits.mid(1);
    }
    qint64 value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            break;
        value =
            std::min<qint64>(value * 10 + (c.unicode() - u'0'), qint64(std::numeric_limits<int>::max()) + 1);
    }
    if (negative)
        value = -value;
    return static_cast<int>(
        std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}
} // namespace

bool CTavIniFile::load(const QString& path)
{
    loadFromData(QByteArray());
    QFile file(path);
    if (!file.exists() || file.size() > kMaxFileSize ||
        !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    // readAll() sizes its buffer by the file; read(kMaxFileSize + 1) would allocate the limit.
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxFileSize)
        return false;
    loadFromData(bytes);
    return true;
}

void CTavIniFile::loadFromData(const QByteArray& data)
{
    m_lines.clear();
    QByteArray bytes = data;
    m_bom = bytes.startsWith("\xEF\xBB\xBF");
    if (m_bom)
        bytes.remove(0, 3);
    m_eol = bytes.contains("\r\n") ? QByteArray("\r\n") : QByteArray("\n");
    m_finalEol = bytes.isEmpty() || bytes.endsWith('\n');
    QList<QByteArray> raws = bytes.split('\n');
    if (m_finalEol)
        raws.removeLast();
    m_lines.reserve(static_cast<size_t>(raws.size()));
    for (qsizetype i = 0; i < raws.size(); ++i) {
        QByteArray& raw = raws[i];
        // A CR belongs to the line break only before a line feed; at the end of a file without
        // a final break it is the line's own, or every save would drop one.
        if (raw.endsWith('\r') && (m_finalEol || i + 1 < raws.size()))
            raw.chop(1);
        Line line;
        line.raw = raw;
        parseLine(line);
        m_lines.push_back(std::move(line));
    }
}

void CTavIniFile::parseLine(Line& line) const
{
    QString text = QString::fromUtf8(line.raw).trimmed();
    // Byte-order marks inside the file (files joined together) belong to no name. fromUtf8
    // drops one only at the line's first byte; dropping them wherever the line's text starts
    // keeps a rewritten entry, whose name then starts the line, what it was.
    while (text.startsWith(QChar(0xFEFF)))
        text = text.mid(1).trimmed();
    line.kind = Line::Kind::Other;
    if (text.isEmpty() || text.startsWith(u';'))
        return;
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']');
        line.kind = Line::Kind::Section;
        line.name = text.mid(1, close < 0 ? -1 : close - 1).trimmed();
        return;
    }
    const qsizetype eq = text.indexOf(u'=');
    if (eq <= 0)
        return;
    line.name = text.left(eq).trimmed();
    if (line.name.isEmpty())
        return;
    line.kind = Line::Kind::Entry;
    line.value = text.mid(eq + 1).trimmed();
}

bool CTavIniFile::save(const QString& path) const
{
    return CTavDbFileUtil::writeAtomically(path, toData());
}

QByteArray CTavIniFile::toData() const
{
    QByteArray out;
    if (m_bom)
        out += "\xEF\xBB\xBF";
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            out += m_eol;
        out += m_lines[i].raw;
    }
    if (m_finalEol && !m_lines.empty())
        out += m_eol;
    return out;
}

qsizetype CTavIniFile::findSection(const QString& section) const
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Line::Kind::Section && sameName(m_lines[i].name, section))
            return static_cast<qsizetype>(i);
    }
    return -1;
}

qsizetype CTavIniFile::findEntry(const QString& section, const QString& key) const
{
    bool inSection = false;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Line::Kind::Section)
            inSection = sameName(line.name, section);
        else if (inSection && line.kind == Line::Kind::Entry && sameName(line.name, key))
            return static_cast<qsizetype>(i);
    }
    return -1;
}

bool CTavIniFile::contains(const QString& section, const QString& key) const
{
    return findEntry(section, key) >= 0;
}

QString CTavIniFile::getString(const QString& section, const QString& key, const QString& def) const
{
    const qsizetype i = findEntry(section, key);
    return i < 0 ? def : unquoted(m_lines[static_cast<size_t>(i)].value);
}

int CTavIniFile::getInt(const QString& section, const QString& key, int def) const
{
    const QString value = getString(section, key, QString());
    return value.isEmpty() ? def : leadingInt(value);
}

QStringList CTavIniFile::sections() const
{
    QStringList names;
    for (const Line& line : m_lines) {
        if (line.kind == Line::Kind::Section && !names.contains(line.name, Qt::CaseInsensitive))
            names << line.name;
    }
    return names;
}

QStringList CTavIniFile::keys(const QString& section) const
{
    QStringList names;
    bool inSection = false;
    for (const Line& line : m_lines) {
        if (line.kind == Line::Kind::Section)
            inSection = sameName(line.name, section);
        else if (inSection && line.kind == Line::Kind::Entry &&
                 !names.contains(line.name, Qt::CaseInsensitive))
            names << line.name;
    }
    return names;
}

bool CTavIniFile::setString(const QString& sectionName, const QString& keyName, const QString& value)
{
    const QString section = sectionName.trimmed();
    const QString key = keyName.trimmed();
    if (section.isEmpty() || key.isEmpty() || hasLineBreakOrZero(section) || hasLineBreakOrZero(key) ||
        hasLineBreakOrZero(value) || section.contains(u']') || key.contains(u'=') || key.startsWith(u'[') ||
        key.startsWith(u';'))
        return false;

    const qsizetype existing = findEntry(section, key);
    if (existing >= 0) {
        Line& line = m_lines[static_cast<size_t>(existing)];
        line.raw = (line.name + u'=' + value).toUtf8();
        parseLine(line);
        return true;
    }
    Line entry;
    entry.raw = (key + u'=' + value).toUtf8();
    parseLine(entry);
    const qsizetype header = findSection(section);
    if (header < 0) {
        if (!m_lines.empty() && !m_lines.back().raw.trimmed().isEmpty())
            m_lines.push_back(Line{});
        Line head;
        head.raw = (u'[' + section + u']').toUtf8();
        parseLine(head);
        m_lines.push_back(std::move(head));
        m_lines.push_back(std::move(entry));
        return true;
    }
    // After the section's last non-blank line, so that blank lines keep separating sections.
    size_t at = static_cast<size_t>(header) + 1;
    for (size_t i = at; i < m_lines.size() && m_lines[i].kind != Line::Kind::Section; ++i) {
        if (!m_lines[i].raw.trimmed().isEmpty())
            at = i + 1;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
    return true;
}

bool CTavIniFile::setInt(const QString& section, const QString& key, int value)
{
    return setString(section, key, QString::number(value));
}

bool CTavIniFile::removeKey(const QString& section, const QString& key)
{
    bool removed = false;
    for (qsizetype i = findEntry(section, key); i >= 0; i = findEntry(section, key)) {
        m_lines.erase(m_lines.begin() + i);
        removed = true;
    }
    return removed;
}
