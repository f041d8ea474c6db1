#pragma once

#include <QString>
#include <cstdint>

// "tavuser.dat" in a user's data folder: 12 bytes, little-endian signed 32-bit values -1, the
// start-up password flag (1 asks for the user's password at start-up) and the time of
// writing in seconds since 1970-01-01 UTC.
class CTavUserFile final
{
public:
    static constexpr int kSize = 12;

    static QString FilePath(const QString& userPath);
    // The flag; 0 when the path is empty or the file is missing, unreadable or not 12 bytes.
    static int ReadStartupPasswordFlag(const QString& userPath);
    // Writes the whole file atomically; time is in seconds (CTavDbClock::NowSeconds()).
    static bool Write(const QString& userPath, int flag, int64_t time);
};
