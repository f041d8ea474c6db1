#include <QJsonDocument>

#include "CTavDbStoreBase.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliStoreAccess.h"
#include "CliStoreKind.h"

namespace {
int runAdd(CliContext& ctx, const QStringList& args)
{
    if (args.size() != 1)
        return CliContext::fail(CliExit::UsageError, QStringLiteral("usage: add STORE < records.jsonl"));
    if (!CliStoreAccess::kind(args.first()))
        return CliExit::UsageError;
    // Parse every line first: a bad line anywhere writes nothing at all.
    QList<QJsonObject> objects;
    const QStringList lines = CliContext::readStdinLines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QJsonParseError parseError;
        const QJsonDocument doc = QJsonDocument::fromJson(lines[i].toUtf8(), &parseError);
        if (parseError.error != QJsonParseError::NoError || !doc.isObject())
            return CliContext::fail(CliExit::DataError,
                                    QStringLiteral("line %1: not a JSON object").arg(i + 1));
        objects << doc.object();
    }
    // The store is read once a running Lumora has saved its copy.
    if (const int rc = ctx.beginWrite())
        return rc;
    CliOpenStore open;
    if (const int rc = CliStoreAccess::open(ctx, args.first(), &open))
        return rc;
    std::vector<std::unique_ptr<CTavDbPcRecord>> records;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        QString error;
        std::unique_ptr<CTavDbPcRecord> record = open.kind->fromJson(objects[i], *open.store, &error);
        if (!record)
            return CliContext::fail(CliExit::DataError, QStringLiteral("line %1: %2").arg(i + 1).arg(error));
        records.push_back(std::move(record));
    }
    if (open.store->GetRecordCount() + static_cast<qsizetype>(records.size()) > open.store->GetMaxRecords())
        return CliContext::fail(CliExit::DataError, CliContext::statusText(TavStatusCode::RecordLimit));
    QList<qint64> ids;
    for (auto& record : records) {
        const TavStatus status = open.store->AddRecord(*record);
        if (status != TavStatusCode::Ok)
            return CliContext::fail(CliExit::DataError, CliContext::statusText(status));
        ids << record->GetUniqueId();
    }
    const TavStatus status = open.store->Write();
    if (status != TavStatusCode::Ok)
        return CliContext::fail(
            CliExit::DataError,
            QStringLiteral("cannot write the store: %1").arg(CliContext::statusText(status)));
    for (qint64 id : ids)
        CliContext::printJson({{QStringLiteral("id"), id}});
    return CliExit::Ok;
}

int runList(CliContext& ctx, const QStringList& arguments)
{
    QStringList args = arguments;
    const bool withPrivate = CliContext::takeFlag(args, QStringLiteral("--private"));
    if (args.size() != 1)
        return CliContext::fail(CliExit::UsageError, QStringLiteral("usage: list STORE [--private]"));
    CliOpenStore open;
    if (const int rc = CliStoreAccess::open(ctx, args.first(), &open))
        return rc;
    if (const int rc = CliStoreAccess::applyPrivateMode(ctx, *open.store, withPrivate))
        return rc;
    for (int i = 0, n = open.store->GetCount(); i < n; ++i)
        CliContext::printJson(open.kind->toJson(*open.store->GetRecord(i), *open.store));
    return CliExit::Ok;
}
} // namespace

LUMORA_CLI_COMMAND({"add", "add STORE",
                    "adds the records read from standard input (one JSON object a line) and "
                    "prints each new record's id; a bad line writes nothing",
                    &runAdd})
LUMORA_CLI_COMMAND({"list", "list STORE [--private]",
                    "prints every record of the store in its order, one JSON "
                    "object a line; private records only with --private "
                    "(asks for the user's password)",
                    &runList})
