#pragma once

#include <QString>

// Where the stand-ins for the Windows-only stores keep their files.
class CTavPlatformPaths final
{
public:
    // The folder of machine-wide settings: $LUMORA_CONFIG_DIR, else
    // $XDG_CONFIG_HOME (or ~/.config) + "/Ostrel Corporation". Ends without a separator.
    static QString configDir();
    // A companion program: the path in the environment variable when it is set (empty when
    // that is not executable), else the program beside this one, on PATH, or at the path the
    // build tree left it. Empty when none is found.
    static QString findProgram(const QString& name, const char* environmentVariable,
                               const QString& buildPath = QString());
};
