#include "CTavContentScan.h"

#include <QDir>
#include <QFileInfo>

#include "CTavDriveMap.h"

namespace {
const QString kImages = QStringLiteral("PALM\\IMAGES");
const QString kDcim = QStringLiteral("DCIM");
const QString kSounds = QStringLiteral("PALM\\PROGRAMS\\FKSOUND");
const QString kMovies = QStringLiteral("MQ_ROOT\\100MQV01");
const QString kDcfSuffix = QStringLiteral("FKDCF");

bool isPicture(const QString& suffix)
{
    return suffix == u"jpg" || suffix == u"jpeg";
}

// The entry of a folder named like name when case is ignored; empty when there is none.
QString childFolder(const QString& parent, const QString& name)
{
    const QDir dir(parent);
    if (QFileInfo(dir.filePath(name)).isDir())
        return dir.filePath(name);
    for (const QString& entry : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return QString();
}

bool readable(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isReadable() && info.isExecutable();
}

// The folder below root for a card folder written with backslashes; empty when a part is missing.
// A folder on the way that cannot be read is returned itself: the scan fails there.
QString localFolder(const QString& root, const QString& onCard)
{
    QString folder = root;
    for (const QString& part : onCard.split(u'\\', Qt::SkipEmptyParts)) {
        if (!readable(folder))
            return folder;
        folder = childFolder(folder, part);
        if (folder.isEmpty())
            break;
    }
    return folder;
}

CTavContentScan::Item itemOf(const QFileInfo& file, const QString& path, TavContentKind kind)
{
    CTavContentScan::Item item;
    item.path = path;
    item.localPath = file.absoluteFilePath();
    item.kind = kind;
    item.size = file.size();
    item.modified = file.lastModified();
    item.created = file.birthTime().isValid() ? file.birthTime() : item.modified;
    return item;
}

const QDir::SortFlags kOrder = QDir::Name | QDir::IgnoreCase;
} // namespace

bool CTavContentScan::IsDcfFolder(const QString& name)
{
    if (name.size() != 8 || !name.endsWith(kDcfSuffix, Qt::CaseInsensitive))
        return false;
    for (int i = 0; i < 3; ++i) {
        if (name[i] < u'0' || name[i] > u'9')
            return false;
    }
    return name[0] != u'0';
}

TavContentKind CTavContentScan::KindOnCard(const QString& folderOnCard, const QString& fileName)
{
    const QString folder = QString(folderOnCard).replace(u'/', u'\\').toUpper();
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    const QStringList parts = folder.split(u'\\', Qt::SkipEmptyParts);
    if ((folder == kImages || (parts.size() == 2 && parts[0] == kDcim && IsDcfFolder(parts[1]))) &&
        isPicture(suffix))
        return TavContentKind::Picture;
    if (folder == kSounds && suffix == u"wav")
        return TavContentKind::Sound;
    if (folder == kMovies && suffix == u"mqv")
        return TavContentKind::Movie;
    return TavContentKind::None;
}

TavContentKind CTavContentScan::KindOf(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (isPicture(suffix))
        return TavContentKind::Picture;
    if (suffix == u"wav")
        return TavContentKind::Sound;
    if (suffix == u"mqv" || suffix == u"mov")
        return TavContentKind::Movie;
    return TavContentKind::None;
}

CTavContentScan::Result CTavContentScan::Card(const CTavDriveMap& drives, const QString& root)
{
    Result result;
    const QString driveRoot = CTavDriveMap::rootOf(CTavDriveMap::letterOf(root));
    const QString base = drives.folderForRoot(driveRoot);
    if (base.isEmpty() || !QFileInfo(base).isDir() || !readable(base)) {
        result.failedFolder = driveRoot.isEmpty() ? root : driveRoot;
        return result;
    }

    // Each card folder is listed as soon as it is found, so that a folder that cannot be read
    // ends the scan with what the folders before it hold.
    const auto list = [&](const QString& onCard, const QString& local) {
        if (!readable(local)) {
            result.failedFolder = driveRoot + onCard;
            return false;
        }
        for (const QFileInfo& file : QDir(local).entryInfoList(QDir::Files, kOrder)) {
            const TavContentKind kind = KindOnCard(onCard, file.fileName());
            if (kind != TavContentKind::None)
                result.items.append(itemOf(file, driveRoot + onCard + u'\\' + file.fileName(), kind));
        }
        return true;
    };
    const auto add = [&](const QString& onCard) {
        const QString local = localFolder(base, onCard);
        return local.isEmpty() || list(QDir(base).relativeFilePath(local).replace(u'/', u'\\'), local);
    };
    if (!add(kImages))
        return result;
    if (const QString dcim = localFolder(base, kDcim); !dcim.isEmpty()) {
        if (!readable(dcim)) {
            result.failedFolder = driveRoot + kDcim;
            return result;
        }
        for (const QString& name : QDir(dcim).entryList(QDir::Dirs | QDir::NoDotAndDotDot, kOrder))
            if (IsDcfFolder(name) && !add(kDcim + u'\\' + name))
                return result;
    }
    if (add(kSounds))
        add(kMovies);
    return result;
}

CTavContentScan::Result CTavContentScan::Folder(const QString& folder)
{
    Result result;
    if (!QFileInfo(folder).isDir() || !readable(folder)) {
        result.failedFolder = QDir::toNativeSeparators(folder);
        return result;
    }
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files, kOrder)) {
        const TavContentKind kind = KindOf(file.fileName());
        if (kind != TavContentKind::None)
            result.items.append(itemOf(file, file.absoluteFilePath(), kind));
    }
    return result;
}
