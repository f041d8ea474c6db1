#include "CTavDriveMap.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

#include "CTavRegOption.h"
#include "CTavRegistryFile.h"

namespace {
constexpr int kLetters = 26;
constexpr int kFirstRemovable = 'E' - 'A';

int indexOf(QChar letter)
{
    const char16_t u = letter.toUpper().unicode();
    return u >= 'A' && u <= 'Z' ? u - 'A' : -1;
}

QString valueName(QChar letter)
{
    return QString(letter.toUpper()) + u':';
}

bool isUnder(const QString& path, const QString& folder)
{
    if (folder == QLatin1String("/"))
        return path.startsWith(u'/');
    return path == folder || path.startsWith(folder + u'/');
}

bool isRemovableMount(const QString& root)
{
    return root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/"));
}
} // namespace

QString CTavDriveMap::DrivesKeyPath()
{
    return CTavRegOption::ProductKeyPath() + QStringLiteral("\\Drives");
}

CTavDriveMap::CTavDriveMap() : m_own(std::make_unique<CTavRegistryFile>()), m_registry(m_own.get())
{
    refresh();
}

CTavDriveMap::CTavDriveMap(CTavRegistryFile& registry) : m_registry(&registry)
{
    refresh();
}

CTavDriveMap::~CTavDriveMap() = default;

QList<CTavDriveMap::Volume> CTavDriveMap::mountedVolumes()
{
    QList<Volume> volumes;
    for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
        if (info.isValid())
            volumes.append(Volume{info.rootPath(), info.fileSystemType(), info.name(),
                                  isRemovableMount(info.rootPath())});
    }
    return volumes;
}

void CTavDriveMap::refresh()
{
    refreshWith(mountedVolumes(), QDir::homePath());
}

void CTavDriveMap::refreshWith(const QList<Volume>& volumes, const QString& homeFolder)
{
    m_volumes = volumes;
    m_home = homeFolder;
    std::array<bool, kLetters> stored{};
    for (int i = 0; i < kLetters; ++i) {
        Drive& drive = m_drives[static_cast<size_t>(i)];
        drive = Drive{};
        drive.letter = QChar(u'A' + i);
        drive.root = rootOf(drive.letter);
    }
    const QString key = DrivesKeyPath();
    for (const QString& name : m_registry->valueNames(key)) {
        const int i = name.size() == 2 ? indexOf(letterOf(name)) : -1;
        QString folder;
        if (i < 0 || !m_registry->readString(key, name, &folder))
            continue;
        stored[static_cast<size_t>(i)] = true;
        if (!folder.isEmpty() && QDir::isAbsolutePath(folder)) {
            m_drives[static_cast<size_t>(i)].folder = QDir::cleanPath(folder);
            m_drives[static_cast<size_t>(i)].userBound = true;
        }
    }
    auto take = [&](int i, const QString& folder, const QString& label) {
        Drive& drive = m_drives[static_cast<size_t>(i)];
        if (stored[static_cast<size_t>(i)] || !drive.folder.isEmpty() || folder.isEmpty())
            return false;
        drive.folder = QDir::cleanPath(folder);
        drive.label = label;
        return true;
    };
    take('C' - 'A', homeFolder, QString());
    take('Z' - 'A', QStringLiteral("/"), QString());

    QList<Volume> removable;
    std::copy_if(volumes.begin(), volumes.end(), std::back_inserter(removable),
                 [](const Volume& v) { return v.removable && !v.rootPath.isEmpty(); });
    std::sort(removable.begin(), removable.end(),
              [](const Volume& a, const Volume& b) { return a.rootPath < b.rootPath; });
    int next = kFirstRemovable;
    for (const Volume& volume : removable) {
        const QString root = QDir::cleanPath(volume.rootPath);
        if (std::any_of(m_drives.begin(), m_drives.end(), [&](const Drive& d) { return d.folder == root; }))
            continue;
        while (next < kLetters && !take(next, root, volume.label))
            ++next;
    }
    for (Drive& drive : m_drives) {
        if (!drive.folder.isEmpty())
            drive.type = typeOfFolder(drive.folder, volumes);
    }
}

CTavDriveMap::DriveType CTavDriveMap::typeOfFolder(const QString& folder, const QList<Volume>& volumes)
{
    if (!QFileInfo(folder).isDir())
        return DriveType::NoRootDir;
    const Volume* best = nullptr;
    for (const Volume& v : volumes) {
        const QString root = QDir::cleanPath(v.rootPath);
        if (!v.rootPath.isEmpty() && isUnder(folder, root) &&
            (!best || root.size() > QDir::cleanPath(best->rootPath).size()))
            best = &v;
    }
    if (!best)
        return DriveType::Fixed;
    const QByteArray fs = best->fileSystemType.toLower();
    if (fs == "iso9660" || fs == "udf")
        return DriveType::CdRom;
    if (fs.startsWith("nfs") || fs == "cifs" || fs.startsWith("smb") || fs.endsWith("sshfs") || fs == "9p" ||
        fs == "afs")
        return DriveType::Remote;
    if (fs == "tmpfs" || fs == "ramfs")
        return DriveType::RamDisk;
    return best->removable ? DriveType::Removable : DriveType::Fixed;
}

QChar CTavDriveMap::letterOf(const QString& root)
{
    const QString text = root.trimmed();
    if (text.size() < 2 || text.size() > 3 || text[1] != u':' || indexOf(text[0]) < 0)
        return QChar();
    if (text.size() == 3 && text[2] != u'\\' && text[2] != u'/')
        return QChar();
    return text[0].toUpper();
}

QString CTavDriveMap::rootOf(QChar letter)
{
    return indexOf(letter) < 0 ? QString() : QString(letter.toUpper()) + QStringLiteral(":\\");
}

const CTavDriveMap::Drive* CTavDriveMap::driveFor(QChar letter) const
{
    const int i = letter.isNull() ? -1 : indexOf(letter);
    if (i < 0 || m_drives[static_cast<size_t>(i)].folder.isEmpty())
        return nullptr;
    return &m_drives[static_cast<size_t>(i)];
}

QList<CTavDriveMap::Drive> CTavDriveMap::drives() const
{
    QList<Drive> bound;
    for (const Drive& drive : m_drives) {
        if (!drive.folder.isEmpty())
            bound.append(drive);
    }
    return bound;
}

QStringList CTavDriveMap::driveRoots() const
{
    QStringList roots;
    for (const Drive& drive : drives())
        roots << drive.root;
    return roots;
}

QStringList CTavDriveMap::availableRoots() const
{
    QStringList roots;
    for (const Drive& drive : drives()) {
        if (drive.type != DriveType::Unknown && drive.type != DriveType::NoRootDir)
            roots << drive.root;
    }
    return roots;
}

CTavDriveMap::DriveType CTavDriveMap::driveType(const QString& root) const
{
    const QChar letter = letterOf(root);
    if (letter.isNull())
        return DriveType::Unknown;
    const Drive* drive = driveFor(letter);
    return drive ? drive->type : DriveType::NoRootDir;
}

bool CTavDriveMap::isUsable(const QString& root) const
{
    const DriveType type = driveType(root);
    return type != DriveType::Unknown && type != DriveType::NoRootDir;
}

QChar CTavDriveMap::freeLetter() const
{
    for (int i = kFirstRemovable; i < kLetters; ++i) {
        if (m_drives[static_cast<size_t>(i)].folder.isEmpty())
            return m_drives[static_cast<size_t>(i)].letter;
    }
    return QChar();
}

QString CTavDriveMap::rootBoundTo(const QString& folder) const
{
    if (!QDir::isAbsolutePath(folder))
        return QString();
    const QString path = QDir::cleanPath(folder);
    for (const Drive& drive : m_drives) {
        if (drive.folder == path)
            return drive.root;
    }
    return QString();
}

QString CTavDriveMap::displayName(const QString& root) const
{
    const QChar letter = letterOf(root);
    const Drive* drive = driveFor(letter);
    if (!drive)
        return root;
    return QString(letter.toUpper()) + QStringLiteral(": ") + QDir::toNativeSeparators(drive->folder);
}

QString CTavDriveMap::folderForRoot(const QString& root) const
{
    const Drive* drive = driveFor(letterOf(root));
    return drive ? drive->folder : QString();
}

QString CTavDriveMap::toLocalPath(const QString& drivePath) const
{
    const Drive* drive = drivePath.size() >= 2 ? driveFor(letterOf(drivePath.left(2))) : nullptr;
    if (!drive)
        return QString();
    QString rest = drivePath.mid(2);
    if (!rest.isEmpty() && rest[0] != u'\\' && rest[0] != u'/')
        return QString();
    rest.replace(u'\\', u'/');
    const QString local = QDir::cleanPath(drive->folder + u'/' + rest);
    return isUnder(local, drive->folder) ? local : QString();
}

QString CTavDriveMap::rootForFolder(const QString& localPath) const
{
    if (!QDir::isAbsolutePath(localPath))
        return QString();
    const QString path = QDir::cleanPath(localPath);
    const Drive* best = nullptr;
    for (const Drive& drive : m_drives) {
        if (!drive.folder.isEmpty() && isUnder(path, drive.folder) &&
            (!best || drive.folder.size() > best->folder.size()))
            best = &drive;
    }
    return best ? best->root : QString();
}

QString CTavDriveMap::toDrivePath(const QString& localPath) const
{
    const QString root = rootForFolder(localPath);
    if (root.isEmpty())
        return QString();
    const QString folder = folderForRoot(root);
    const QString path = QDir::cleanPath(localPath);
    QString rest = path.mid(folder == QLatin1String("/") ? 1 : folder.size() + 1);
    rest.replace(u'/', u'\\');
    return root + rest;
}

bool CTavDriveMap::bind(QChar letter, const QString& folder)
{
    if (indexOf(letter) < 0 || !QDir::isAbsolutePath(folder) ||
        !m_registry->writeString(DrivesKeyPath(), valueName(letter), QDir::cleanPath(folder)))
        return false;
    refreshWith(m_volumes, m_home);
    return true;
}

bool CTavDriveMap::unbind(QChar letter)
{
    if (indexOf(letter) < 0 || !m_registry->writeString(DrivesKeyPath(), valueName(letter), QString()))
        return false;
    refreshWith(m_volumes, m_home);
    return true;
}

bool CTavDriveMap::resetBinding(QChar letter)
{
    if (indexOf(letter) < 0 || !m_registry->deleteValue(DrivesKeyPath(), valueName(letter)))
        return false;
    refreshWith(m_volumes, m_home);
    return true;
}
