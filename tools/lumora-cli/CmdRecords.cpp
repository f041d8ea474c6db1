#include <QFile>
#include <QJsonDocument>
#include <cstdio>
#include <termios.h>
#include <unistd.h>

#include "CTavDbStoreBase.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliStoreKind.h"

namespace {
struct OpenStore
{
    const CliStoreKind* kind = nullptr;
    std::unique_ptr<CTavDbStoreBase> store;
};

// Loads the store of the resolved user; prints the problem and answers the exit status.
int openStore(CliContext& ctx, const QString& name, OpenStore* out)
{
    out->kind = CliStoreKinds::find(name);
    if (!out->kind)
        return CliContext::fail(CliExit::UsageError, QStringLiteral("unknown store \"%1\"; the stores are: %2")
                                                         .arg(name, CliStoreKinds::names().join(u", ")));
    if (!ctx.selectUser())
        return CliExit::DataError;
    out->store = out->kind->makeStore();
    out->store->AttachUsers(&ctx.users());
    const TavStatus status = out->store->Load();
    if (status != TavStatusCode::Ok)
        return CliContext::fail(CliExit::DataError, QStringLiteral("cannot load the %1 store of \"%2\": %3")
                                                        .arg(name, ctx.users().GetCurrUserName(),
                                                             CliContext::statusText(status)));
    return CliExit::Ok;
}

QString readPassword()
{
    const bool tty = isatty(STDIN_FILENO);
    termios old{};
    if (tty) {
        fputs("パスワード: ", stderr);
        fflush(stderr);
        tcgetattr(STDIN_FILENO, &old);
        termios quiet = old;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    QFile in;
    in.open(stdin, QIODevice::ReadOnly);
    QString line = QString::fromUtf8(in.readLine());
    if (tty) {
        tcsetattr(STDIN_FILENO, TCSANOW, &old);
        fputs("\n", stderr);
    }
    while (line.endsWith(u'\n') || line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

int runAdd(CliContext& ctx, const QStringList& args)
{
    if (args.size() != 1)
        return CliContext::fail(CliExit::UsageError, QStringLiteral("usage: add STORE < records.jsonl"));
    OpenStore open;
    if (const int rc = openStore(ctx, args.first(), &open))
        return rc;
    // Parse every line first: a bad line anywhere writes nothing at all.
    std::vector<std::unique_ptr<CTavDbPcRecord>> records;
    const QStringList lines = CliContext::readStdinLines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QJsonParseError parseError;
        const QJsonDocument doc = QJsonDocument::fromJson(lines[i].toUtf8(), &parseError);
        if (parseError.error != QJsonParseError::NoError || !doc.isObject())
            return CliContext::fail(CliExit::DataError,
                                    QStringLiteral("line %1: not a JSON object").arg(i + 1));
        QString error;
        std::unique_ptr<CTavDbPcRecord> record = open.kind->fromJson(doc.object(), *open.store, &error);
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
        return CliContext::fail(CliExit::DataError,
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
    OpenStore open;
    if (const int rc = openStore(ctx, args.first(), &open))
        return rc;
    const QString user = ctx.users().GetCurrUserName();
    if (withPrivate && ctx.users().IsSettingPassword(user) && !ctx.users().IsValidPassword(user, readPassword()))
        return CliContext::fail(CliExit::DataError, QStringLiteral("パスワードが無効です。"));
    open.store->SetPrivateMode(withPrivate ? 0 : 2);
    for (int i = 0, n = open.store->GetCount(); i < n; ++i)
        CliContext::printJson(open.kind->toJson(*open.store->GetRecord(i), *open.store));
    return CliExit::Ok;
}
} // namespace

LUMORA_CLI_COMMAND({"add", "add STORE", "adds the records read from standard input (one JSON object a line) and "
                                        "prints each new record's id; a bad line writes nothing", &runAdd})
LUMORA_CLI_COMMAND({"list", "list STORE [--private]", "prints every record of the store in its order, one JSON "
                                                      "object a line; private records only with --private "
                                                      "(asks for the user's password)", &runList})
