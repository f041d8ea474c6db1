#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

// Writes EXIF blocks for tests: a TIFF header, the picture directory (IFD0) and the camera
// directory it points to, laid out as cameras do. Raw fields let a test put any offset or
// count it likes, however wrong.
class ExifBuilder
{
public:
    enum Directory
    {
        Picture,
        Camera
    };
    static constexpr int TiffStart = 12; // where the TIFF header starts in file()

    explicit ExifBuilder(bool bigEndian = false) : m_big(bigEndian) {}

    ExifBuilder& ascii(Directory dir, quint16 tag, const QByteArray& text);
    ExifBuilder& shortValue(Directory dir, quint16 tag, quint16 value);
    ExifBuilder& rational(Directory dir, quint16 tag, quint32 numerator, quint32 denominator);
    ExifBuilder& signedRational(Directory dir, quint16 tag, qint32 numerator, qint32 denominator);
    ExifBuilder& undefined(Directory dir, quint16 tag, const QByteArray& bytes);
    // An entry whose 4-byte field holds exactly these bytes, whatever type and count say.
    ExifBuilder& field(Directory dir, quint16 tag, quint16 type, quint32 count, const QByteArray& fieldBytes);
    // The same with the field as a 32-bit number in the block's byte order.
    ExifBuilder& field(Directory dir, quint16 tag, quint16 type, quint32 count, quint32 fieldValue);

    QByteArray u16(quint16 value) const;
    QByteArray u32(quint32 value) const;

    QByteArray tiff() const;
    // The APP1 segment, marker included.
    QByteArray segment() const;
    // Start of image, the APP1 segment and end of image: all the EXIF reader needs.
    QByteArray file() const { return QByteArray("\xFF\xD8", 2) + segment() + QByteArray("\xFF\xD9", 2); }

private:
    struct Entry
    {
        Directory dir;
        quint16 tag;
        quint16 type;
        quint32 count;
        QByteArray data; // laid out by the builder when it is longer than 4 bytes
        bool fixedField; // data is the field itself
    };
    ExifBuilder& add(Entry entry);

    bool m_big;
    QList<Entry> m_entries;
};
