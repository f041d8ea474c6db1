#include "CTavContentThumbnail.h"

#include "DibImage.h"
#include "ImageCodec.h"
#include "ImageCodecRegistry.h"
#include "JpegCodec.h"
#include "MappedFile.h"

namespace {
CTavContentThumbnail::Result decode(const ImageCodec& codec, const QString& path, const QSize& box)
{
    CTavContentThumbnail::Result result;
    result.status = CTavContentThumbnail::Status::Broken;
    const MappedFile file(path);
    DibImage dib;
    if (!file.isOpen() || file.size() == 0 ||
        codec.loadScaled(box.width(), box.height(), file.data(), file.size(), dib) != MediaStatusCode::Ok ||
        dib.isNull())
        return result;
    QImage image = dib.toImage();
    if (image.width() > box.width() || image.height() > box.height())
        image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    result.image = std::move(image);
    result.status =
        result.image.isNull() ? CTavContentThumbnail::Status::Broken : CTavContentThumbnail::Status::Made;
    return result;
}
} // namespace

CTavContentThumbnail::Result CTavContentThumbnail::Make(const QString& localPath, TavContentKind kind,
                                                        const QSize& box)
{
    switch (kind) {
    case TavContentKind::Picture:
        return decode(JpegCodec(), localPath, box);
    case TavContentKind::Movie:
        if (const ImageCodec* codec = ImageCodecRegistry::instance().byExtension(localPath))
            return decode(*codec, localPath, box);
        return Result{};
    default:
        return Result{};
    }
}
