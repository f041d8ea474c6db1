#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include "TavContentKind.h"

class CTavDriveMap;

// Finds the pictures, sounds and movies of a memory card (by its drive root, through the drive
// map) or of a folder of the PC. Extensions are compared without regard to case, and so are the
// card's folder names, as the card's file system does.
class CTavContentScan final
{
public:
    struct Item
    {
        QString path;      // what is kept and returned: "E:\DCIM\100FKDCF\P1.JPG" on the card
        QString localPath; // the file to read on this PC
        TavContentKind kind = TavContentKind::None;
        qint64 size = 0;
        QDateTime created;
        QDateTime modified;
    };
    struct Result
    {
        QList<Item> items;
        // The folder (as the card names it) whose listing failed; the scan stopped there and
        // items holds what was found before.
        QString failedFolder;
        bool ok() const { return failedFolder.isEmpty(); }
    };

    // "100FKDCF": eight characters, three digits from 100 to 999, no digit after them, the
    // card maker's suffix.
    static bool IsDcfFolder(const QString& name);
    // The kind a file of the card has in a folder: pictures in the image folders, sounds in the
    // sound folder, movies in the movie folder; None elsewhere or for another extension.
    static TavContentKind KindOnCard(const QString& folderOnCard, const QString& fileName);
    // The kind of a file of the PC by its extension.
    static TavContentKind KindOf(const QString& fileName);

    // The card locations in the order the list shows them: PALM\IMAGES, the DCF folders of
    // DCIM, the sound folder, the movie folder.
    static Result Card(const CTavDriveMap& drives, const QString& root);
    // The pictures, sounds and movies directly in a folder of the PC.
    static Result Folder(const QString& folder);

private:
    CTavContentScan() = delete;
};
