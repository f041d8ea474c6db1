#include "MovieCodec.h"

#include "DibImage.h"
#include "MappedFile.h"
#include "MovieReader.h"
#include "MovieSupport.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
const QString kCurrentFrame = QStringLiteral("current_frame");
const QString kDuration = QStringLiteral("duration");

// The natural size reduced, keeping its shape, just enough to cover the wanted size.
QSize coveringSize(QSize natural, int wantWidth, int wantHeight)
{
    if (wantWidth <= 0 || wantHeight <= 0)
        return natural;
    const double scale =
        std::min(1.0, std::max(double(wantWidth) / natural.width(), double(wantHeight) / natural.height()));
    return QSize(std::max(1, int(std::ceil(natural.width() * scale - 1e-9))),
                 std::max(1, int(std::ceil(natural.height() * scale - 1e-9))));
}
} // namespace

bool MovieCodec::probeMovie(const uchar* data, qsizetype length)
{
    if (!data || length < 17)
        return false;
    return std::memcmp(data + 4, "moov", 4) == 0 || std::memcmp(data + 4, "mdat", 4) == 0;
}

bool MovieCodec::openMovie(const uchar* data, qsizetype length, DibImage& image)
{
    return grab(data, length, 0, 0, image);
}

bool MovieCodec::openMovie(const QString& fileName, DibImage& image)
{
    const MappedFile file(fileName);
    if (!file.isOpen()) {
        image.clear();
        return false;
    }
    return openMovie(file.data(), file.size(), image);
}

bool MovieCodec::grab(const uchar* data, qsizetype length, int wantWidth, int wantHeight, DibImage& image)
{
    const quint16 asked = image.number(kCurrentFrame).value_or(0);
    MovieReader reader(data, length);
    if (!MovieSupport::IsAvailable() || !reader.open() ||
        !reader.frameAt(asked, coveringSize(reader.naturalSize(), wantWidth, wantHeight), image)) {
        image.clear();
        return false;
    }
    image.clearProperties();
    image.setResolution(0, 0);
    const double seconds = std::clamp(std::ceil(reader.duration()), 0.0, 65535.0);
    image.setNumber(kDuration, static_cast<quint16>(seconds));
    image.setNumber(kCurrentFrame, asked);
    image.setNumber(QStringLiteral("real_width"), static_cast<quint16>(reader.naturalSize().width()));
    image.setNumber(QStringLiteral("real_height"), static_cast<quint16>(reader.naturalSize().height()));
    return true;
}

int MovieCodec::probeFormat(const uchar* data, qsizetype length) const
{
    return probeMovie(data, length) ? Movie : NotMovie;
}

MediaStatus MovieCodec::getSize(const uchar* data, qsizetype length, int* width, int* height) const
{
    MovieReader reader(data, length);
    if (!MovieSupport::IsAvailable() || !reader.open())
        return MediaStatusCode::Fail;
    if (width)
        *width = reader.naturalSize().width();
    if (height)
        *height = reader.naturalSize().height();
    return MediaStatusCode::Ok;
}

MediaStatus MovieCodec::load(const uchar* data, qsizetype length, DibImage& image) const
{
    return openMovie(data, length, image) ? MediaStatusCode::Ok : MediaStatusCode::Fail;
}

MediaStatus MovieCodec::loadScaled(int width, int height, const uchar* data, qsizetype length,
                                   DibImage& image) const
{
    return grab(data, length, std::max(width, 1), std::max(height, 1), image) ? MediaStatusCode::Ok
                                                                              : MediaStatusCode::Fail;
}

MediaStatus MovieCodec::save(const DibImage&, TStreamFile&) const
{
    return MediaStatusCode::Fail;
}
