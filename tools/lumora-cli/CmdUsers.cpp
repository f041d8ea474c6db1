#include <QFile>
#include <QJsonObject>

#include "CliCommand.h"
#include "CliContext.h"

namespace {
int runUsers(CliContext& ctx, const QStringList& args)
{
    if (!args.isEmpty())
        return CliContext::fail(CliExit::UsageError, QStringLiteral("usage: users"));
    for (const QString& name : ctx.users().GetUserNameList()) {
        CliContext::printJson({{QStringLiteral("name"), name},
                               {QStringLiteral("id"), static_cast<qint64>(ctx.users().GetUserID(name))},
                               {QStringLiteral("password"), ctx.users().IsSettingPassword(name)},
                               {QStringLiteral("folder"), ctx.users().GetUserPath(name)}});
    }
    return CliExit::Ok;
}

int runUserAdd(CliContext& ctx, const QStringList& args)
{
    if (args.size() != 1)
        return CliContext::fail(CliExit::UsageError, QStringLiteral("usage: useradd NAME"));
    if (const int rc = ctx.beginWrite())
        return rc;
    const TavStatus status = ctx.users().AddUser(args.first());
    if (status == TavStatusCode::InvalidArgument)
        return CliContext::fail(
            CliExit::DataError,
            QStringLiteral("cannot add user \"%1\": a name is one line, not blank, and at most "
                           "%2 bytes in code page 932")
                .arg(args.first())
                .arg(CTavDbUser::kMaxNameBytes));
    if (status != TavStatusCode::Ok)
        return CliContext::fail(
            CliExit::DataError,
            QStringLiteral("cannot add user \"%1\": %2").arg(args.first(), CliContext::statusText(status)));
    CliContext::printJson({{QStringLiteral("name"), args.first()},
                           {QStringLiteral("id"), static_cast<qint64>(ctx.users().GetUserID(args.first()))}});
    return CliExit::Ok;
}

int runUserDel(CliContext& ctx, const QStringList& args)
{
    if (args.size() != 1)
        return CliContext::fail(CliExit::UsageError, QStringLiteral("usage: userdel NAME"));
    if (const int rc = ctx.beginWrite())
        return rc;
    const TavStatus status = ctx.users().DeleteUser(args.first());
    if (status != TavStatusCode::Ok)
        return CliContext::fail(CliExit::DataError, QStringLiteral("cannot delete user \"%1\": %2")
                                                        .arg(args.first(), CliContext::statusText(status)));
    return CliExit::Ok;
}

int runPasswd(CliContext& ctx, const QStringList& args)
{
    if (args.size() != 1)
        return CliContext::fail(CliExit::UsageError, QStringLiteral("usage: passwd NAME < password"));
    QFile in;
    in.open(stdin, QIODevice::ReadOnly);
    QString password = QString::fromUtf8(in.readLine());
    while (password.endsWith(u'\n') || password.endsWith(u'\r'))
        password.chop(1);
    if (const int rc = ctx.beginWrite())
        return rc;
    const TavStatus status = ctx.users().SetPassword(args.first(), password);
    if (status != TavStatusCode::Ok)
        return CliContext::fail(CliExit::DataError, QStringLiteral("cannot set the password of \"%1\": %2")
                                                        .arg(args.first(), CliContext::statusText(status)));
    return CliExit::Ok;
}
} // namespace

LUMORA_CLI_COMMAND({"users", "users", "lists the users: name, id, password (true when set), folder",
                    &runUsers})
LUMORA_CLI_COMMAND({"useradd", "useradd NAME", "adds a user", &runUserAdd})
LUMORA_CLI_COMMAND({"userdel", "userdel NAME", "deletes a user and all of that user's data", &runUserDel})
LUMORA_CLI_COMMAND({"passwd", "passwd NAME", "sets the password read from standard input (empty clears it)",
                    &runPasswd})
