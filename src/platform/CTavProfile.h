#pragma once

#include <QString>
#include <functional>

// The per-user profile file "SetupTAV.INI": the program's module display preferences, read
// and written by section and key like the framework's profile functions. Every call reads
// the file afresh and every write replaces it atomically, creating its folder when needed.
class CTavProfile final
{
public:
    // The profile of the user whose data folder is userPath (ending in a separator or not).
    static QString ProfilePathForUser(const QString& userPath);

    static void SetProfilePath(const QString& path);
    static QString ProfilePath();

    // def when no path is set, the file or key is missing, or the value is empty.
    static int GetProfileInt(const QString& section, const QString& key, int def);
    static QString GetProfileString(const QString& section, const QString& key, const QString& def);
    // False when no path is set, the names or value are unusable, or the file cannot be
    // written (the old file stays as it was).
    static bool WriteProfileInt(const QString& section, const QString& key, int value);
    static bool WriteProfileString(const QString& section, const QString& key, const QString& value);
    // Called with the file's path whenever a write fails on the file (not on unusable names),
    // so that the program can say so once rather than every caller.
    static void SetWriteFailureHandler(std::function<void(const QString& path)> handler);
};
