#include <QDir>
#include <QJsonObject>

#include "CTavDbBackupFolder.h"
#include "CTavDbHolidays.h"
#include "CTavDbSixDay.h"
#include "CliCommand.h"
#include "CliContext.h"

namespace {
int runHolidays(CliContext& ctx, const QStringList& arguments)
{
    QStringList args = arguments;
    QString folder;
    const bool explicitFolder = CliContext::takeOption(args, QStringLiteral("--folder"), &folder);
    bool ok = false;
    const int year = args.size() == 1 ? args.first().toInt(&ok) : 0;
    if (!ok || year < 1904 || year > 2031)
        return CliContext::fail(CliExit::UsageError,
                                QStringLiteral("usage: holidays YEAR [--folder DIR] (1904-2031)"));
    if (!explicitFolder) {
        if (!ctx.selectUser())
            return CliExit::DataError;
        folder = CTavDbBackupFolder::Path(ctx.users());
    }
    if (!QDir(folder).exists())
        return CliContext::fail(CliExit::DataError, QStringLiteral("no folder %1").arg(folder));

    const QDate july(year, 7, 1);
    CTavDbHolidays holidays(folder);
    CTavDbSixDay sixDay(folder);
    const bool haveHolidays = holidays.LoadYear(july) == 0;
    const bool haveSixDay = sixDay.LoadYear(july) == 0;
    if (!haveHolidays && !haveSixDay)
        return CliContext::fail(
            CliExit::DataError,
            QStringLiteral("no holiday or six-day database for %1 in %2").arg(year).arg(folder));
    for (const CTavDbHolidays::Holiday& holiday : holidays.GetHolidays(year))
        CliContext::printJson({{QStringLiteral("date"), holiday.date.toString(Qt::ISODate)},
                               {QStringLiteral("name"), holiday.name}});
    for (QDate day(year, 1, 1); day.year() == year; day = day.addDays(1)) {
        const QString label = sixDay.GetLabel(day);
        if (!label.isEmpty())
            CliContext::printJson(
                {{QStringLiteral("date"), day.toString(Qt::ISODate)}, {QStringLiteral("sixDay"), label}});
    }
    return CliExit::Ok;
}

} // namespace

LUMORA_CLI_COMMAND(
    {"holidays", "holidays YEAR [--folder DIR]",
     "lists the year's holidays, then its six-day labels, from the handheld databases of the user's "
     "backup folder (or DIR)",
     &runHolidays})
