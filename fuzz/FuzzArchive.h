#pragma once

#include <QFile>
#include <QString>
#include <cstdlib>

#include "FuzzScratchFile.h"
#include "TavStatus.h"

// Loads arbitrary bytes as a desktop archive of one store kind. Whatever loads must write back
// byte for byte, and the copy must load again with the same records and categories.
template <typename Store> int FuzzArchive(const uint8_t* data, size_t size, const char* extension)
{
    static FuzzScratchFile file(QStringLiteral("input.") + QLatin1String(extension));
    static Store store; // built once: a store costs more than reading most inputs
    file.write(data, size);
    struct Emptied
    {
        Store& store;
        ~Emptied() { store.Clear(); }
    } emptied{store};
    if (store.LoadFromFile(file.path()) != TavStatusCode::Ok)
        return 0;
    const QString copy = file.sibling(QStringLiteral("copy.") + QLatin1String(extension));
    if (store.WriteToFile(copy) != TavStatusCode::Ok)
        std::abort();
    QFile written(copy);
    if (!written.open(QIODevice::ReadOnly) ||
        written.readAll() != QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)))
        std::abort();
    Store reloaded;
    if (reloaded.LoadFromFile(copy) != TavStatusCode::Ok ||
        reloaded.GetRecordCount() != store.GetRecordCount() ||
        reloaded.GetCategoryCount() != store.GetCategoryCount())
        std::abort();
    return 0;
}
