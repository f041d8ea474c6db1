#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

class CTavRegistryFile;

// Drive letters over the local file system, so that a drive root such as "E:\" keeps its
// meaning. By default "C:\" is the home folder, "Z:\" the file-system root, and removable
// volumes mounted under /media or /run/media take the free letters from "E:" on, in the
// order of their mount points. Letters the user binds to folders are stored in the registry
// under "SOFTWARE\Ostrel Corporation\Lumora\Drives" (value "E:" = folder) and win over the
// defaults; an empty stored folder switches the letter off.
class CTavDriveMap final
{
public:
    // The Windows drive type numbers.
    enum class DriveType
    {
        Unknown = 0,
        NoRootDir = 1,
        Removable = 2,
        Fixed = 3,
        Remote = 4,
        CdRom = 5,
        RamDisk = 6
    };

    struct Volume
    {
        QString rootPath;
        QByteArray fileSystemType;
        QString label;
        // Mounted by the desktop for a plugged-in medium (below /media or /run/media).
        bool removable = false;
    };
    struct Drive
    {
        QChar letter;
        QString root;   // "E:\"
        QString folder; // local folder, no trailing separator except for "/"
        DriveType type = DriveType::Unknown;
        bool userBound = false;
        QString label;
    };

    static QString DrivesKeyPath();

    // Uses the registry file at CTavRegistryFile::defaultPath().
    CTavDriveMap();
    // Uses the given registry file, which must outlive this object.
    explicit CTavDriveMap(CTavRegistryFile& registry);
    ~CTavDriveMap();
    Q_DISABLE_COPY_MOVE(CTavDriveMap)

    // Binds again from the mounted volumes, the home folder and the stored bindings.
    void refresh();
    void refreshWith(const QList<Volume>& volumes, const QString& homeFolder);
    static QList<Volume> mountedVolumes();

    // Bound drives in letter order.
    QList<Drive> drives() const;
    // Roots of the bound letters, "A:\" to "Z:\" in letter order.
    QStringList driveRoots() const;
    // Roots whose type is neither unknown nor "no root directory": what drive boxes offer.
    QStringList availableRoots() const;
    DriveType driveType(const QString& root) const;
    // A letter whose type is known and whose folder is there: what a reader may open.
    bool isUsable(const QString& root) const;
    // The first letter from "E:" on that is bound to nothing; null when all are taken.
    QChar freeLetter() const;
    // The root bound to exactly this folder; empty when none is.
    QString rootBoundTo(const QString& folder) const;

    // "E:\", "e:", "E:/" name the letter E; anything else gives a null QChar.
    static QChar letterOf(const QString& root);
    static QString rootOf(QChar letter);

    // What a drive box shows for a root: "E: /media/hanako/KIRO_CARD"; the bare root when the
    // letter is unbound.
    QString displayName(const QString& root) const;
    // The local folder of a root; empty when the letter is unbound.
    QString folderForRoot(const QString& root) const;
    // "E:\DCIM\x.jpg" to a local path; empty when unbound or when ".." leaves the drive.
    QString toLocalPath(const QString& drivePath) const;
    // The root whose folder holds the local path most closely; empty when none.
    QString rootForFolder(const QString& localPath) const;
    // A local path as a drive path ("E:\DCIM\x.jpg"); empty when no drive holds it.
    QString toDrivePath(const QString& localPath) const;

    // Stores a binding of the letter to a folder; false for an invalid letter, a relative
    // folder or a failed write.
    bool bind(QChar letter, const QString& folder);
    // Switches the letter off, default binding included.
    bool unbind(QChar letter);
    // Forgets the stored binding, so that the default applies again.
    bool resetBinding(QChar letter);

private:
    static DriveType typeOfFolder(const QString& folder, const QList<Volume>& volumes);
    const Drive* driveFor(QChar letter) const;

    std::unique_ptr<CTavRegistryFile> m_own;
    CTavRegistryFile* m_registry;
    std::array<Drive, 26> m_drives;
    QList<Volume> m_volumes;
    QString m_home;
};
