// Reads arbitrary bytes as a vCalendar or iCalendar file. Every event that reads must be one the
// store takes, and must write out in both formats and read back as the same event: an export is
// what a later import takes in.
#include <QByteArray>
#include <cstdlib>

#include "CTavDbDateICal.h"
#include "CTavDbDateICalExchange.h"
#include "CTavDbDateVCal.h"

namespace {
void checkRoundTrip(const QList<CTavDbDateICalEvent>& events, const QByteArray& written)
{
    QList<CTavDbDateICalEvent> again;
    QStringList notes;
    if (CTavDbDateICalExchange::Read(written, &again, &notes) != TavStatusCode::Ok ||
        again.size() != events.size())
        std::abort();
    for (qsizetype i = 0; i < events.size(); ++i)
        if (!events.at(i).record.IsEqualPdt(again.at(i).record) ||
            events.at(i).categories.value(0) != again.at(i).categories.value(0))
            std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QList<CTavDbDateICalEvent> events;
    QStringList notes;
    if (CTavDbDateICalExchange::Read(bytes, &events, &notes) != TavStatusCode::Ok) {
        if (!events.isEmpty())
            std::abort();
        return 0;
    }
    for (CTavDbDateICalEvent& e : events) {
        if (e.record.Validate() != TavStatusCode::Ok)
            std::abort();
        e.categories = e.categories.mid(0, 1);
    }
    checkRoundTrip(events, CTavDbDateICal::Write(events));
    checkRoundTrip(events, CTavDbDateVCal::Write(events));
    return 0;
}
