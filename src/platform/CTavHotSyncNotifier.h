#pragma once

#include <optional>

#include "CTavHotSyncChannel.h"

// The manager's end of the notifications: sends one number to the running program and waits
// for its answer. Blocking; meant for the manager's command line, or a worker thread.
class CTavHotSyncNotifier final
{
public:
    // Nothing when no program listens, or it does not answer within the time; *reached tells
    // the two apart (a program took the call).
    static std::optional<CTavHotSyncChannel::Answer> send(int notification, int timeoutMs = 60000,
                                                          bool* reached = nullptr);
};
