#include "CTavDbAddrThumb.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>

QByteArray CTavDbAddrThumb::FromPicture(const QByteArray& picture)
{
    QBuffer in;
    in.setData(picture);
    if (picture.isEmpty() || !in.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&in);
    const QSize size = reader.size();
    // A header that claims a huge picture is no card photo; decoding it would take long.
    if (!reader.canRead() || (size.isValid() && qint64(size.width()) * size.height() > 40'000'000))
        return {};
    const bool fits = size.isValid() && size.width() <= kSize && size.height() <= kSize;
    const bool jpeg = reader.format() == "jpeg";
    if (size.isValid() && !fits)
        reader.setScaledSize(size.scaled(kSize, kSize, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (jpeg && fits)
        return picture;
    if (image.width() > kSize || image.height() > kSize)
        image = image.scaled(kSize, kSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (image.hasAlphaChannel()) {
        // JPEG has no transparency: the picture goes on white, as the card shows it.
        QImage opaque(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
        painter.end();
        image = opaque;
    }
    QByteArray out;
    QBuffer buffer(&out);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "JPG", 85))
        return {};
    return out;
}
