#pragma once

#include <QString>
#include <cstdint>

// The program's view of the HotSync manager (the stand-in program lumora-hotsync). The running
// state comes from the manager's state file; the windows are the manager's own process.
class CTavHotSyncManager final
{
public:
    // Whether a HotSync runs now: 0 on success with *state 1 (running) or 0; -1 when the
    // manager's state cannot be read.
    static int GetRunningState(int32_t* state);
    // 0 when the HotSync functions are available (the manager is installed), else -1.
    static int IsAvailable();
    // Open the manager's windows. They run in the manager's own process; these return at once,
    // 0 when the manager was started, else -1.
    static int ShowOperationSettings();  // "HotSync 機能の動作設定"
    static int ShowConnectionSettings(); // "起動/接続設定"
    static int ShowLog();                // "HotSync ログ"

    // The manager's executable: $LUMORA_HOTSYNC when set (and nothing else then), else
    // lumora-hotsync beside the running program, on PATH, or in the build tree. Empty when
    // none is found.
    static QString managerProgram();
    // The local socket on which the program listens for the manager's notifications; per user
    // of the machine (it lies in the runtime folder, CTavRuntimeDir).
    static QString programSocketName();
};
