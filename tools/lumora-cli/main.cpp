#include <QCoreApplication>

#include "CTavPrivateFiles.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "MovieSupport.h"

namespace {
int printHelp()
{
    QString text = QStringLiteral(
        "usage: lumora-cli [--data-dir DIR] [--user NAME] COMMAND [ARGS...]\n\n"
        "Prints JSON on standard output and errors on standard error; exits 0 on success,\n"
        "1 on a data error and 2 on a usage error. README.md documents every field.\n\ncommands:\n");
    for (const CliCommand& c : CliRegistry::all())
        text += QStringLiteral("  %1\n      %2\n").arg(QLatin1String(c.synopsis), QString::fromUtf8(c.summary));
    CliContext::printLine(text.trimmed());
    return CliExit::Ok;
}
} // namespace

int main(int argc, char** argv)
{
    CTavPrivateFiles::Apply();
    // QImage works without a GUI application, so no display is ever needed.
    QCoreApplication app(argc, argv);
    MovieSupport::Initialize();
    QStringList args = app.arguments().mid(1);

    QString dataDir;
    QString user;
    CliContext::takeOption(args, QStringLiteral("--data-dir"), &dataDir);
    CliContext::takeOption(args, QStringLiteral("--user"), &user);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("help"))
        return args.isEmpty() ? (printHelp(), CliExit::UsageError) : printHelp();
    if (dataDir.isEmpty())
        dataDir = QString::fromLocal8Bit(qgetenv("LUMORA_DATA_DIR"));

    const CliCommand* command = CliRegistry::find(args.first());
    if (!command)
        return CliContext::fail(CliExit::UsageError,
                                QStringLiteral("unknown command \"%1\"; see --help").arg(args.first()));
    CliContext context(dataDir, user);
    CTavPrivateFiles::TightenAll();
    return command->run(context, args.mid(1));
}
