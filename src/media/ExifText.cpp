#include "ExifText.h"

#include "CTavDbText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <numeric>

namespace {
// Rows at APEX 0, 0.25, ... 9.
constexpr std::array<const char*, 37> ApertureRows = {
    "F1.0", "F1.1", "F1.2", "F1.3", "F1.4", "F1.6", "F1.8", "F1.9", "F2.0", "F2.2", "F2.4", "F2.6", "F2.8",
    "F3.1", "F3.4", "F3.7", "F4.0", "F4.4", "F4.8", "F5.2", "F5.6", "F6.2", "F6.7", "F7.3", "F8.0", "F8.7",
    "F9.5", "F10",  "F11",  "F12",  "F14",  "F15",  "F16",  "F17",  "F19",  "F20",  "F22"};

// Rows at APEX -3, -2.75, ... 12.
constexpr std::array<const char*, 61> ShutterRows = {
    "8.0",    "6.7",    "5.6",    "4.8",    "4.0",    "3.4",   "2.8",   "2.4",   "2.0",    "1.7",    "1.4",
    "1.2",    "1.0",    "0.8",    "0.7",    "0.6",    "1/2",   "1/2.4", "1/2.8", "1/3.4",  "1/4",    "1/4.8",
    "1/5.6",  "1/6.7",  "1/8",    "1/9.5",  "1/11",   "1/13",  "1/15",  "1/18",  "1/22",   "1/26",   "1/30",
    "1/38",   "1/45",   "1/54",   "1/60",   "1/75",   "1/90",  "1/110", "1/125", "1/150",  "1/180",  "1/210",
    "1/250",  "1/300",  "1/360",  "1/430",  "1/500",  "1/610", "1/720", "1/860", "1/1000", "1/1200", "1/1400",
    "1/1700", "1/2000", "1/2400", "1/2800", "1/3400", "1/4000"};

// Prefix, the value with the given decimals in the C locale, suffix: built in one buffer.
// Null when the value is not finite or absurdly long.
QString decimalText(const char* prefix, double value, int precision, const char* suffix)
{
    if (!std::isfinite(value))
        return QString();
    char buffer[64];
    const size_t prefixLength = std::strlen(prefix);
    const size_t suffixLength = std::strlen(suffix);
    std::memcpy(buffer, prefix, prefixLength);
    const auto result = std::to_chars(buffer + prefixLength, buffer + sizeof buffer - suffixLength, value,
                                      std::chars_format::fixed, precision);
    if (result.ec != std::errc())
        return QString();
    std::memcpy(result.ptr, suffix, suffixLength);
    return QString::fromLatin1(buffer, result.ptr + suffixLength - buffer);
}

QString fractionText(quint64 numerator, quint64 denominator)
{
    char buffer[48];
    char* end = std::to_chars(buffer, buffer + 20, numerator).ptr;
    *end++ = '/';
    end = std::to_chars(end, buffer + sizeof buffer, denominator).ptr;
    return QString::fromLatin1(buffer, end - buffer);
}

// Camera APEX values are rarely exact quarters (F2.8 is 2.97), so the nearest row is taken.
template <size_t N>
QString lookupQuarter(const std::array<const char*, N>& rows, double apex, double firstKey)
{
    if (!std::isfinite(apex))
        return QString();
    const double step = std::round((apex - firstKey) * 4.0);
    if (step < 0 || step >= double(N))
        return QString();
    return QString::fromLatin1(rows[static_cast<size_t>(step)]);
}

// Qt's decoder does not report every malformed sequence, so the check is done here.
bool isValidUtf8(const uchar* bytes, qsizetype length)
{
    qsizetype i = 0;
    while (i < length) {
        const uchar lead = bytes[i];
        int extra;
        char32_t code;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + extra >= length)
            return false;
        for (int k = 1; k <= extra; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (bytes[i + k] & 0x3F);
        }
        const char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (code < smallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

bool isAscii(const uchar* bytes, qsizetype length)
{
    for (qsizetype i = 0; i < length; ++i)
        if (bytes[i] >= 0x80)
            return false;
    return true;
}
} // namespace

QString ExifText::fnumber(quint32 numerator, quint32 denominator)
{
    if (denominator == 0)
        return QString();
    return decimalText("F", double(numerator) / denominator, 1, "");
}

QString ExifText::apertureFromApex(double apex)
{
    return lookupQuarter(ApertureRows, apex, 0.0);
}

QString ExifText::shutterFromApex(double apex)
{
    return lookupQuarter(ShutterRows, apex, -3.0);
}

QString ExifText::exposureTime(quint32 numerator, quint32 denominator)
{
    if (denominator == 0 || numerator == 0)
        return QString();
    if (numerator >= denominator)
        return decimalText("", double(numerator) / denominator, 1, "");
    const quint32 divisor = std::gcd(numerator, denominator);
    const quint32 n = numerator / divisor;
    const quint32 d = denominator / divisor;
    if (n < 10)
        return fractionText(n, static_cast<quint64>(d));
    return fractionText(1, static_cast<quint64>(std::llround(double(d) / n)));
}

QString ExifText::maxAperture(quint32 numerator, quint32 denominator)
{
    if (denominator == 0)
        return QString();
    return decimalText("F", std::sqrt(std::pow(2.0, double(numerator) / denominator)), 1, "");
}

QString ExifText::focalLength(quint32 numerator, quint32 denominator)
{
    if (denominator == 0)
        return QString();
    return decimalText("", double(numerator) / denominator, 1, " mm");
}

QString ExifText::exposureBias(qint32 numerator, qint32 denominator)
{
    if (denominator == 0)
        return QString();
    return decimalText("", double(numerator) / denominator, 2, "");
}

QString ExifText::eightBit(const uchar* bytes, qsizetype length)
{
    const void* zero = std::memchr(bytes, 0, static_cast<size_t>(length));
    if (zero)
        length = static_cast<const uchar*>(zero) - bytes;
    const char* chars = reinterpret_cast<const char*>(bytes);
    if (isAscii(bytes, length))
        return QString::fromLatin1(chars, length);
    const QByteArray raw = QByteArray::fromRawData(chars, length);
    if (isValidUtf8(bytes, length))
        return QString::fromUtf8(raw);
    bool ok = false;
    const QString text = CTavDbText::fromCp932(raw, &ok);
    return ok ? text : QString::fromLatin1(chars, length);
}

QString ExifText::utf16(const uchar* bytes, qsizetype length, bool bigEndian)
{
    const qsizetype units = length / 2;
    qsizetype first = 0;
    if (units > 0) {
        const int bom = (bytes[0] << 8) | bytes[1];
        if (bom == 0xFEFF || bom == 0xFFFE) {
            bigEndian = bom == 0xFEFF;
            first = 1;
        }
    }
    QString text;
    text.reserve(units - first);
    for (qsizetype i = first; i < units; ++i) {
        const uchar* p = bytes + 2 * i;
        const char16_t unit = static_cast<char16_t>(bigEndian ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0]);
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}
