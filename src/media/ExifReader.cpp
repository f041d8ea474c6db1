#include "ExifReader.h"

#include "DibImage.h"
#include "ExifText.h"
#include "MappedFile.h"
#include "TiffData.h"

#include <cstring>
#include <ctime>
#include <iterator>

namespace {
enum Tag : quint16
{
    ImageDescription = 270,
    Make = 271,
    Model = 272,
    Orientation = 274,
    DateTime = 306,
    ExposureTime = 33434,
    FNumber = 33437,
    ExifPointer = 34665,
    IsoSpeed = 34855,
    ExifVersion = 36864,
    DateTimeOriginal = 36867,
    DateTimeDigitized = 36868,
    ShutterSpeedValue = 37377,
    ApertureValue = 37378,
    ExposureBiasValue = 37380,
    MaxApertureValue = 37381,
    LightSource = 37384,
    Flash = 37385,
    FocalLength = 37386,
    UserComment = 37510
};

using Entry = std::optional<TiffData::Entry>;

QString textOf(const TiffData& tiff, const Entry& entry)
{
    if (!entry)
        return QString();
    const auto bytes = tiff.byteValue(*entry);
    return bytes ? ExifText::eightBit(bytes->first, bytes->second) : QString();
}

double ratio(const TiffData::Rational& r, bool isSigned)
{
    if (isSigned)
        return double(static_cast<qint32>(r.numerator)) / static_cast<qint32>(r.denominator);
    return double(r.numerator) / r.denominator;
}

QString userCommentOf(const TiffData& tiff, const Entry& entry)
{
    if (!entry || entry->count < 8)
        return QString();
    const auto bytes = tiff.byteValue(*entry);
    if (!bytes)
        return QString();
    const uchar* text = bytes->first + 8;
    const qsizetype length = bytes->second - 8;
    if (std::memcmp(bytes->first, "UNICODE", 7) == 0)
        return ExifText::utf16(text, length, tiff.bigEndian());
    return ExifText::eightBit(text, length);
}

// Reads up to 20 characters of digits (after optional blanks) and the separator after them.
bool scanField(const QString& text, qsizetype& at, int* value, QChar separator)
{
    const qsizetype limit = at + 20;
    while (at < text.size() && at < limit && text[at] == u' ')
        ++at;
    const qsizetype start = at;
    qint64 v = 0;
    while (at < text.size() && at < limit && text[at].unicode() >= '0' && text[at].unicode() <= '9') {
        if (v <= 99999)
            v = v * 10 + (text[at].unicode() - '0');
        ++at;
    }
    if (at == start || at == limit || v > 99999)
        return false;
    *value = static_cast<int>(v);
    if (separator.isNull())
        return true;
    if (at >= text.size() || text[at] != separator)
        return false;
    ++at;
    return true;
}
} // namespace

ExifReader::ExifReader(const uchar* data, qsizetype length)
{
    parse(data, length);
}

ExifReader::ExifReader(const QString& fileName)
{
    const MappedFile file(fileName);
    if (file.isOpen())
        parse(file.data(), file.size());
}

const QString& ExifReader::dateTime() const
{
    if (!m_dateTimeOriginal.isEmpty())
        return m_dateTimeOriginal;
    return m_imageDateTime.isEmpty() ? m_dateTimeDigitized : m_imageDateTime;
}

qsizetype ExifReader::findTiffHeader(const uchar* data, qsizetype length)
{
    if (!data || length < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return -1;
    qsizetype at = 2;
    // Editors often put a JFIF or ICC segment first; the EXIF block is the first APP1 that
    // says "Exif" among the segments before the picture data.
    while (at + 4 <= length && data[at] == 0xFF) {
        const uchar marker = data[at + 1];
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9)
            return -1;
        const qsizetype segmentLength = (data[at + 2] << 8) | data[at + 3];
        if (segmentLength < 2)
            return -1;
        if (marker == 0xE1 && segmentLength >= 8 && at + 12 <= length &&
            std::memcmp(data + at + 4, "Exif\0\0", 6) == 0) {
            const uchar* order = data + at + 10;
            if (at + 12 <= length &&
                ((order[0] == 'I' && order[1] == 'I') || (order[0] == 'M' && order[1] == 'M')))
                return at + 10;
            return -1;
        }
        at += 2 + segmentLength;
    }
    return -1;
}

void ExifReader::parse(const uchar* data, qsizetype length)
{
    const qsizetype header = findTiffHeader(data, length);
    if (header < 0)
        return;
    m_valid = true;
    m_bigEndian = data[header] == 'M';
    const TiffData tiff(data + header, length - header, m_bigEndian);
    const std::optional<quint32> directory = tiff.u32(4);
    if (directory)
        readPictureDirectory(tiff, *directory);
}

void ExifReader::readPictureDirectory(const TiffData& tiff, quint32 directory)
{
    static constexpr quint16 tags[] = {ImageDescription, Make, Model, Orientation, DateTime, ExifPointer};
    Entry e[std::size(tags)];
    tiff.findEntries(directory, tags, int(std::size(tags)), e);
    m_description = textOf(tiff, e[0]);
    m_maker = textOf(tiff, e[1]);
    m_model = textOf(tiff, e[2]);
    if (e[3])
        m_orientation = tiff.shortValue(*e[3]);
    m_imageDateTime = textOf(tiff, e[4]);
    if (e[5] && (e[5]->type == TiffData::Long || e[5]->type == 13) && e[5]->count >= 1)
        readExifDirectory(tiff, *tiff.u32(e[5]->field));
}

void ExifReader::readExifDirectory(const TiffData& tiff, quint32 directory)
{
    static constexpr quint16 tags[] = {ExposureTime,      FNumber,           IsoSpeed,          ExifVersion,
                                       DateTimeOriginal,  DateTimeDigitized, ShutterSpeedValue, ApertureValue,
                                       ExposureBiasValue, MaxApertureValue,  LightSource,       Flash,
                                       FocalLength,       UserComment};
    Entry e[std::size(tags)];
    tiff.findEntries(directory, tags, int(std::size(tags)), e);
    const auto rational = [&tiff](const Entry& entry) {
        return entry ? tiff.rationalValue(*entry) : std::nullopt;
    };
    const auto number = [&tiff](const Entry& entry) {
        return entry ? tiff.shortValue(*entry) : std::nullopt;
    };

    const auto exposure = rational(e[0]);
    if (exposure)
        m_shutterSpeed = ExifText::exposureTime(exposure->numerator, exposure->denominator);
    // The APEX value stands in only for a missing exposure time; a zero one has no text.
    if (const auto r = rational(e[6]); (!exposure || exposure->denominator == 0) && r && r->denominator != 0)
        m_shutterSpeed = ExifText::shutterFromApex(ratio(*r, true));
    if (const auto r = rational(e[1]))
        m_fnumber = ExifText::fnumber(r->numerator, r->denominator);
    if (const auto r = rational(e[7]); m_fnumber.isEmpty() && r && r->denominator != 0)
        m_fnumber = ExifText::apertureFromApex(ratio(*r, false));
    if (const auto iso = number(e[2]))
        m_iso = QString::number(*iso);
    if (e[3] && e[3]->count == 4) {
        if (const auto bytes = tiff.byteValue(*e[3]))
            m_exifVersion = QString::fromLatin1(reinterpret_cast<const char*>(bytes->first), 4);
    }
    m_dateTimeOriginal = textOf(tiff, e[4]);
    m_dateTimeDigitized = textOf(tiff, e[5]);
    if (const auto r = rational(e[8]))
        m_exposureBias =
            ExifText::exposureBias(static_cast<qint32>(r->numerator), static_cast<qint32>(r->denominator));
    if (const auto r = rational(e[9]))
        m_maxAperture = ExifText::maxAperture(r->numerator, r->denominator);
    m_lightSource = number(e[10]);
    m_flash = number(e[11]);
    if (const auto r = rational(e[12]))
        m_focalLength = ExifText::focalLength(r->numerator, r->denominator);
    m_userComment = userCommentOf(tiff, e[13]);
}

void ExifReader::fillProperties(DibImage& image) const
{
    if (!m_valid)
        return;
    image.reserveProperties(16);
    if (m_orientation)
        image.setNumber(QStringLiteral("orientation"), *m_orientation);
    const auto text = [&image](const QString& name, const QString& value) {
        if (!value.isEmpty())
            image.setText(name, value);
    };
    text(QStringLiteral("maker"), m_maker);
    text(QStringLiteral("model"), m_model);
    text(QStringLiteral("date_time"), dateTime());
    text(QStringLiteral("date_time_original"), m_dateTimeOriginal);
    text(QStringLiteral("date_time_digitized"), m_dateTimeDigitized);
    text(QStringLiteral("description"), m_description);
    text(QStringLiteral("fnumber"), m_fnumber);
    text(QStringLiteral("iso"), m_iso);
    text(QStringLiteral("shutter_speed"), m_shutterSpeed);
    text(QStringLiteral("max_aperture"), m_maxAperture);
    text(QStringLiteral("focal_length"), m_focalLength);
    text(QStringLiteral("exposure_bias"), m_exposureBias);
    if (m_lightSource)
        image.setNumber(QStringLiteral("light_source"), *m_lightSource);
    text(QStringLiteral("user_comment"), m_userComment);
}

std::optional<qint64> ExifReader::toCalendarTime(const QString& text)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    qsizetype at = 0;
    if (!scanField(text, at, &year, u':') || !scanField(text, at, &month, u':') ||
        !scanField(text, at, &day, u' ') || !scanField(text, at, &hour, u':') ||
        !scanField(text, at, &minute, u':') || !scanField(text, at, &second, QChar()))
        return std::nullopt;
    if (year < 1970 || year > 2037)
        return std::nullopt;
    std::tm fields = {};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&fields);
    if (seconds == static_cast<std::time_t>(-1))
        return std::nullopt;
    return static_cast<qint64>(seconds);
}
