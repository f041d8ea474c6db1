#include "CliRun.h"

#include <QJsonDocument>
#include <QProcess>

#include "TestDataDir.h"

CliResult RunCli(const TestDataDir& dir, const QStringList& args, const QByteArray& input)
{
    QProcess p;
    p.start(QStringLiteral(LUMORA_CLI_PROGRAM),
            QStringList{QStringLiteral("--data-dir"), dir.dataPath()} + args);
    p.write(input);
    p.closeWriteChannel();
    CliResult r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitCode();
    r.error = QString::fromUtf8(p.readAllStandardError());
    for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
        if (!line.isEmpty())
            r.lines << QJsonDocument::fromJson(line).object();
    return r;
}
