#pragma once

#include <QImage>
#include <QString>

class CTavDbFreePdbObjectManager;
class CTavDbMMContentsObject;
class QWidget;

// Pasting a file of the PC onto the sheet: a picture, a movie, a sound or another memo sheet,
// judged by the file's extension. Pictures are copied into the contents folder so that the
// sheet keeps them when the original moves.
class CTavFreeEditContents final
{
public:
    // The subtype a file pastes as, 0 for a file that cannot be pasted.
    static int SubTypeOf(const QString& path);
    // Adds the file's content at the page's top left; null when nothing was added.
    static CTavDbMMContentsObject* Paste(CTavDbFreePdbObjectManager& sheet, const QString& path,
                                         const QString& contentsFolder);
    // The file dialog, then Paste.
    static CTavDbMMContentsObject* Choose(CTavDbFreePdbObjectManager& sheet, const QString& contentsFolder,
                                          QWidget* parent);

private:
    static QImage picture(const QString& path);
};
