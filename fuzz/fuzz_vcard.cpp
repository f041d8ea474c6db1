// Reads arbitrary bytes as a vCard file. Every card that reads must write out and read back as
// the same card, category and private flag included: an export is what a later import takes in.
#include <QByteArray>
#include <cstdlib>

#include "CTavDbAddrVCard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QList<CTavDbAddrVCard::Card> cards;
    QStringList notes;
    if (CTavDbAddrVCard::Read(bytes, &cards, &notes) != TavStatusCode::Ok) {
        if (!cards.isEmpty() || notes.isEmpty())
            std::abort();
        return 0;
    }
    QList<CTavDbAddrVCard::Card> again;
    QStringList notesAgain;
    if (CTavDbAddrVCard::Read(CTavDbAddrVCard::Write(cards), &again, &notesAgain) != TavStatusCode::Ok ||
        !notesAgain.isEmpty() || again.size() != cards.size())
        std::abort();
    for (qsizetype i = 0; i < cards.size(); ++i) {
        const CTavDbAddrRecord& a = cards.at(i).record;
        const CTavDbAddrRecord& b = again.at(i).record;
        if (!a.IsEqualPdt(b) || a.FirstOverlongField() != CTavDbAddrRecord::FieldCount ||
            !a.HasValidValues() || cards.at(i).category != again.at(i).category)
            std::abort();
    }
    return 0;
}
