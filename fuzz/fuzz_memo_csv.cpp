// Reads arbitrary bytes as the memo pad's comma-separated text. What reads must write out
// and read back as the same memos: the export of a store is what a later import takes in.
#include <QByteArray>
#include <cstdlib>

#include "CTavDbMemoCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QList<CTavDbMemoCsv::Row> rows;
    QString error;
    if (CTavDbMemoCsv::Read(bytes, &rows, &error) != TavStatusCode::Ok) {
        if (!rows.isEmpty() || error.isEmpty())
            std::abort();
        return 0;
    }
    QList<CTavDbMemoCsv::Row> again;
    if (CTavDbMemoCsv::Read(CTavDbMemoCsv::Write(rows), &again) != TavStatusCode::Ok || again != rows)
        std::abort();
    return 0;
}
