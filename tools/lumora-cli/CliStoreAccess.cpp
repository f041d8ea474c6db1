#include "CliStoreAccess.h"

#include <QFile>
#include <cstdio>
#include <termios.h>
#include <unistd.h>

#include "CTavDbStoreBase.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliStoreKind.h"

namespace {
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
} // namespace

const CliStoreKind* CliStoreAccess::kind(const QString& name)
{
    const CliStoreKind* kind = CliStoreKinds::find(name);
    if (!kind)
        CliContext::fail(CliExit::UsageError, QStringLiteral("unknown store \"%1\"; the stores are: %2")
                                                  .arg(name, CliStoreKinds::names().join(u", ")));
    return kind;
}

int CliStoreAccess::open(CliContext& ctx, const QString& name, CliOpenStore* out)
{
    out->kind = kind(name);
    if (!out->kind)
        return CliExit::UsageError;
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

int CliStoreAccess::applyPrivateMode(CliContext& ctx, CTavDbStoreBase& store, bool withPrivate)
{
    const QString user = ctx.users().GetCurrUserName();
    if (withPrivate && ctx.users().IsSettingPassword(user) &&
        !ctx.users().IsValidPassword(user, readPassword()))
        return CliContext::fail(CliExit::DataError, QStringLiteral("パスワードが無効です。"));
    store.SetPrivateMode(withPrivate ? 0 : 2);
    return CliExit::Ok;
}
