#pragma once

#include <QDateTime>
#include <QString>

// The HotSync manager's record of whether a HotSync runs, kept in the runtime folder so that
// it outlives the manager's short-lived commands and a program started meanwhile finds it.
class CTavHotSyncState final
{
public:
    bool running = false;
    QDateTime since; // when the running HotSync started; invalid when idle
    qint64 pid = 0;  // the process that runs it (0 when unknown): a HotSync outlives it never

    // A running HotSync whose process is known and has ended: nobody will ever end it.
    bool managerGone() const;

    static QString filePath();
    // A missing file reads as idle; false when the file exists but cannot be read or is damaged.
    static bool read(CTavHotSyncState* state);
    // Written atomically; false when the file cannot be written (the old one stays).
    static bool write(const CTavHotSyncState& state);
    // Records the end of the HotSync seen, unless the file meanwhile names another one.
    static bool endStale(const CTavHotSyncState& seen);
};
