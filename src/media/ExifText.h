#pragma once

#include <QString>
#include <QtGlobal>

// The texts shown for camera values. A null string means "no value" (a zero denominator, a
// key outside the APEX tables). Numbers are always written with a full stop, whatever the
// locale.
class ExifText final
{
public:
    // FNumber n/d: "F%2.1f".
    static QString fnumber(quint32 numerator, quint32 denominator);
    // ApertureValue (APEX), rounded to the nearest quarter step of the table, 0 to 9.
    static QString apertureFromApex(double apex);
    // ShutterSpeedValue (APEX), rounded to the nearest quarter step of the table, -3 to 12.
    static QString shutterFromApex(double apex);
    // ExposureTime n/d in seconds: "1/250", "3/10", "2.0".
    static QString exposureTime(quint32 numerator, quint32 denominator);
    // MaxApertureValue (APEX a): "F%.1f" of the square root of 2^a.
    static QString maxAperture(quint32 numerator, quint32 denominator);
    // FocalLength: "%.1f mm".
    static QString focalLength(quint32 numerator, quint32 denominator);
    // ExposureBiasValue (signed): "%0.2f".
    static QString exposureBias(qint32 numerator, qint32 denominator);

    // 8-bit text up to its first zero byte: UTF-8 when it is valid UTF-8 (plain ASCII
    // included), else code page 932 as Japanese cameras write it, else Latin-1.
    static QString eightBit(const uchar* bytes, qsizetype length);
    // UTF-16 in the given byte order up to its first zero unit; a byte-order mark overrides it.
    static QString utf16(const uchar* bytes, qsizetype length, bool bigEndian);
};
