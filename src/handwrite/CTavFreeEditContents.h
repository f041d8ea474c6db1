#pragma once

#include <QImage>
#include <QString>

#include "TavContentKind.h"

class CTavApp;
class CTavDbFreePdbObjectManager;
class CTavDbMMContentsObject;
class QWidget;

// Pasting a content on the sheet: a picture, a sound, a movie or another memo sheet, chosen
// in the contents dialog. Pictures and sounds of the PC also go into the contents folder as
// handheld file-stream databases ("photo.jpg.pdb"), so that they travel to the handheld; those
// on the card stay where they are.
class CTavFreeEditContents final
{
public:
    struct Choice
    {
        QString path;      // as kept on the sheet: a drive path ("E:\...") for the card
        QString localPath; // the file to read here
        TavContentKind kind = TavContentKind::None;
        bool onCard = false;
    };

    // The database name for a content file: its name with ".pdb" appended.
    static QString DatabasePath(const QString& contentsFolder, const QString& path);
    // Adds the content at the page's top left; null when nothing was added (an unknown kind, a
    // missing file, a picture or sheet that cannot be read).
    static CTavDbMMContentsObject* Paste(CTavDbFreePdbObjectManager& sheet, const Choice& choice,
                                         const QString& contentsFolder);
    // The contents dialog, then Paste.
    static CTavDbMMContentsObject* Choose(CTavApp& app, CTavDbFreePdbObjectManager& sheet,
                                          const QString& contentsFolder, QWidget* parent);

private:
    static QImage picture(const QString& path);
};
