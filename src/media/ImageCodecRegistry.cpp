#include "ImageCodecRegistry.h"

#include "JpegCodec.h"

#include <QFileInfo>

ImageCodecRegistry::ImageCodecRegistry()
{
    m_codecs.push_back(std::make_unique<JpegCodec>());
}

ImageCodecRegistry::~ImageCodecRegistry() = default;

ImageCodecRegistry& ImageCodecRegistry::instance()
{
    static ImageCodecRegistry registry;
    return registry;
}

void ImageCodecRegistry::add(std::unique_ptr<ImageCodec> codec)
{
    if (!codec)
        return;
    for (auto& existing : m_codecs) {
        if (existing->name().compare(codec->name(), Qt::CaseInsensitive) == 0) {
            existing = std::move(codec);
            return;
        }
    }
    m_codecs.push_back(std::move(codec));
}

const ImageCodec* ImageCodecRegistry::byName(const QString& name) const
{
    for (const auto& codec : m_codecs)
        if (codec->name().compare(name, Qt::CaseInsensitive) == 0)
            return codec.get();
    return nullptr;
}

const ImageCodec* ImageCodecRegistry::byExtension(const QString& fileName) const
{
    const QString suffix = QFileInfo(fileName).suffix();
    if (suffix.isEmpty())
        return nullptr;
    const QString extension = u'.' + suffix.toLower();
    for (const auto& codec : m_codecs)
        if (codec->extensions().contains(extension))
            return codec.get();
    return nullptr;
}
