#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

#include "CTavDbBackupFolder.h"
#include "CTavDbCalendarDays.h"
#include "CTavDbHolidays.h"
#include "CTavDbSixDay.h"
#include "CliCommand.h"
#include "CliContext.h"

namespace {
int importList(CliContext& ctx, const QStringList& args)
{
    if (args.size() != 1)
        return CliContext::fail(CliExit::UsageError, QStringLiteral("usage: holidays import FILE"));
    if (!ctx.selectUser())
        return CliExit::DataError;
    if (const int refused = ctx.beginWrite(true))
        return refused;
    CTavDbHolidayImport list;
    QString error;
    if (!CTavDbHolidayImport::Import(args.first(), ctx.users().GetCurrUserPath(), &list, &error))
        return CliContext::fail(CliExit::DataError, error);
    QJsonArray years;
    for (int year : list.Years())
        years.append(year);
    CliContext::printJson(
        {{QStringLiteral("imported"), list.Count()},
         {QStringLiteral("years"), years},
         {QStringLiteral("file"), CTavDbHolidayImport::PathIn(ctx.users().GetCurrUserPath())}});
    return CliExit::Ok;
}

int runHolidays(CliContext& ctx, const QStringList& arguments)
{
    QStringList args = arguments;
    if (!args.isEmpty() && args.first() == QStringLiteral("import"))
        return importList(ctx, args.mid(1));
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
    } else if (!QDir(folder).exists()) {
        return CliContext::fail(CliExit::DataError, QStringLiteral("no folder %1").arg(folder));
    }
    if (!folder.endsWith(u'/'))
        folder += u'/';

    CTavDbHolidays holidays(folder);
    CTavDbSixDay sixDay(folder);
    CTavDbCalendarDays days(holidays, sixDay);
    days.SetUserFolder(CTavDbHolidayImport::UserFolderOf(folder));
    for (QDate day(year, 1, 1); day.year() == year; day = day.addDays(1)) {
        const CTavDbCalendarDays::Day found = days.Lookup(day);
        QJsonObject line{{QStringLiteral("date"), day.toString(Qt::ISODate)}};
        if (!found.holiday.isEmpty()) {
            line.insert(QStringLiteral("holiday"), found.holiday);
            line.insert(QStringLiteral("holidaySource"), CTavDbCalendarDays::SourceKey(found.holidaySource));
        }
        if (!found.sixDay.isEmpty()) {
            line.insert(QStringLiteral("sixDay"), found.sixDay);
            line.insert(QStringLiteral("sixDaySource"), CTavDbCalendarDays::SourceKey(found.sixDaySource));
        }
        CliContext::printJson(line);
    }
    return CliExit::Ok;
}

} // namespace

LUMORA_CLI_COMMAND(
    {"holidays", "holidays YEAR [--folder DIR] | holidays import FILE",
     "lists every day of the year with its holiday and six-day label and where each came from "
     "(handheld: a database of the user's backup folder or DIR; imported: the government's list; "
     "computed); import keeps a government holiday list (CSV, code page 932) for the user",
     &runHolidays})
