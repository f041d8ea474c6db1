#include "ImageCodec.h"

#include "CTavDbFileUtil.h"
#include "DibImage.h"
#include "MappedFile.h"
#include "TStreamFile.h"

#include <QFile>
#include <QFileInfo>

MediaStatus ImageCodec::loadFile(const QString& fileName, DibImage& image) const
{
    const MappedFile file(fileName);
    if (!file.isOpen()) {
        image.clear();
        return MediaStatusCode::Fail;
    }
    return load(file.data(), file.size(), image);
}

MediaStatus ImageCodec::saveFile(const DibImage& image, const QString& fileName) const
{
    if (image.isNull() || !CTavDbFileUtil::ensureDirectory(QFileInfo(fileName).absolutePath()))
        return MediaStatusCode::Fail;
    const QString temporary = CTavDbFileUtil::temporaryPathFor(fileName);
    bool ok = false;
    {
        TStreamFile stream;
        if (stream.open(temporary, TStreamFile::Write))
            ok = save(image, stream) == MediaStatusCode::Ok && stream.sync();
    }
    if (ok && CTavDbFileUtil::replaceWith(temporary, fileName))
        return MediaStatusCode::Ok;
    QFile::remove(temporary);
    return MediaStatusCode::Fail;
}
