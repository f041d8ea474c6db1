// Reads arbitrary bytes as the settings file. Text that parses must serialize to text that
// parses to the same keys and values; the file object must answer every lookup, and one write
// must keep every value it could read (or set a damaged file aside and start afresh).
#include <QByteArray>
#include <QList>
#include <cstdlib>

#include "CTavRegistryFile.h"
#include "CTavRegistryFormat.h"
#include "FuzzScratchFile.h"

namespace {
using Format = CTavRegistryFormat;

// Bounds the walk over deep or wide key trees.
constexpr int kMaxKeys = 64;
const QString kProbeKey = QStringLiteral("SOFTWARE\\Fuzz");
const QString kProbeName = QStringLiteral("Probe");

bool sameKeys(const std::vector<Format::Key>& a, const std::vector<Format::Key>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].path != b[i].path || a[i].values.size() != b[i].values.size())
            return false;
        for (size_t j = 0; j < a[i].values.size(); ++j) {
            const Format::Value& x = a[i].values[j];
            const Format::Value& y = b[i].values[j];
            if (x.name != y.name || x.type != y.type || x.text != y.text || x.number != y.number)
                return false;
        }
    }
    return true;
}

struct Entry
{
    QString key;
    QString name;
    CTavRegistryFile::Type type;
    QString text;
    int32_t number = 0;
};

// Every value reachable from the root through subKeys, as a program walking the tree sees it.
QList<Entry> walk(const CTavRegistryFile& reg)
{
    QList<Entry> entries;
    QStringList pending{QString()};
    for (int visited = 0; !pending.isEmpty() && visited < kMaxKeys; ++visited) {
        const QString key = pending.takeFirst();
        for (const QString& child : reg.subKeys(key))
            pending << (key.isEmpty() ? child : key + u'\\' + child);
        if (key.isEmpty())
            continue;
        reg.keyExists(key);
        for (const QString& name : reg.valueNames(key)) {
            Entry e{key, name, reg.valueType(key, name), QString(), 0};
            reg.readString(key, name, &e.text);
            reg.readNumber(key, name, &e.number);
            entries << e;
        }
    }
    return entries;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    std::vector<Format::Key> keys;
    if (Format::parse(bytes, &keys)) {
        std::vector<Format::Key> again;
        if (!Format::parse(Format::serialize(keys), &again) || !sameKeys(keys, again))
            std::abort();
    }

    static FuzzScratchFile file(QStringLiteral("Lumora.reg"));
    file.write(data, size);
    CTavRegistryFile reg(file.path());
    const bool damaged = reg.isDamaged();
    const QList<Entry> before = walk(reg);
    if (!reg.writeNumber(kProbeKey, kProbeName, 7))
        return 0; // the probe exists as a string
    const CTavRegistryFile reread(file.path());
    int32_t probe = 0;
    if (reread.isDamaged() || !reread.readNumber(kProbeKey, kProbeName, &probe) || probe != 7)
        std::abort();
    if (damaged)
        return 0;
    for (const Entry& e : before) {
        if (Format::sameName(e.key, kProbeKey) && Format::sameName(e.name, kProbeName))
            continue;
        QString text;
        int32_t number = 0;
        if (reread.valueType(e.key, e.name) != e.type ||
            (reread.readString(e.key, e.name, &text) && text != e.text) ||
            (reread.readNumber(e.key, e.name, &number) && number != e.number))
            std::abort();
    }
    return 0;
}
