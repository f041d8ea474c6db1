#include "CTavFreeEditContents.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "CTavFileDlg.h"
#include "CTavFreeEditMedia.h"
#include "DibImage.h"
#include "JpegCodec.h"
#include "MappedFile.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbMMContentsObject.h"

int CTavFreeEditContents::SubTypeOf(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == u"jpg" || ext == u"jpeg")
        return CTavDbMMContentsObject::Picture;
    if (ext == u"mov" || ext == u"mp4" || ext == u"avi" || ext == u"mpg" || ext == u"3gp")
        return CTavDbMMContentsObject::Movie;
    if (ext == u"wav" || ext == u"mp3" || ext == u"amr" || ext == u"ogg")
        return CTavDbMMContentsObject::Sound;
    if (ext == u"pdb")
        return CTavDbMMContentsObject::Sheet;
    return 0;
}

QImage CTavFreeEditContents::picture(const QString& path)
{
    MappedFile file(path);
    const JpegCodec codec;
    DibImage dib;
    const int side = CTavDbMMContentsObject::MaxThumbnailSide;
    if (!file.isOpen() || codec.loadScaled(side, side, file.data(), file.size(), dib) != MediaStatusCode::Ok)
        return QImage();
    return dib.toImage();
}

CTavDbMMContentsObject* CTavFreeEditContents::Paste(CTavDbFreePdbObjectManager& sheet, const QString& path,
                                                    const QString& contentsFolder)
{
    const int type = SubTypeOf(path);
    if (type == 0 || !QFileInfo(path).isFile())
        return nullptr;
    QString kept = path;
    if (type == CTavDbMMContentsObject::Picture || type == CTavDbMMContentsObject::Sound) {
        // The handheld finds the copy by its file name, so it goes into the contents folder.
        kept = QDir(contentsFolder).filePath(QFileInfo(path).fileName());
        if (QFileInfo(kept) != QFileInfo(path)) {
            QFile::remove(kept);
            if (!QFile::copy(path, kept))
                return nullptr;
        }
    }
    QImage thumbnail;
    if (type == CTavDbMMContentsObject::Picture && (thumbnail = picture(kept)).isNull())
        return nullptr;
    if (type == CTavDbMMContentsObject::Sheet && !CTavFreeEditMedia::ShowQuillo(path, &thumbnail))
        return nullptr;
    auto* object = sheet.AddNew<CTavDbMMContentsObject>();
    switch (type) {
    case CTavDbMMContentsObject::Picture:
        object->SetPicture(kept, thumbnail, CTavDbMMContentsObject::FlagOnPc);
        break;
    case CTavDbMMContentsObject::Movie:
        object->SetMovie(kept, QImage());
        break;
    case CTavDbMMContentsObject::Sound:
        object->SetSound(kept);
        break;
    default:
        object->SetQuillo(
            kept, thumbnail.scaled(thumbnail.size() / 3, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        break;
    }
    return object;
}

CTavDbMMContentsObject* CTavFreeEditContents::Choose(CTavDbFreePdbObjectManager& sheet,
                                                     const QString& contentsFolder, QWidget* parent)
{
    CTavFileDlg dialog(
        CTavFileDlg::Open, QStringLiteral("コンテンツの選択"),
        QStringLiteral("コンテンツ|*.jpg;*.jpeg;*.mov;*.mp4;*.avi;*.mpg;*.3gp;*.wav;*.mp3;*.amr;"
                       "*.ogg;*.pdb|すべてのファイル|*.*||"),
        parent);
    if (dialog.exec() != QDialog::Accepted || dialog.PathName().isEmpty())
        return nullptr;
    return Paste(sheet, dialog.PathName(), contentsFolder);
}
