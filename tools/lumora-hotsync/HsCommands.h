#pragma once

#include <QStringList>

// The commands through which the manager's HotSync is played from a shell: each sends the
// running program a notification, keeps the manager's state and log, and says what happened.
class HsCommands final
{
public:
    enum Exit
    {
        Ok = 0,
        Refused = 1,
        Failed = 1,
        NotRunning = 2,
        Usage = 2
    };

    // Runs the command named by the first argument; returns the exit status.
    static int run(const QStringList& args);
    static QString usage();
};
