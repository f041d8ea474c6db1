#include "CTavDriveMap.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include "CTavDbFileUtil.h"
#include "CTavPlatformPaths.h"

namespace {
QString mapPath() { return CTavPlatformPaths::configDir() + QStringLiteral("/drives.json"); }

QJsonObject readMap()
{
    QFile f(mapPath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

QString letterOf(const QString& root) { return root.left(1).toUpper(); }
} // namespace

int CTavDriveMap::GetDriveType(const QString& root)
{
    const QJsonObject e = readMap().value(letterOf(root)).toObject();
    if (e.isEmpty())
        return 1;
    if (!QDir(e.value("folder").toString()).exists())
        return 1;
    return e.value("type").toInt(0);
}

QString CTavDriveMap::FolderOf(const QString& root)
{
    return readMap().value(letterOf(root)).toObject().value("folder").toString();
}

void CTavDriveMap::Bind(const QString& root, const QString& folder, int type)
{
    QJsonObject all = readMap();
    all.insert(letterOf(root), QJsonObject{{"folder", folder}, {"type", type}});
    CTavDbFileUtil::ensureDirectory(CTavPlatformPaths::configDir());
    CTavDbFileUtil::writeAtomically(mapPath(), QJsonDocument(all).toJson());
}
