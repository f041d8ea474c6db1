// Reads arbitrary bytes as an initialization file. Writing it out unchanged must give text
// that reads the same and writes out the very same bytes; setting one value must read back
// and leave every other value as it was.
#include <QByteArray>
#include <QList>
#include <cstdlib>

#include "CTavIniFile.h"

namespace {
struct Entry
{
    QString section;
    QString key;
    QString value;
};

// Bounds the work on files of many sections or keys.
constexpr int kMaxEntries = 64;

QList<Entry> entries(const CTavIniFile& ini)
{
    QList<Entry> out;
    for (const QString& section : ini.sections()) {
        for (const QString& key : ini.keys(section)) {
            if (out.size() == kMaxEntries)
                return out;
            out << Entry{section, key, ini.getString(section, key)};
            ini.getInt(section, key, -1);
        }
    }
    return out;
}

bool sameEntries(const QList<Entry>& a, const CTavIniFile& ini)
{
    for (const Entry& e : a) {
        if (!ini.contains(e.section, e.key) || ini.getString(e.section, e.key) != e.value)
            return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CTavIniFile ini;
    ini.loadFromData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QList<Entry> read = entries(ini);

    const QByteArray written = ini.toData();
    CTavIniFile again;
    again.loadFromData(written);
    if (!sameEntries(read, again) || again.toData() != written)
        std::abort();

    // The first key found, and a key of its own, in the first section and in a new one.
    const QString section = read.isEmpty() ? QStringLiteral("Fuzz") : read.first().section;
    for (const QString& key :
         {read.isEmpty() ? QStringLiteral("Key") : read.first().key, QStringLiteral("FuzzKey")}) {
        CTavIniFile edited;
        edited.loadFromData(written);
        if (!edited.setString(section, key, QStringLiteral("value")))
            continue;
        CTavIniFile reread;
        reread.loadFromData(edited.toData());
        if (reread.getString(section, key) != QLatin1String("value"))
            std::abort();
        for (const Entry& e : read) {
            if (!(e.section.compare(section, Qt::CaseInsensitive) == 0 &&
                  e.key.compare(key, Qt::CaseInsensitive) == 0) &&
                reread.getString(e.section, e.key) != e.value)
                std::abort();
        }
    }
    return 0;
}
