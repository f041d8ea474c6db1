#pragma once

#include <QString>
#include <cstdint>

// "tavuser.dat": whether a user's password is asked at start-up.
class CTavUserFile
{
public:
    static int ReadStartupPasswordFlag(const QString& userPath);
    static bool Write(const QString& userPath, int32_t flag, int64_t time);
};
