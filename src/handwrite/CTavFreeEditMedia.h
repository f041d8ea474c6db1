#pragma once

#include <QImage>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

class CTavDbFreePrcObjectManager;
class CTavDbMMContentsObject;
class QWidget;

// What a double click on a pasted content does: pictures and memo sheets are shown here; movies
// and sounds go to the desktop's player for their file.
class CTavFreeEditMedia final
{
public:
    static constexpr int Missing = -1;  // the content's file is gone
    static constexpr int NoPlayer = -2; // nothing on this desktop opens it

    // How files are handed to the desktop; tests put their own in (null: the desktop's).
    using Opener = std::function<bool(const QUrl&)>;
    static void SetOpener(Opener opener);

    // The picture of a content's file; Missing when the file is not there or unreadable.
    static int ShowMmPicture(const CTavDbMMContentsObject& object, const QString& folder, QImage* picture);
    static int PlayMmMovie(const QString& path);
    static int PlayMmSound(const QString& path);
    // The first page of a memo sheet file drawn into bitmap; false when it does not load.
    static bool ShowQuillo(const QString& path, QImage* bitmap,
                           std::shared_ptr<CTavDbFreePrcObjectManager> seals = nullptr);

    // The double click: shows the content or tells why not. True when the user peeled the
    // content off the page in the sheet viewer.
    static bool Open(QWidget* parent, const CTavDbMMContentsObject& object, const QString& contentsFolder,
                     const QString& sheetFolder, std::shared_ptr<CTavDbFreePrcObjectManager> seals = nullptr);

private:
    static int play(const QString& path);
    // The file of a content: on the card through the drive map, else as the object finds it.
    static QString sourceFile(const CTavDbMMContentsObject& object, const QString& folder);
};
