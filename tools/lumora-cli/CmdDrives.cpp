#include <QDir>
#include <QJsonObject>

#include "CTavDriveMap.h"
#include "CliCommand.h"
#include "CliContext.h"

namespace {
QString typeName(CTavDriveMap::DriveType type)
{
    switch (type) {
    case CTavDriveMap::DriveType::NoRootDir:
        return QStringLiteral("no-root");
    case CTavDriveMap::DriveType::Removable:
        return QStringLiteral("removable");
    case CTavDriveMap::DriveType::Fixed:
        return QStringLiteral("fixed");
    case CTavDriveMap::DriveType::Remote:
        return QStringLiteral("remote");
    case CTavDriveMap::DriveType::CdRom:
        return QStringLiteral("cdrom");
    case CTavDriveMap::DriveType::RamDisk:
        return QStringLiteral("ramdisk");
    case CTavDriveMap::DriveType::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

int usage()
{
    return CliContext::fail(
        CliExit::UsageError,
        QStringLiteral("usage: drives [bind LETTER FOLDER | unbind LETTER | reset LETTER]"));
}

int runDrives(CliContext& ctx, const QStringList& args)
{
    if (!args.isEmpty()) {
        const QString verb = args.first();
        const bool bind = verb == QLatin1String("bind");
        if ((bind && args.size() != 3) || (!bind && args.size() != 2) ||
            !(bind || verb == QLatin1String("unbind") || verb == QLatin1String("reset")))
            return usage();
        const QChar letter = CTavDriveMap::letterOf(args.at(1).size() == 1 ? args.at(1) + u':' : args.at(1));
        if (letter.isNull())
            return CliContext::fail(CliExit::UsageError,
                                    QStringLiteral("\"%1\" is not a drive letter").arg(args.at(1)));
        if (const int rc = ctx.beginWrite(true))
            return rc;
        CTavDriveMap map;
        bool ok = false;
        if (bind)
            ok = map.bind(letter, QDir(args.at(2)).absolutePath());
        else if (verb == QLatin1String("unbind"))
            ok = map.unbind(letter);
        else
            ok = map.resetBinding(letter);
        if (!ok)
            return CliContext::fail(CliExit::DataError,
                                    QStringLiteral("cannot change drive %1:").arg(letter));
    }
    const CTavDriveMap map;
    for (const CTavDriveMap::Drive& drive : map.drives()) {
        CliContext::printJson({{QStringLiteral("root"), drive.root},
                               {QStringLiteral("folder"), drive.folder},
                               {QStringLiteral("type"), typeName(drive.type)},
                               {QStringLiteral("user"), drive.userBound},
                               {QStringLiteral("label"), drive.label}});
    }
    return CliExit::Ok;
}
} // namespace

LUMORA_CLI_COMMAND({"drives", "drives [bind LETTER FOLDER | unbind LETTER | reset LETTER]",
                    "lists the drive letters and their folders; binds, switches off or resets a letter",
                    &runDrives})
