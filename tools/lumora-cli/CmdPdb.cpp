#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include "CTavDbPalmCode.h"
#include "CTavDbPalmDatabase.h"
#include "CliCommand.h"
#include "CliContext.h"

namespace {
QJsonValue dateText(uint32_t palmSeconds)
{
    if (palmSeconds == 0)
        return QJsonValue::Null;
    return CTavDbTime::toDateTime(CTavDbPalmDate::SecondsToTime(palmSeconds))
        .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

QJsonObject describe(const QString& file, const CTavDbPalmDatabase& db)
{
    QJsonObject out{
        {QStringLiteral("file"), file},
        {QStringLiteral("name"), db.GetName()},
        {QStringLiteral("type"), CTavDbPalmCode::Text(db.GetType())},
        {QStringLiteral("creator"), CTavDbPalmCode::Text(db.GetCreator())},
        {QStringLiteral("attributes"), db.GetAttributes()},
        {QStringLiteral("version"), db.GetVersion()},
        {QStringLiteral("created"), dateText(db.GetCreationDateRaw())},
        {QStringLiteral("modified"), dateText(db.GetModificationDateRaw())},
        {QStringLiteral("backedUp"), dateText(db.GetBackupDateRaw())},
        {QStringLiteral("modificationNumber"), qint64(db.GetModificationNumber())},
        {QStringLiteral("uniqueIdSeed"), qint64(db.GetUniqueIdSeed())},
        {QStringLiteral("appInfoSize"), db.HasAppInfo() ? QJsonValue(db.GetAppInfo().size()) : QJsonValue()},
        {QStringLiteral("sortInfoSize"),
         db.HasSortInfo() ? QJsonValue(db.GetSortInfo().size()) : QJsonValue()}};
    CTavDbPalmCategoryInfo info;
    if (db.GetCategoryInfo(&info)) {
        QJsonArray categories;
        for (int i = 0; i < CTavDbPalmCategoryInfo::Count; ++i)
            if (!info.names[i].isEmpty())
                categories.append(QJsonObject{{QStringLiteral("index"), i},
                                              {QStringLiteral("id"), info.ids[i]},
                                              {QStringLiteral("name"), info.names[i]},
                                              {QStringLiteral("renamed"), info.IsRenamed(i)}});
        out.insert(QStringLiteral("categories"), categories);
    }
    QJsonArray entries;
    for (int i = 0; i < db.GetRecordCount(); ++i) {
        if (db.IsResourceDatabase())
            entries.append(QJsonObject{{QStringLiteral("type"), CTavDbPalmCode::Text(db.GetResourceType(i))},
                                       {QStringLiteral("id"), db.GetResourceId(i)},
                                       {QStringLiteral("size"), db.GetRecordSize(i)}});
        else
            entries.append(QJsonObject{{QStringLiteral("index"), i},
                                       {QStringLiteral("attributes"), db.GetRecordAttributes(i)},
                                       {QStringLiteral("category"), db.GetRecordCategory(i)},
                                       {QStringLiteral("uniqueId"), qint64(db.GetRecordUniqueId(i))},
                                       {QStringLiteral("size"), db.GetRecordSize(i)}});
    }
    out.insert(db.IsResourceDatabase() ? QStringLiteral("resources") : QStringLiteral("records"), entries);
    return out;
}

int runPdb(CliContext&, const QStringList& args)
{
    if (args.isEmpty())
        return CliContext::fail(CliExit::UsageError, QStringLiteral("usage: pdb FILE..."));
    int exit = CliExit::Ok;
    for (const QString& file : args) {
        CTavDbPalmDatabase db;
        const TavStatus status = db.LoadFromFile(file);
        if (status != TavStatusCode::Ok) {
            exit = CliContext::fail(CliExit::DataError,
                                    QStringLiteral("cannot read %1: %2 (%3)")
                                        .arg(file, CliContext::statusText(status), db.GetErrorText()));
            continue;
        }
        CliContext::printJson(describe(file, db));
    }
    return exit;
}
} // namespace

LUMORA_CLI_COMMAND(
    {"pdb", "pdb FILE...",
     "describes handheld database files (.pdb, .prc): header, categories, records or resources", &runPdb})
