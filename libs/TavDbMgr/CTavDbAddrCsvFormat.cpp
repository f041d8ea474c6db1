#include "CTavDbAddrCsvFormat.h"

CTavDbAddrCsvFormat CTavDbAddrCsvFormat::Guess(const QByteArray&)
{
    return {}; // STUB: replaced by the CSV reader
}
