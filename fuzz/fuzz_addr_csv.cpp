// Reads arbitrary bytes as an address CSV file in the layout guessed from them. The cards that
// read must write out in the program's own layout and read back as the same cards.
#include <QByteArray>
#include <cstdlib>

#include "CTavDbAddrCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const CTavDbAddrCsvFormat format = CTavDbAddrCsvFormat::Guess(bytes);
    QStringList refused;
    const QList<CTavDbAddrCsv::Row> rows = CTavDbAddrCsv::Read(bytes, format, &refused);
    for (const QString& line : refused)
        if (!line.contains(QStringLiteral("行目: ")))
            std::abort();
    QStringList again;
    const QList<CTavDbAddrCsv::Row> back =
        CTavDbAddrCsv::Read(CTavDbAddrCsv::Write(rows), CTavDbAddrCsvFormat::Own(), &again);
    if (!again.isEmpty() || back.size() != rows.size())
        std::abort();
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (!back[i].card.IsEqualPdt(rows[i].card) ||
            back[i].card.GetIsPrivate() != rows[i].card.GetIsPrivate() ||
            back[i].category != rows[i].category)
            std::abort();
    return 0;
}
