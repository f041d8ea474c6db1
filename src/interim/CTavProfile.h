#pragma once

#include <QString>

// The per-user profile file of sections and key=value lines.
class CTavProfile
{
public:
    static void SetProfilePath(const QString& path);
    static QString GetProfilePath();
    static int GetProfileInt(const QString& section, const QString& key, int def);
    static QString GetProfileString(const QString& section, const QString& key, const QString& def);
    static bool WriteProfileInt(const QString& section, const QString& key, int value);
    static bool WriteProfileString(const QString& section, const QString& key, const QString& value);
};
