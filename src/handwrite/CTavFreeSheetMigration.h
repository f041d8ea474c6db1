#pragma once

#include <QHash>
#include <QList>
#include <QStringList>

#include "CTavDbCategory.h"

class CTavFreeSheetManager;

// Copies the memo sheets of other folders (another user's, or a backup folder) into a sheet
// folder: categories are merged by name into the target's category database and each copied
// sheet carries the id its category has there. Files of the same name are overwritten.
class CTavFreeSheetMigration final
{
public:
    struct Source
    {
        QStringList folders;    // scanned in this order: a later file of the same name wins
        QString categoryFile;   // the source's category database
        QString contentsFolder; // the pictures, movies and sounds its sheets paste; may be empty
        // Without a readable category database the ids are kept (a backup of the same user's
        // sheets) or filed as unfiled (another user's sheets, whose ids mean nothing here).
        bool keepIdsWithoutCategories = false;
    };
    struct Outcome
    {
        int copied = 0;
        int contentsCopied = 0;
        QStringList failed; // files that could not be read or written, with the reason
    };

    // Source category id to target id: the target's category of the same name, else a new one
    // while the target has room, else unfiled (0).
    static QHash<int, int> MergeCategories(const QList<CTavDbCategory>& source, CTavFreeSheetManager& target);

    // The target's category database is changed in memory only; the caller saves it.
    static Outcome Run(const Source& source, CTavFreeSheetManager& categories, const QString& targetFolder,
                       const QString& targetContents);
};
