#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

// The text form of the settings store. One section per key, one line per value:
//
//     [SOFTWARE\Ostrel Corporation\Lumora\Option]
//     "CurrentUser"=string:"Taro"
//     "WindowShowCmd"=number:0
//
// Strings escape \\ \" \n \r \t and other control characters as \uXXXX; numbers are signed
// decimal 32-bit. Lines starting with ';' or '#' are comments. Any other line that does not
// fit makes the whole text unreadable: half-read settings must never be written back.
class CTavRegistryFormat final
{
public:
    enum class ValueType
    {
        None,
        String,
        Number
    };
    struct Value
    {
        QString name;
        ValueType type = ValueType::None;
        QString text;
        int32_t number = 0;
    };
    struct Key
    {
        QString path;
        std::vector<Value> values;
    };

    static constexpr qsizetype kMaxNameLength = 255;

    // Key and value names compare case-insensitively.
    static bool sameName(const QString& a, const QString& b);
    // Backslash-separated names, none empty or over kMaxNameLength, no control characters.
    static bool validKey(const QString& key);
    static bool validName(const QString& name);
    static Key* findKey(std::vector<Key>& keys, const QString& key);

    // False for text that is not UTF-8 or breaks the layout. A value named twice in one key
    // keeps the later line, as a hand edit below the old line means.
    static bool parse(const QByteArray& bytes, std::vector<Key>* keys);
    static QByteArray serialize(const std::vector<Key>& keys);
};
