#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// The machine-wide settings store: keys named by backslash paths ("SOFTWARE\Ostrel
// Corporation\Lumora\Option") holding named values that keep their type, a string or a
// 32-bit number. Key and value names compare case-insensitively and keep the spelling of
// their first write.
//
// The file is text, one section per key:
//
//     [SOFTWARE\Ostrel Corporation\Lumora\Option]
//     "CurrentUser"=string:"Taro"
//     "WindowShowCmd"=number:0
//
// Strings escape \\ \" \n \r \t and other control characters as \uXXXX; numbers are signed
// decimal. Lines starting with ';' or '#' are comments. Every write replaces the file
// atomically, and the file is read again whenever it changed on disk, so several objects
// (and processes) may share it.
//
// A file that cannot be parsed, or not read at all, reads as empty so that start-up goes on
// with the defaults; it is left as it is until the first write, which first renames it to
// "<name>.bad" (replacing an older one) so that nothing of it is lost.
class CTavRegistryFile final
{
public:
    enum class Type
    {
        None,
        String,
        Number
    };

    // The file "Lumora.reg" in CTavPlatformPaths::configDir(), as of construction.
    CTavRegistryFile();
    explicit CTavRegistryFile(const QString& path);
    ~CTavRegistryFile();
    Q_DISABLE_COPY_MOVE(CTavRegistryFile)

    static QString defaultPath();
    QString path() const { return m_path; }

    bool keyExists(const QString& key) const;
    // Sub-keys directly below key, and the key's value names, in stored spelling.
    QStringList subKeys(const QString& key) const;
    QStringList valueNames(const QString& key) const;

    Type valueType(const QString& key, const QString& name) const;
    // False when the value is missing or of the other type (out untouched then).
    bool readString(const QString& key, const QString& name, QString* out) const;
    bool readNumber(const QString& key, const QString& name, int32_t* out) const;

    // Creates the key (and its parents) when missing. False when the value exists with the
    // other type (nothing is written), the names are invalid, or the file cannot be written.
    bool writeString(const QString& key, const QString& name, const QString& value);
    bool writeNumber(const QString& key, const QString& name, int32_t value);
    bool createKey(const QString& key);
    // Removes one value; true when it is gone afterwards.
    bool deleteValue(const QString& key, const QString& name);

    // True while the file on disk exists but could not be read or parsed.
    bool isDamaged() const;

private:
    struct Value
    {
        QString name;
        Type type = Type::None;
        QString text;
        int32_t number = 0;
    };
    struct Key
    {
        QString path;
        std::vector<Value> values;
    };
    struct Stamp
    {
        bool exists = false;
        qint64 size = -1;
        qint64 inode = -1;
        qint64 mtimeNs = -1;
        bool operator==(const Stamp&) const = default;
    };

    void refresh() const;
    Stamp stampOf() const;
    static bool parse(const QByteArray& bytes, std::vector<Key>* keys);
    QByteArray serialize() const;
    bool store(const std::vector<Key>& keys);
    const Key* findKey(const QString& key) const;
    const Value* findValue(const QString& key, const QString& name) const;
    bool writeValue(const QString& key, const Value& value);

    QString m_path;
    mutable std::vector<Key> m_keys;
    mutable Stamp m_stamp;
    mutable bool m_loaded = false;
    mutable bool m_damaged = false;
};
