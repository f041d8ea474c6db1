#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "CTavRegistryFormat.h"

// The machine-wide settings store: keys named by backslash paths ("SOFTWARE\Ostrel
// Corporation\Lumora\Option") holding named values that keep their type, a string or a
// 32-bit number. Key and value names compare case-insensitively and keep the spelling of
// their first write.
//
// Every write replaces the file atomically (text, see CTavRegistryFormat), and the file is
// read again whenever it changed on disk, so several objects (and processes) may share it.
//
// A file that cannot be parsed, or not read at all, reads as empty so that start-up goes on
// with the defaults; it is left as it is until the first write that changes something
// (CTavRegOption's reads write the defaults they create), which first renames it to
// "<name>.bad" (replacing an older one) so that nothing of it is lost.
class CTavRegistryFile final
{
public:
    // Type::None, Type::String, Type::Number.
    using Type = CTavRegistryFormat::ValueType;

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
    using Value = CTavRegistryFormat::Value;
    using Key = CTavRegistryFormat::Key;

    // What stat() says of the file; equal stamps mean an unchanged file unless the file
    // changed so recently that a second change could hide within the time stamps' grain.
    struct Stamp
    {
        bool exists = false;
        qint64 device = 0;
        qint64 inode = 0;
        qint64 size = 0;
        qint64 mtimeNs = 0;
        qint64 ctimeNs = 0;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const QString& path);

    // Brings the cache up to date with the file.
    void refresh() const;
    const Value* findValue(const QString& key, const QString& name) const;
    // Runs the change on a fresh copy under the file lock and stores the result.
    template <typename Change> bool modify(Change change);
    bool writeValue(const QString& key, const Value& value);

    QString m_path;
    mutable std::vector<Key> m_keys;
    mutable QByteArray m_bytes;
    mutable Stamp m_stamp;
    mutable bool m_recent = true;
    mutable bool m_exists = false;
    mutable bool m_loaded = false;
    mutable bool m_damaged = false;
};
