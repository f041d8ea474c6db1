#include "CTavFreeEditMedia.h"

#include <QDesktopServices>
#include <QFileInfo>

#include "CTavDbFileStreamWriter.h"
#include "CTavDbPalmDatabase.h"
#include "CTavDriveMap.h"
#include "CTavFreeEditPictureDlg.h"
#include "DibImage.h"
#include "JpegCodec.h"
#include "TavShowMessage.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbMMContentsObject.h"

namespace {
CTavFreeEditMedia::Opener& opener()
{
    static CTavFreeEditMedia::Opener hook;
    return hook;
}

void tellError(QWidget* parent, const QString& text)
{
    TavShowMessage(parent, text, QStringLiteral("エラー"), TavMsg::Ok | TavMsg::IconStop);
}

QString noPlayer(const QString& what)
{
    return QStringLiteral("この%1を再生出来るアプリケーションがありません。").arg(what);
}
} // namespace

QString CTavFreeEditMedia::sourceFile(const CTavDbMMContentsObject& object, const QString& folder)
{
    // Contents of the memory card are kept by their drive path.
    const QString& path = object.GetPath();
    if (!CTavDriveMap::letterOf(path.left(3)).isNull()) {
        const QString local = CTavDriveMap().toLocalPath(path);
        if (!local.isEmpty() && QFileInfo(local).isFile())
            return local;
    }
    return object.FindSourceFile(folder);
}

void CTavFreeEditMedia::SetOpener(Opener hook)
{
    opener() = std::move(hook);
}

int CTavFreeEditMedia::ShowMmPicture(const CTavDbMMContentsObject& object, const QString& folder,
                                     QImage* picture)
{
    const QString path = sourceFile(object, folder);
    if (path.isEmpty())
        return Missing;
    DibImage dib;
    // Only the handheld's copy may be left: the picture is the content of its blocks.
    QByteArray kept;
    CTavDbPalmDatabase database;
    if (path.endsWith(QStringLiteral(".pdb"), Qt::CaseInsensitive) &&
        database.LoadFromFile(path) == TavStatusCode::Ok &&
        CTavDbFileStreamWriter::ReadContent(database, &kept) == TavStatusCode::Ok) {
        if (JpegCodec().load(reinterpret_cast<const uchar*>(kept.constData()), kept.size(), dib) ==
            MediaStatusCode::Ok)
            *picture = dib.toImage();
    } else if (JpegCodec().loadFile(path, dib) == MediaStatusCode::Ok)
        *picture = dib.toImage();
    else
        *picture = QImage(path);
    return picture->isNull() ? Missing : 0;
}

int CTavFreeEditMedia::play(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return Missing;
    const QUrl url = QUrl::fromLocalFile(path);
    const bool opened = opener() ? opener()(url) : QDesktopServices::openUrl(url);
    return opened ? 0 : NoPlayer;
}

int CTavFreeEditMedia::PlayMmMovie(const QString& path)
{
    return play(path);
}

int CTavFreeEditMedia::PlayMmSound(const QString& path)
{
    return play(path);
}

bool CTavFreeEditMedia::ShowQuillo(const QString& path, QImage* bitmap,
                                   std::shared_ptr<CTavDbFreePrcObjectManager> seals)
{
    CTavDbFreePdbObjectManager sheet;
    if (seals)
        sheet.SetResources(std::move(seals));
    else
        sheet.CreateResources();
    if (path.isEmpty() || sheet.LoadFromFile(path) != TavStatusCode::Ok || sheet.CreateObjects() <= 0)
        return false;
    *bitmap = sheet.CreateThumbnailBitmap(CTavDbFreePdbObjectManager::PageRect,
                                          CTavDbFreePdbObjectManager::PageRect.size());
    return !bitmap->isNull();
}

bool CTavFreeEditMedia::Open(QWidget* parent, const CTavDbMMContentsObject& object,
                             const QString& contentsFolder, const QString& sheetFolder,
                             std::shared_ptr<CTavDbFreePrcObjectManager> seals)
{
    switch (object.GetSubType()) {
    case CTavDbMMContentsObject::Picture: {
        QImage picture;
        if (ShowMmPicture(object, contentsFolder, &picture) != 0) {
            tellError(parent,
                      QStringLiteral("ページに貼り付けられている静止画のオリジナルデータが存在しません。"));
            return false;
        }
        CTavFreeEditPictureDlg dialog(picture, QStringLiteral("画像"), false, parent);
        dialog.exec();
        return false;
    }
    case CTavDbMMContentsObject::Movie:
    case CTavDbMMContentsObject::Sound: {
        const bool movie = object.GetSubType() == CTavDbMMContentsObject::Movie;
        const int result = movie ? PlayMmMovie(sourceFile(object, contentsFolder))
                                 : PlayMmSound(sourceFile(object, contentsFolder));
        if (result == Missing)
            tellError(
                parent,
                movie ? QStringLiteral("ページに貼り付けられている動画のオリジナルデータが存在しません。")
                      : QStringLiteral("ページに貼り付けられている音声のオリジナルデータが存在しません。"));
        else if (result == NoPlayer)
            tellError(parent, noPlayer(movie ? QStringLiteral("動画") : QStringLiteral("音声")));
        return false;
    }
    case CTavDbMMContentsObject::Sheet: {
        QString path = object.FindSourceFile(sheetFolder);
        if (path.isEmpty())
            path = object.FindSourceFile(contentsFolder);
        QImage page;
        if (!ShowQuillo(path, &page, std::move(seals))) {
            tellError(parent, QStringLiteral(
                                  "ページに貼り付けられている手書きメモのオリジナルデータが存在しません。"));
            return false;
        }
        CTavFreeEditPictureDlg dialog(page, QStringLiteral("手書きメモビューワー"), true, parent);
        dialog.exec();
        return dialog.PeeledOff();
    }
    }
    return false;
}
