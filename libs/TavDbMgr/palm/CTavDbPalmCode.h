#pragma once

#include <QString>
#include <cstdint>

// Four-character codes (database types and creators, resource types) as the handheld stores
// them: the first character in the high byte.
class CTavDbPalmCode final
{
public:
    static constexpr uint32_t Make(const char (&text)[5])
    {
        return (uint32_t(uint8_t(text[0])) << 24) | (uint32_t(uint8_t(text[1])) << 16) |
               (uint32_t(uint8_t(text[2])) << 8) | uint32_t(uint8_t(text[3]));
    }
    // Four characters; a code with unprintable bytes as "0x" and eight hex digits.
    static QString Text(uint32_t code);
    // The inverse of Text; false for anything but four Latin-1 characters or the hex form.
    static bool Parse(const QString& text, uint32_t* code);

private:
    CTavDbPalmCode() = delete;
};
