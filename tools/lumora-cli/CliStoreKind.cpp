#include "CliStoreKind.h"

#include <QStringList>

namespace {
std::vector<CliStoreKind>& kinds()
{
    static std::vector<CliStoreKind> list;
    return list;
}
} // namespace

bool CliStoreKinds::add(const CliStoreKind& kind)
{
    kinds().push_back(kind);
    return true;
}

const CliStoreKind* CliStoreKinds::find(const QString& name)
{
    for (const CliStoreKind& k : kinds())
        if (name == QLatin1String(k.name))
            return &k;
    return nullptr;
}

QStringList CliStoreKinds::names()
{
    QStringList list;
    for (const CliStoreKind& k : kinds())
        list << QLatin1String(k.name);
    list.sort();
    return list;
}
