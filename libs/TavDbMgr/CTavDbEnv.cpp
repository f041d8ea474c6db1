#include "CTavDbEnv.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "CTavDbFileUtil.h"

namespace {
QString& corePathOverride()
{
    static QString path;
    return path;
}

QString withSeparator(QString path)
{
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}
} // namespace

QString CTavDbEnv::GetCorePath()
{
    if (!corePathOverride().isEmpty())
        return corePathOverride();
    const QByteArray env = qgetenv("LUMORA_DATA_DIR");
    if (!env.isEmpty())
        return withSeparator(QDir(QString::fromLocal8Bit(env)).absolutePath());
    QString base = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"));
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return withSeparator(base + QStringLiteral("/Lumora"));
}

void CTavDbEnv::SetCorePath(const QString& path)
{
    corePathOverride() = path.isEmpty() ? QString() : withSeparator(QDir(path).absolutePath());
}

TavStatus CTavDbEnv::Initialize()
{
    const QString root = GetCorePath();
    if (!CTavDbFileUtil::ensureDirectory(root))
        return TavStatusCode::FileError;
    // A folder that exists but cannot be written would lose every save later on.
    QTemporaryFile probe(root + QStringLiteral(".write-test-XXXXXX"));
    return probe.open() ? TavStatusCode::Ok : TavStatusCode::FileError;
}
