#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>
#include <variant>
#include <vector>

// A device-independent bitmap (1, 4, 8 or 24 bits per pixel, rows padded to 4 bytes, stored
// top row first, 24-bit pixels in blue, green, red order) with a small set of named
// properties that describe where the picture came from.
class DibImage final
{
public:
    using PropertyValue = std::variant<quint16, QString>;
    struct Property
    {
        QString name;
        PropertyValue value;
    };

    static constexpr int DefaultQuality = 75;

    DibImage() = default;
    DibImage(const DibImage& other);
    DibImage& operator=(const DibImage& other);
    DibImage(DibImage&& other) noexcept = default;
    DibImage& operator=(DibImage&& other) noexcept = default;
    ~DibImage() = default;

    // Allocates the pixel rows (their content is undefined). Keeps the properties. An 8-bit or
    // smaller bitmap gets a grey ramp as its colour table. False for a bad size or depth.
    bool create(int width, int height, int bitsPerPixel);
    // Drops the pixels, the colour table and the properties.
    void clear();

    bool isNull() const { return m_width == 0; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    int bitsPerPixel() const { return m_bitsPerPixel; }
    qsizetype bytesPerLine() const { return m_bytesPerLine; }
    qsizetype sizeInBytes() const { return m_bytesPerLine * m_height; }
    uchar* bits() { return m_bits.get(); }
    const uchar* bits() const { return m_bits.get(); }
    uchar* scanLine(int y) { return m_bits.get() + y * m_bytesPerLine; }
    const uchar* scanLine(int y) const { return m_bits.get() + y * m_bytesPerLine; }

    const QList<QRgb>& colorTable() const { return m_colorTable; }
    void setColorTable(const QList<QRgb>& table) { m_colorTable = table; }

    // Writes row y as 24-bit blue, green, red pixels (3 × width bytes), whatever the depth.
    void rowToBgr24(int y, uchar* out) const;

    // Exchanges the pixels (size, depth, rows, colour table) with another bitmap; the
    // properties of both stay where they are.
    void swapPixels(DibImage& other) noexcept;

    // Bytes allocated past the last row, so that pixel loops may read a few bytes ahead.
    static constexpr qsizetype Slack = 16;

    // Properties: each a 16-bit number or a text. Setting a name again replaces its value.
    void setNumber(const QString& name, quint16 value);
    void setText(const QString& name, const QString& value);
    bool hasProperty(const QString& name) const { return find(name) != nullptr; }
    std::optional<quint16> number(const QString& name) const;
    QString text(const QString& name) const;
    void removeProperty(const QString& name);
    void clearProperties() { m_properties.clear(); }
    void reserveProperties(size_t count) { m_properties.reserve(count); }
    // In the order they were first set.
    const std::vector<Property>& properties() const { return m_properties; }

    // JPEG quality (1 to 100) and resolution in dots per inch used when the picture is saved.
    int quality() const { return m_quality; }
    void setQuality(int quality) { m_quality = qBound(1, quality, 100); }
    int xResolution() const { return m_xResolution; }
    int yResolution() const { return m_yResolution; }
    void setResolution(int x, int y)
    {
        m_xResolution = x;
        m_yResolution = y;
    }

    // Conversions for drawing; the QImage is a deep copy.
    QImage toImage() const;
    static DibImage fromImage(const QImage& image);

private:
    const Property* find(const QString& name) const;
    Property* find(const QString& name);
    void copyPixelsFrom(const DibImage& other);

    int m_width = 0;
    int m_height = 0;
    int m_bitsPerPixel = 0;
    qsizetype m_bytesPerLine = 0;
    qsizetype m_capacity = 0;
    std::unique_ptr<uchar[]> m_bits;
    QList<QRgb> m_colorTable;
    std::vector<Property> m_properties;
    int m_quality = DefaultQuality;
    int m_xResolution = 0;
    int m_yResolution = 0;
};
