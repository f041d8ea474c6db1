#pragma once

#include <QString>

// The folder of this user's live rendezvous files: sockets, lock files, the HotSync state.
// $LUMORA_RUNTIME_DIR when set; otherwise "lumora" in $XDG_RUNTIME_DIR (or "lumora-<uid>" in
// the temporary folder), with a suffix derived from $LUMORA_CONFIG_DIR when that is set, so
// that each settings folder (each test, each portable setup) gets sockets of its own.
class CTavRuntimeDir final
{
public:
    // Created on first use with access for the user only; empty when it cannot be made.
    static QString path();
    // A file of that folder; empty when the folder cannot be made.
    static QString filePath(const QString& name);
};
