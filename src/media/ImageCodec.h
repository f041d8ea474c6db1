#pragma once

#include "MediaStatus.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

class DibImage;
class TStreamFile;

// A picture format: recognising it, reading its size and pixels, and writing it.
class ImageCodec
{
public:
    virtual ~ImageCodec() = default;

    virtual QString name() const = 0;
    // Lower-case, with the dot: ".jpg".
    virtual QStringList extensions() const = 0;

    // 0 when the bytes are not of this format; otherwise a codec-specific kind above 0.
    virtual int probeFormat(const uchar* data, qsizetype length) const = 0;
    // The size as the picture is shown (after any orientation it carries).
    virtual MediaStatus getSize(const uchar* data, qsizetype length, int* width, int* height) const = 0;
    // On failure the image is left empty.
    virtual MediaStatus load(const uchar* data, qsizetype length, DibImage& image) const = 0;
    // Decodes at the smallest size the format can produce cheaply that still covers
    // width × height (as shown).
    virtual MediaStatus loadScaled(int width, int height, const uchar* data, qsizetype length,
                                   DibImage& image) const = 0;
    virtual MediaStatus save(const DibImage& image, TStreamFile& stream) const = 0;

    // The same for files: read through a read-only mapping; written to a temporary file that
    // replaces the target only when complete.
    MediaStatus loadFile(const QString& fileName, DibImage& image) const;
    MediaStatus saveFile(const DibImage& image, const QString& fileName) const;

protected:
    ImageCodec() = default;
    Q_DISABLE_COPY_MOVE(ImageCodec)
};
