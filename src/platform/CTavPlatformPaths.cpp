#include "CTavPlatformPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
bool isExecutable(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}
} // namespace

QString CTavPlatformPaths::configDir()
{
    const QByteArray env = qgetenv("LUMORA_CONFIG_DIR");
    if (!env.isEmpty())
        return QDir(QString::fromLocal8Bit(env)).absolutePath();
    QString base = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Ostrel Corporation");
}

QString CTavPlatformPaths::findProgram(const QString& name, const char* environmentVariable,
                                       const QString& buildPath)
{
    if (qEnvironmentVariableIsSet(environmentVariable)) {
        const QString path = qEnvironmentVariable(environmentVariable);
        return isExecutable(path) ? QFileInfo(path).absoluteFilePath() : QString();
    }
    if (QCoreApplication::instance()) {
        const QString beside = QCoreApplication::applicationDirPath() + u'/' + name;
        if (isExecutable(beside))
            return beside;
    }
    const QString onPath = QStandardPaths::findExecutable(name);
    if (!onPath.isEmpty())
        return onPath;
    return !buildPath.isEmpty() && isExecutable(buildPath) ? buildPath : QString();
}
