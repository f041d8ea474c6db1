#pragma once

#include <QByteArray>
#include <QString>

// Text crosses to the handheld as code page 932; limits are counted in its bytes.
class CTavDbText final
{
public:
    // Bytes the text takes in code page 932. Characters it cannot hold count as one byte each
    // ("?" on the handheld).
    static int mbLength(const QString& text);
    // Converts to code page 932; characters it cannot hold become '?'.
    static QByteArray toCp932(const QString& text);
    // Converts from code page 932; ok is false when the bytes are not valid code page 932.
    static QString fromCp932(const QByteArray& bytes, bool* ok = nullptr);
    // True when the bytes are valid UTF-8.
    static bool isValidUtf8(const QByteArray& bytes);
    // Cuts the text so that it takes at most maxBytes in code page 932, never inside a character.
    static QString truncateToBytes(const QString& text, int maxBytes);
    // True for the first byte of a double-byte character in code page 932.
    static bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
};
