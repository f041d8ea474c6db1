#include <QDir>

#include "CTavDbAddr.h"
#include "CTavDbDate.h"
#include "CTavDbEnv.h"
#include "CTavDbMemo.h"
#include "CTavDbTodo.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliStoreAccess.h"
#include "search/CTavDbSearchFields.h"
#include "search/CTavDbSearchIndex.h"

namespace {
QJsonObject hitJson(const CTavDbSearchHit& hit)
{
    QJsonObject o{{QStringLiteral("module"), CTavDbSearchFields::ModuleKey(hit.module)},
                  {QStringLiteral("title"), hit.title},
                  {QStringLiteral("field"), CTavDbSearchFields::FieldKey(hit.module, hit.field)},
                  {QStringLiteral("label"), hit.fieldName},
                  {QStringLiteral("text"), hit.text},
                  {QStringLiteral("match"), hit.text.mid(hit.start, hit.length)},
                  {QStringLiteral("start"), hit.start},
                  {QStringLiteral("length"), hit.length}};
    if (hit.filePath.isEmpty())
        o.insert(QStringLiteral("id"), static_cast<qint64>(hit.recordId));
    else
        o.insert(QStringLiteral("file"), QDir(hit.filePath).dirName());
    if (hit.date.isValid())
        o.insert(QStringLiteral("date"), hit.date.toString(QStringLiteral("yyyy-MM-dd")));
    return o;
}

int runSearch(CliContext& ctx, const QStringList& arguments)
{
    QStringList args = arguments;
    const bool withPrivate = CliContext::takeFlag(args, QStringLiteral("--private"));
    if (args.size() != 1 || args.first().trimmed().isEmpty())
        return CliContext::fail(CliExit::UsageError, QStringLiteral("usage: search TEXT [--private]"));
    CliOpenStore stores[4];
    const char* const names[] = {"schedule", "address", "todo", "memo"};
    for (int i = 0; i < 4; ++i) {
        if (const int rc = CliStoreAccess::open(ctx, QString::fromLatin1(names[i]), &stores[i]))
            return rc;
    }
    // The password, when asked for, is asked once: the stores' own filters do not matter here.
    if (const int rc = CliStoreAccess::applyPrivateMode(ctx, *stores[0].store, withPrivate))
        return rc;
    CTavDbSearchIndex index;
    index.SetStores(
        static_cast<CTavDbDate*>(stores[0].store.get()), static_cast<CTavDbAddr*>(stores[1].store.get()),
        static_cast<CTavDbTodo*>(stores[2].store.get()), static_cast<CTavDbMemo*>(stores[3].store.get()));
    const QString userPath = ctx.users().GetCurrUserPath();
    index.SetSheetFolders(userPath + CTavDbEnv::GetQuillosDir(), userPath + CTavDbEnv::GetBenriDir());
    const CTavDbSearchResult result = index.Find(args.first(), withPrivate);
    for (const CTavDbSearchHit& hit : result.hits)
        CliContext::printJson(hitJson(hit));
    return CliExit::Ok;
}
} // namespace

LUMORA_CLI_COMMAND(
    {"search", "search TEXT [--private]",
     "prints the records of every module holding TEXT (kana, width and case as the search box "
     "matches them), one JSON object a line: module, id or file, title, the first field holding "
     "it and the match; private records only with --private (asks for the user's password)",
     &runSearch})
