#include "CTavDbDate.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliJson.h"
#include "CliStoreAccess.h"

namespace {
QDate parseDate(const QString& text)
{
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

// The occurrence keeps the event's times of day and its length in days.
QJsonObject occurrence(const QDate& date, const CTavDbDateRecord& event)
{
    const QDateTime start = CTavDbTime::toDateTime(event.GetStartTime());
    const QDateTime end = CTavDbTime::toDateTime(event.GetEndTime());
    const QDate endDate = date.addDays(start.date().daysTo(end.date()));
    const QString format = QStringLiteral("yyyy-MM-ddTHH:mm:ss");
    return {{QStringLiteral("date"), date.toString(QStringLiteral("yyyy-MM-dd"))},
            {QStringLiteral("id"), static_cast<qint64>(event.GetUniqueId())},
            {QStringLiteral("desc"), event.GetDesc()},
            {QStringLiteral("start"), QDateTime(date, start.time()).toString(format)},
            {QStringLiteral("end"), QDateTime(endDate, end.time()).toString(format)},
            {QStringLiteral("untimed"), event.GetIsUntimed()},
            {QStringLiteral("repeat"), event.GetMyBrand()}};
}

int runAgenda(CliContext& ctx, const QStringList& arguments)
{
    QStringList args = arguments;
    const bool withPrivate = CliContext::takeFlag(args, QStringLiteral("--private"));
    if (args.isEmpty() || args.size() > 2)
        return CliContext::fail(CliExit::UsageError, QStringLiteral("usage: agenda FROM [TO] [--private]"));
    const QDate from = parseDate(args.first());
    const QDate to = args.size() == 2 ? parseDate(args.last()) : from;
    if (!CTavDbTime::inRange(from) || !CTavDbTime::inRange(to) || to < from)
        return CliContext::fail(
            CliExit::UsageError,
            QStringLiteral("FROM and TO are dates YYYY-MM-DD from 1970-01-02 to 2031-12-31, "
                           "TO not before FROM"));
    CliOpenStore open;
    if (const int rc = CliStoreAccess::open(ctx, QStringLiteral("schedule"), &open))
        return rc;
    if (const int rc = CliStoreAccess::applyPrivateMode(ctx, *open.store, withPrivate))
        return rc;
    auto& store = static_cast<CTavDbDate&>(*open.store);
    QList<CTavDbDateRecord*> events;
    for (QDate day = from; day <= to; day = day.addDays(1)) {
        // The windows' way: the first day asked for by date, the following ones as "next".
        const QString key = CTavDbTime::dayKey(day);
        const TavStatus status =
            day == from ? store.GetDayRecords(key, events) : store.GetNextDayRecords(events);
        if (status != TavStatusCode::Ok)
            return CliContext::fail(CliExit::DataError, CliContext::statusText(status));
        for (const CTavDbDateRecord* event : events)
            if (!event->IsRepeating() || store.IsRepeatTarget(*event, key))
                CliContext::printJson(occurrence(day, *event));
    }
    return CliExit::Ok;
}
} // namespace

LUMORA_CLI_COMMAND(
    {"agenda", "agenda FROM [TO] [--private]",
     "prints every occurrence of the schedule's events from FROM to TO (dates YYYY-MM-DD; TO "
     "defaults to FROM), one JSON object a line in the day windows' order; private events only "
     "with --private (asks for the user's password)",
     &runAgenda})
