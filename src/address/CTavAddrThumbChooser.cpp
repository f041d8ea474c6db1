#include "CTavAddrThumbChooser.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QStandardPaths>

#include "CTavDbAddrRecord.h"
#include "CTavFileDlg.h"
#include "DibImage.h"
#include "JpegCodec.h"
#include "MappedFile.h"
#include "TavShowMessage.h"

namespace {
constexpr int kQuality = 85;

// Camera pictures through the program's JPEG reader, which decodes at a reduced scale and
// turns them upright as their EXIF data say.
QImage readJpeg(const QString& path)
{
    const MappedFile file(path);
    const JpegCodec codec;
    if (!file.isOpen() || codec.probeFormat(file.data(), file.size()) == JpegCodec::NotJpeg)
        return {};
    DibImage dib;
    const int side = CTavAddrThumbChooser::kThumbSize;
    if (codec.loadScaled(side, side, file.data(), file.size(), dib) != MediaStatusCode::Ok)
        return {};
    return dib.toImage();
}

QImage readOther(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // A large picture need not be decoded whole for a thumbnail.
    const QSize size = reader.size();
    const int enough = CTavAddrThumbChooser::kThumbSize * 4;
    if (size.isValid() && (size.width() > enough || size.height() > enough))
        reader.setScaledSize(size.scaled(enough, enough, Qt::KeepAspectRatio));
    return reader.read();
}
} // namespace

QImage CTavAddrThumbChooser::MakeThumbnail(const QString& path)
{
    QImage picture = readJpeg(path);
    if (picture.isNull())
        picture = readOther(path);
    if (picture.isNull())
        return {};
    if (picture.width() > kThumbSize || picture.height() > kThumbSize)
        picture = picture.scaled(kThumbSize, kThumbSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage thumb(picture.size(), QImage::Format_RGB32);
    thumb.fill(Qt::white);
    QPainter painter(&thumb);
    painter.drawImage(0, 0, picture);
    return thumb;
}

bool CTavAddrThumbChooser::UsePicture(QWidget* parent, const QString& path, CTavDbAddrRecord& card)
{
    const QString name = QFileInfo(path).fileName();
    const QImage thumb = MakeThumbnail(path);
    if (thumb.isNull()) {
        TavShowMessage(parent,
                       QStringLiteral("「%1」は画像として読み込めませんでした。\nJPEG、PNG、BMP "
                                      "の画像ファイルを指定してください。")
                           .arg(name),
                       QString(), TavMsg::IconExclamation);
        return false;
    }
    DibImage dib = DibImage::fromImage(thumb);
    dib.setQuality(kQuality);
    const QString temporary = QDir(QDir::tempPath()).filePath(kTempName);
    CTavDbAddrRecord result = card;
    if (JpegCodec().saveFile(dib, temporary) != MediaStatusCode::Ok || !result.LoadThumbData(temporary)) {
        TavShowMessage(parent,
                       QStringLiteral("「%1」の縮小画像を作業フォルダ「%2」に書き込めませんでした。")
                           .arg(name, QDir::toNativeSeparators(QDir::tempPath())),
                       QString(), TavMsg::IconExclamation);
        return false;
    }
    result.SetThumbName(name);
    result.SetDummyThumb(1);
    card = result;
    return true;
}

bool CTavAddrThumbChooser::Choose(QWidget* parent, CTavDbAddrRecord& card)
{
    CTavFileDlg dialog(CTavFileDlg::Open, QStringLiteral("写真の指定"), kFilter, parent);
    dialog.SetInitialFolder(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    if (dialog.exec() != QDialog::Accepted || dialog.PathName().isEmpty())
        return false;
    return UsePicture(parent, dialog.PathName(), card);
}
