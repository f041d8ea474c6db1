#pragma once

#include <QString>

#include "TavStatus.h"

// The data root and the names of the folders inside each user's data folder.
// Folder queries answer names relative to a user's folder (GetCurrUserPath + name).
class CTavDbEnv
{
public:
    // The data root, ending in '/'. Defaults to $LUMORA_DATA_DIR, else $XDG_DATA_HOME/Lumora.
    static QString GetCorePath();
    static void SetCorePath(const QString& path);

    // Makes sure the data root exists and can be written.
    TavStatus Initialize();

    static QString GetPdtDateDir() { return QStringLiteral("DateBook"); }
    static QString GetPdtAddrDir() { return QStringLiteral("Address"); }
    static QString GetPdtTodoDir() { return QStringLiteral("ToDo"); }
    static QString GetPdtMemoDir() { return QStringLiteral("MemoPad"); }
    static QString GetMmContentsDir() { return QStringLiteral("MmContents"); }
    static QString GetBenriDir() { return QStringLiteral("Benri"); }
    static QString GetBackupDir() { return QStringLiteral("Backup"); }
    static QString GetQuillosDir() { return QStringLiteral("Quillos"); }
    static QString GetPastDataDir() { return QStringLiteral("PastData"); }
    static QString GetDokoDir() { return QStringLiteral("Doko"); }
    static QString GetTavDateDir() { return QStringLiteral("TavDate"); }
};
