#pragma once

#include <QString>

#include <memory>
#include <vector>

class ImageCodec;

// The picture formats the program knows, found by name ("JPEG") or by a file's extension.
// JPEG is always there; other codecs are added at start-up, before any lookup from another
// thread.
class ImageCodecRegistry final
{
public:
    static ImageCodecRegistry& instance();
    Q_DISABLE_COPY_MOVE(ImageCodecRegistry)

    // A codec of the same name replaces the one before it.
    void add(std::unique_ptr<ImageCodec> codec);
    // Case-insensitive; nullptr when unknown.
    const ImageCodec* byName(const QString& name) const;
    // By the extension of a file name or path ("IMG_0001.JPG"), or an extension alone (".jpeg").
    const ImageCodec* byExtension(const QString& fileName) const;

private:
    ImageCodecRegistry();
    ~ImageCodecRegistry();

    std::vector<std::unique_ptr<ImageCodec>> m_codecs;
};
