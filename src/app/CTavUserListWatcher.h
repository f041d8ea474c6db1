#pragma once

#include <QByteArray>
#include <QObject>

class CTavMainFrame;
class QFileSystemWatcher;
class QTimer;

// Follows the user list on disk, which lumora-cli or another tool may change while the program
// runs: the user box, the passwords asked and the current user follow the file.
class CTavUserListWatcher final : public QObject
{
    Q_OBJECT
public:
    static constexpr int kSettleMs = 100;
    static constexpr int kRetryMs = 500;

    explicit CTavUserListWatcher(CTavMainFrame& frame);

    // Takes a changed file in, unless a dialog or a HotSync holds the program; then later.
    void Check();

private:
    void Arm();

    CTavMainFrame& m_frame;
    QFileSystemWatcher* m_watcher;
    QTimer* m_timer;
    QByteArray m_seen;
};
