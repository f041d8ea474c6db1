#include "CTavRegistryFile.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/stat.h>

#include "CTavDbFileUtil.h"
#include "CTavPlatformPaths.h"

namespace {
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;
constexpr qsizetype kMaxStringLength = 1024 * 1024;
constexpr int kLockTimeoutMs = 3000;
constexpr qint64 kNsPerSecond = 1000000000;
// Changes closer together than this may share time stamps (coarse file-system clocks).
constexpr qint64 kRecentNs = 2 * kNsPerSecond;

using Format = CTavRegistryFormat;
} // namespace

CTavRegistryFile::CTavRegistryFile() : CTavRegistryFile(defaultPath()) {}

CTavRegistryFile::CTavRegistryFile(const QString& path) : m_path(path) {}

CTavRegistryFile::~CTavRegistryFile() = default;

QString CTavRegistryFile::defaultPath()
{
    return CTavPlatformPaths::configDir() + QStringLiteral("/Lumora.reg");
}

CTavRegistryFile::Stamp CTavRegistryFile::stampOf(const QString& path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return Stamp{};
    return Stamp{true,
                 static_cast<qint64>(st.st_dev),
                 static_cast<qint64>(st.st_ino),
                 static_cast<qint64>(st.st_size),
                 st.st_mtim.tv_sec * kNsPerSecond + st.st_mtim.tv_nsec,
                 st.st_ctim.tv_sec * kNsPerSecond + st.st_ctim.tv_nsec};
}

void CTavRegistryFile::refresh() const
{
    const Stamp stamp = stampOf(m_path);
    if (m_loaded && !m_recent && stamp == m_stamp)
        return;
    // File times are compared with the system clock on purpose: the program's own clock may
    // be pinned, the file system's is not.
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    m_recent = now.tv_sec * kNsPerSecond + now.tv_nsec - std::max(stamp.mtimeNs, stamp.ctimeNs) < kRecentNs;
    m_stamp = stamp;
    if (!stamp.exists) {
        m_keys.clear();
        m_bytes.clear();
        m_exists = false;
        m_damaged = false;
        m_loaded = true;
        return;
    }
    QFile file(m_path);
    QByteArray bytes;
    bool readable = file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) && file.size() <= kMaxFileSize;
    if (readable) {
        // Sized by the file: a lookup just after a write reads it again, and read(limit)
        // would allocate the whole limit each time.
        bytes = file.readAll();
        readable = file.error() == QFileDevice::NoError && bytes.size() <= kMaxFileSize;
    }
    if (m_loaded && m_exists && readable && bytes == m_bytes)
        return;
    m_loaded = true;
    m_exists = true;
    m_bytes = bytes;
    m_keys.clear();
    m_damaged = !readable || !Format::parse(bytes, &m_keys);
    if (m_damaged)
        m_keys.clear();
}

const CTavRegistryFile::Value* CTavRegistryFile::findValue(const QString& key, const QString& name) const
{
    refresh();
    const Key* k = Format::findKey(m_keys, key);
    if (!k)
        return nullptr;
    for (const Value& v : k->values) {
        if (Format::sameName(v.name, name))
            return &v;
    }
    return nullptr;
}

bool CTavRegistryFile::keyExists(const QString& key) const
{
    refresh();
    const QString prefix = key + u'\\';
    return std::any_of(m_keys.begin(), m_keys.end(), [&](const Key& k) {
        return Format::sameName(k.path, key) || k.path.startsWith(prefix, Qt::CaseInsensitive);
    });
}

QStringList CTavRegistryFile::subKeys(const QString& key) const
{
    refresh();
    const QString prefix = key.isEmpty() ? QString() : key + u'\\';
    QStringList names;
    for (const Key& k : m_keys) {
        if (!k.path.startsWith(prefix, Qt::CaseInsensitive) || k.path.size() == prefix.size())
            continue;
        const QString child = k.path.mid(prefix.size()).section(u'\\', 0, 0);
        if (!names.contains(child, Qt::CaseInsensitive))
            names << child;
    }
    return names;
}

QStringList CTavRegistryFile::valueNames(const QString& key) const
{
    refresh();
    QStringList names;
    if (const Key* k = Format::findKey(m_keys, key)) {
        for (const Value& v : k->values)
            names << v.name;
    }
    return names;
}

CTavRegistryFile::Type CTavRegistryFile::valueType(const QString& key, const QString& name) const
{
    const Value* v = findValue(key, name);
    return v ? v->type : Type::None;
}

bool CTavRegistryFile::readString(const QString& key, const QString& name, QString* out) const
{
    const Value* v = findValue(key, name);
    if (!v || v->type != Type::String)
        return false;
    *out = v->text;
    return true;
}

bool CTavRegistryFile::readNumber(const QString& key, const QString& name, int32_t* out) const
{
    const Value* v = findValue(key, name);
    if (!v || v->type != Type::Number)
        return false;
    *out = v->number;
    return true;
}

bool CTavRegistryFile::isDamaged() const
{
    refresh();
    return m_damaged;
}

template <typename Change> bool CTavRegistryFile::modify(Change change)
{
    if (!CTavDbFileUtil::ensureDirectory(QFileInfo(m_path).absolutePath()))
        return false;
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockTimeoutMs))
        return false;
    refresh();
    std::vector<Key> keys = m_keys;
    bool changed = false;
    if (!change(keys, changed))
        return false;
    if (!changed)
        return true;
    if (m_exists && m_damaged) {
        const QByteArray from = QFile::encodeName(m_path);
        const QByteArray to = QFile::encodeName(m_path + QStringLiteral(".bad"));
        if (std::rename(from.constData(), to.constData()) != 0)
            return false;
        ::chmod(to.constData(), S_IRUSR | S_IWUSR); // the damaged copy may have been readable by all
    }
    const QByteArray bytes = Format::serialize(keys);
    if (!CTavDbFileUtil::writeAtomically(m_path, bytes)) {
        m_loaded = false;
        return false;
    }
    m_keys = std::move(keys);
    m_bytes = bytes;
    m_exists = true;
    m_damaged = false;
    return true;
}

bool CTavRegistryFile::createKey(const QString& key)
{
    if (!Format::validKey(key))
        return false;
    // Opening an existing key is the common case; it needs neither the lock nor a write.
    refresh();
    if (Format::findKey(m_keys, key))
        return true;
    return modify([&](std::vector<Key>& keys, bool& changed) {
        if (!Format::findKey(keys, key)) {
            keys.push_back(Key{key, {}});
            changed = true;
        }
        return true;
    });
}

bool CTavRegistryFile::writeString(const QString& key, const QString& name, const QString& value)
{
    if (value.size() > kMaxStringLength)
        return false;
    return writeValue(key, Value{name, Type::String, value, 0});
}

bool CTavRegistryFile::writeNumber(const QString& key, const QString& name, int32_t value)
{
    return writeValue(key, Value{name, Type::Number, QString(), value});
}

bool CTavRegistryFile::writeValue(const QString& key, const Value& value)
{
    if (!Format::validKey(key) || !Format::validName(value.name))
        return false;
    return modify([&](std::vector<Key>& keys, bool& changed) {
        Key* k = Format::findKey(keys, key);
        if (!k)
            k = &keys.emplace_back(Key{key, {}});
        for (Value& v : k->values) {
            if (!Format::sameName(v.name, value.name))
                continue;
            if (v.type != value.type)
                return false;
            changed = v.text != value.text || v.number != value.number;
            v.text = value.text;
            v.number = value.number;
            return true;
        }
        k->values.push_back(value);
        changed = true;
        return true;
    });
}

bool CTavRegistryFile::deleteValue(const QString& key, const QString& name)
{
    if (!Format::validKey(key) || !Format::validName(name))
        return false;
    return modify([&](std::vector<Key>& keys, bool& changed) {
        if (Key* k = Format::findKey(keys, key)) {
            const auto n =
                std::erase_if(k->values, [&](const Value& v) { return Format::sameName(v.name, name); });
            changed = n > 0;
        }
        return true;
    });
}
