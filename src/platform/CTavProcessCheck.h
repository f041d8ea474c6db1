#pragma once

#include <QtGlobal>

// Whether another process still exists, for records that name the process they belong to.
class CTavProcessCheck final
{
public:
    // True while the process runs, also when it belongs to another user; a process that has
    // ended but is not yet reaped counts as gone. False for ids <= 0.
    static bool isAlive(qint64 pid);
};
