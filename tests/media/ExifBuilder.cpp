#include "ExifBuilder.h"

#include <algorithm>

namespace {
constexpr quint16 ExifPointerTag = 34665;
}

ExifBuilder& ExifBuilder::add(Entry entry)
{
    m_entries.append(entry);
    return *this;
}

QByteArray ExifBuilder::u16(quint16 value) const
{
    const char bytes[2] = {char(value >> 8), char(value & 0xFF)};
    const char swapped[2] = {bytes[1], bytes[0]};
    return QByteArray(m_big ? bytes : swapped, 2);
}

QByteArray ExifBuilder::u32(quint32 value) const
{
    return m_big ? u16(quint16(value >> 16)) + u16(quint16(value))
                 : u16(quint16(value)) + u16(quint16(value >> 16));
}

ExifBuilder& ExifBuilder::ascii(Directory dir, quint16 tag, const QByteArray& text)
{
    return add({dir, tag, 2, quint32(text.size() + 1), text + '\0', false});
}

ExifBuilder& ExifBuilder::shortValue(Directory dir, quint16 tag, quint16 value)
{
    return add({dir, tag, 3, 1, u16(value), false});
}

ExifBuilder& ExifBuilder::rational(Directory dir, quint16 tag, quint32 numerator, quint32 denominator)
{
    return add({dir, tag, 5, 1, u32(numerator) + u32(denominator), false});
}

ExifBuilder& ExifBuilder::signedRational(Directory dir, quint16 tag, qint32 numerator, qint32 denominator)
{
    return add({dir, tag, 10, 1, u32(quint32(numerator)) + u32(quint32(denominator)), false});
}

ExifBuilder& ExifBuilder::undefined(Directory dir, quint16 tag, const QByteArray& bytes)
{
    return add({dir, tag, 7, quint32(bytes.size()), bytes, false});
}

ExifBuilder& ExifBuilder::field(Directory dir, quint16 tag, quint16 type, quint32 count,
                                const QByteArray& fieldBytes)
{
    return add({dir, tag, type, count, fieldBytes.leftJustified(4, '\0', true), true});
}

ExifBuilder& ExifBuilder::field(Directory dir, quint16 tag, quint16 type, quint32 count, quint32 fieldValue)
{
    return field(dir, tag, type, count, u32(fieldValue));
}

QByteArray ExifBuilder::tiff() const
{
    QList<Entry> picture, camera;
    for (const Entry& e : m_entries)
        (e.dir == Picture ? picture : camera).append(e);
    const bool pointerGiven =
        std::any_of(picture.begin(), picture.end(), [](const Entry& e) { return e.tag == ExifPointerTag; });
    if (!camera.isEmpty() && !pointerGiven)
        picture.append({Picture, ExifPointerTag, 4, 1, QByteArray(), false});
    const auto byTag = [](const Entry& a, const Entry& b) { return a.tag < b.tag; };
    std::stable_sort(picture.begin(), picture.end(), byTag);
    std::stable_sort(camera.begin(), camera.end(), byTag);

    const quint32 pictureAt = 8;
    const quint32 cameraAt = pictureAt + 2 + 12 * quint32(picture.size()) + 4;
    quint32 dataAt = cameraAt + (camera.isEmpty() ? 0 : 2 + 12 * quint32(camera.size()) + 4);
    QByteArray data;
    const auto directory = [&](const QList<Entry>& entries) {
        QByteArray out = u16(quint16(entries.size()));
        for (const Entry& e : entries) {
            out += u16(e.tag) + u16(e.type) + u32(e.count);
            if (e.tag == ExifPointerTag && e.data.isEmpty() && !e.fixedField) {
                out += u32(cameraAt);
            } else if (e.fixedField || e.data.size() <= 4) {
                out += e.data.leftJustified(4, '\0', true);
            } else {
                out += u32(dataAt + quint32(data.size()));
                data += e.data;
                if (data.size() % 2)
                    data += '\0';
            }
        }
        return out + u32(0);
    };
    QByteArray out = (m_big ? QByteArray("MM") : QByteArray("II")) + u16(42) + u32(pictureAt);
    out += directory(picture);
    if (!camera.isEmpty())
        out += directory(camera);
    return out + data;
}

QByteArray ExifBuilder::segment() const
{
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff();
    const int length = int(body.size()) + 2;
    return QByteArray("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF) + body;
}
