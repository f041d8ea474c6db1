#include "DibImage.h"

#include <cstring>
#include <new>

namespace {
QList<QRgb> greyRamp(int bitsPerPixel)
{
    const int count = 1 << bitsPerPixel;
    QList<QRgb> table;
    table.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int v = i * 255 / (count - 1);
        table.append(qRgb(v, v, v));
    }
    return table;
}

int paletteIndex(const uchar* row, int x, int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default:
        return row[x];
    }
}
} // namespace

DibImage::DibImage(const DibImage& other)
    : m_properties(other.m_properties), m_quality(other.m_quality), m_xResolution(other.m_xResolution),
      m_yResolution(other.m_yResolution)
{
    copyPixelsFrom(other);
    m_colorTable = other.m_colorTable;
}

DibImage& DibImage::operator=(const DibImage& other)
{
    if (this != &other) {
        copyPixelsFrom(other);
        m_colorTable = other.m_colorTable;
        m_properties = other.m_properties;
        m_quality = other.m_quality;
        m_xResolution = other.m_xResolution;
        m_yResolution = other.m_yResolution;
    }
    return *this;
}

void DibImage::copyPixelsFrom(const DibImage& other)
{
    if (other.isNull()) {
        m_width = m_height = m_bitsPerPixel = 0;
        m_bytesPerLine = 0;
        return;
    }
    if (create(other.m_width, other.m_height, other.m_bitsPerPixel))
        std::memcpy(m_bits.get(), other.m_bits.get(), static_cast<size_t>(other.sizeInBytes()));
}

bool DibImage::create(int width, int height, int bitsPerPixel)
{
    if (width <= 0 || height <= 0 ||
        (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24))
        return false;
    const qsizetype stride = ((qsizetype(width) * bitsPerPixel + 31) / 32) * 4;
    const qsizetype size = stride * height;
    // Reusing the rows of an earlier picture spares the page faults of a fresh allocation.
    if (size > m_capacity) {
        m_bits.reset();
        m_capacity = 0;
        m_bits.reset(new (std::nothrow) uchar[static_cast<size_t>(size + Slack)]);
        if (!m_bits) {
            m_width = m_height = m_bitsPerPixel = 0;
            m_bytesPerLine = 0;
            return false;
        }
        m_capacity = size;
    }
    m_width = width;
    m_height = height;
    m_bitsPerPixel = bitsPerPixel;
    m_bytesPerLine = stride;
    m_colorTable = bitsPerPixel <= 8 ? greyRamp(bitsPerPixel) : QList<QRgb>();
    return true;
}

void DibImage::clear()
{
    m_width = m_height = m_bitsPerPixel = 0;
    m_bytesPerLine = 0;
    m_capacity = 0;
    m_bits.reset();
    m_colorTable.clear();
    m_properties.clear();
}

void DibImage::swapPixels(DibImage& other) noexcept
{
    std::swap(m_width, other.m_width);
    std::swap(m_height, other.m_height);
    std::swap(m_bitsPerPixel, other.m_bitsPerPixel);
    std::swap(m_bytesPerLine, other.m_bytesPerLine);
    std::swap(m_capacity, other.m_capacity);
    std::swap(m_bits, other.m_bits);
    m_colorTable.swap(other.m_colorTable);
}

void DibImage::rowToBgr24(int y, uchar* out) const
{
    const uchar* row = scanLine(y);
    if (m_bitsPerPixel == 24) {
        std::memcpy(out, row, static_cast<size_t>(m_width) * 3);
        return;
    }
    for (int x = 0; x < m_width; ++x) {
        const int index = paletteIndex(row, x, m_bitsPerPixel);
        const QRgb c = index < m_colorTable.size() ? m_colorTable[index] : qRgb(index, index, index);
        *out++ = static_cast<uchar>(qBlue(c));
        *out++ = static_cast<uchar>(qGreen(c));
        *out++ = static_cast<uchar>(qRed(c));
    }
}

const DibImage::Property* DibImage::find(const QString& name) const
{
    for (const Property& p : m_properties)
        if (p.name == name)
            return &p;
    return nullptr;
}

DibImage::Property* DibImage::find(const QString& name)
{
    return const_cast<Property*>(std::as_const(*this).find(name));
}

void DibImage::setNumber(const QString& name, quint16 value)
{
    if (Property* p = find(name))
        p->value = value;
    else
        m_properties.push_back({name, value});
}

void DibImage::setText(const QString& name, const QString& value)
{
    if (Property* p = find(name))
        p->value = value;
    else
        m_properties.push_back({name, value});
}

std::optional<quint16> DibImage::number(const QString& name) const
{
    const Property* p = find(name);
    if (p && std::holds_alternative<quint16>(p->value))
        return std::get<quint16>(p->value);
    return std::nullopt;
}

QString DibImage::text(const QString& name) const
{
    const Property* p = find(name);
    if (p && std::holds_alternative<QString>(p->value))
        return std::get<QString>(p->value);
    return QString();
}

void DibImage::removeProperty(const QString& name)
{
    std::erase_if(m_properties, [&name](const Property& p) { return p.name == name; });
}

QImage DibImage::toImage() const
{
    if (isNull())
        return QImage();
    if (m_bitsPerPixel == 24) {
        QImage image(static_cast<const uchar*>(m_bits.get()), m_width, m_height, m_bytesPerLine,
                     QImage::Format_BGR888);
        return image.convertToFormat(QImage::Format_RGB32);
    }
    QImage image(m_width, m_height, QImage::Format_Indexed8);
    QList<QRgb> table = m_colorTable;
    table.resize(1 << m_bitsPerPixel, qRgb(0, 0, 0));
    image.setColorTable(table);
    for (int y = 0; y < m_height; ++y) {
        const uchar* row = scanLine(y);
        uchar* out = image.scanLine(y);
        for (int x = 0; x < m_width; ++x)
            out[x] = static_cast<uchar>(paletteIndex(row, x, m_bitsPerPixel));
    }
    return image;
}

DibImage DibImage::fromImage(const QImage& image)
{
    DibImage dib;
    if (image.isNull())
        return dib;
    const QImage bgr = image.convertToFormat(QImage::Format_BGR888);
    if (!dib.create(bgr.width(), bgr.height(), 24))
        return dib;
    for (int y = 0; y < bgr.height(); ++y)
        std::memcpy(dib.scanLine(y), bgr.constScanLine(y), static_cast<size_t>(bgr.width()) * 3);
    return dib;
}
