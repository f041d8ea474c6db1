#pragma once

#include <QByteArray>

class CTavDbPalmDatabase;

// Rebuilds what is whole of a record database the strict reader refuses: a file cut short, or
// records whose data are not in the order of the entry list. Each record runs to the next
// record's data (in file order) or to the end of the file; records whose data start past the
// end are lost.
class CTavDbFreePdbSalvage final
{
public:
    // False when not even the header or the first entry is there. lost is the number of
    // entries that could not be kept.
    static bool Salvage(const QByteArray& bytes, CTavDbPalmDatabase* db, int* lost);

private:
    CTavDbFreePdbSalvage() = delete;
};
