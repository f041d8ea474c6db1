#include "CTavPlatformPaths.h"

#include <QDir>

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
