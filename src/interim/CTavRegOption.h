#pragma once

#include <QString>
#include <cstdint>

// Typed settings of the whole machine: string and 32-bit number values under the product key
// and its "Option" key. Reads create a missing value with its default; a value of the other
// type is never read as this type nor overwritten.
class CTavRegOption
{
public:
    int ReadString(const QString& name, QString& out, const QString& def);
    int ReadNumber(const QString& name, int32_t& out, int32_t def);
    int WriteString(const QString& name, const QString& value);
    int WriteNumber(const QString& name, int32_t value);
    // Reads the product key's value; a missing value is created empty and the default is used.
    int ReadLanguage(const QString& name, QString& out, const QString& def);
};
