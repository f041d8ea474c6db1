#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

class DibImage;
class TiffData;

// Reads the camera data of a JPEG file: the EXIF block of its first "Exif" APP1 segment
// before the picture data. Values are copied out while parsing, so the bytes given to the
// constructor need not outlive it.
class ExifReader final
{
public:
    ExifReader(const uchar* data, qsizetype length);
    // Maps the file read-only for the time of parsing.
    explicit ExifReader(const QString& fileName);

    bool valid() const { return m_valid; }
    // False for "II" (little-endian), true for "MM".
    bool bigEndian() const { return m_bigEndian; }

    const QString& maker() const { return m_maker; }
    const QString& model() const { return m_model; }
    const QString& description() const { return m_description; }
    // The picture date: DateTimeOriginal, else DateTime, else DateTimeDigitized.
    const QString& dateTime() const;
    const QString& imageDateTime() const { return m_imageDateTime; }
    const QString& dateTimeOriginal() const { return m_dateTimeOriginal; }
    const QString& dateTimeDigitized() const { return m_dateTimeDigitized; }
    const QString& fnumber() const { return m_fnumber; }
    const QString& iso() const { return m_iso; }
    const QString& shutterSpeed() const { return m_shutterSpeed; }
    const QString& maxAperture() const { return m_maxAperture; }
    const QString& focalLength() const { return m_focalLength; }
    const QString& exposureBias() const { return m_exposureBias; }
    const QString& userComment() const { return m_userComment; }
    const QString& exifVersion() const { return m_exifVersion; }
    std::optional<quint16> orientation() const { return m_orientation; }
    std::optional<quint16> lightSource() const { return m_lightSource; }
    std::optional<quint16> flash() const { return m_flash; }

    // Sets the picture's camera properties ("maker", "fnumber", ...; not the sizes). Values
    // that are absent or empty are not set.
    void fillProperties(DibImage& image) const;

    // Where the TIFF header of the EXIF block starts, or -1.
    static qsizetype findTiffHeader(const uchar* data, qsizetype length);
    // An EXIF date "YYYY:MM:DD hh:mm:ss" as seconds since 1970 in local time; nothing for a
    // malformed date or a year outside 1970 to 2037.
    static std::optional<qint64> toCalendarTime(const QString& text);

private:
    void parse(const uchar* data, qsizetype length);
    void readPictureDirectory(const TiffData& tiff, quint32 directory);
    void readExifDirectory(const TiffData& tiff, quint32 directory);

    bool m_valid = false;
    bool m_bigEndian = false;
    QString m_maker;
    QString m_model;
    QString m_description;
    QString m_imageDateTime;
    QString m_dateTimeOriginal;
    QString m_dateTimeDigitized;
    QString m_fnumber;
    QString m_iso;
    QString m_shutterSpeed;
    QString m_maxAperture;
    QString m_focalLength;
    QString m_exposureBias;
    QString m_userComment;
    QString m_exifVersion;
    std::optional<quint16> m_orientation;
    std::optional<quint16> m_lightSource;
    std::optional<quint16> m_flash;
};
