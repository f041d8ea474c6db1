#pragma once

#include <QString>
#include <cstdint>

// The program's view of the HotSync manager (the stand-in program lumora-hotsync). Each call
// reaches the manager over a local socket; when the manager does not answer, the calls fail.
class CTavHotSyncManager final
{
public:
    // Whether a HotSync runs now: 0 on success with *state 1 (running) or 0.
    static int GetRunningState(int32_t* state);
    // 0 when the HotSync functions are available (the manager is installed).
    static int IsAvailable();
    // Open the manager's windows. They run in the manager's own process; these return at once.
    static int ShowOperationSettings();  // "HotSync 機能の動作設定"
    static int ShowConnectionSettings(); // "HotSync 起動/接続設定"
    static int ShowLog();                // "HotSync ログ"

    // The local socket names, per user of the machine.
    static QString managerSocketName(); // the manager listens here for the program's calls
    static QString programSocketName(); // the program listens here for the manager's notifications
};
