#pragma once

#include <QString>

// Where the stand-ins for the Windows-only stores keep their files.
class CTavPlatformPaths final
{
public:
    // The folder of machine-wide settings: $LUMORA_CONFIG_DIR, else
    // $XDG_CONFIG_HOME (or ~/.config) + "/Ostrel Corporation". Ends without a separator.
    static QString configDir();
};
