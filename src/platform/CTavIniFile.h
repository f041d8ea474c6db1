#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// An initialization file of [sections] and key=value lines, read as Windows reads its
// private-profile files: section and key names compare case-insensitively, blanks around
// names and values are dropped, a value is everything after the first '=', one pair of
// matching quotes around a value is removed, lines starting with ';' are comments. When a
// section or key appears twice, the first one wins. Text is UTF-8 (a leading byte-order
// mark is skipped; bytes that are not UTF-8 are read as replacement characters).
//
// Edits keep every other line byte for byte, comments and unreadable lines included, so
// that writing one value never loses the rest of the file.
class CTavIniFile final
{
public:
    // Files above this size are not read (they are not ours to rewrite either).
    static constexpr qint64 kMaxFileSize = 8 * 1024 * 1024;

    CTavIniFile() = default;

    // Replaces the contents with the file's; false (and empty contents) when the file is
    // missing, too large or unreadable.
    bool load(const QString& path);
    void loadFromData(const QByteArray& bytes);
    // Writes the contents atomically, creating the folder when needed.
    bool save(const QString& path) const;
    QByteArray toData() const;

    bool contains(const QString& section, const QString& key) const;
    QString getString(const QString& section, const QString& key, const QString& def = QString()) const;
    // The leading decimal number of the value (sign allowed, "12abc" is 12, "abc" is 0,
    // clamped to the int range); def when the key is missing or its value empty.
    int getInt(const QString& section, const QString& key, int def) const;
    QStringList sections() const;
    QStringList keys(const QString& section) const;

    // Replaces the value of the key's first occurrence, or adds the key at the end of the
    // section (adding the section at the end of the file). False, changing nothing, for an
    // empty or unwritable name or a value with a line break.
    bool setString(const QString& section, const QString& key, const QString& value);
    bool setInt(const QString& section, const QString& key, int value);
    bool removeKey(const QString& section, const QString& key);

private:
    struct Line
    {
        QByteArray raw; // without the line break
        enum class Kind
        {
            Other,
            Section,
            Entry
        } kind = Kind::Other;
        QString name;  // section name or key
        QString value; // entry value, trimmed, quotes kept
    };

    void parseLine(Line& line) const;
    qsizetype findEntry(const QString& section, const QString& key) const;
    qsizetype findSection(const QString& section) const;

    std::vector<Line> m_lines;
    QByteArray m_eol = "\n";
    bool m_bom = false;
    bool m_finalEol = true;
};
