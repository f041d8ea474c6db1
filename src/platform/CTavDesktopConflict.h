#pragma once

#include <QObject>
#include <QStringList>

class QTimer;

// Tells whether a competing handheld desktop program runs for this user, by the names of
// its processes ("LUMORA_CONFLICT_PROCESSES", a colon-separated list, overrides the default
// list), and signals when one starts while Lumora runs. A name matches a process of this
// user whose executable or first argument has that file name (also after a Windows path, for
// programs run under a compatibility layer), ignoring case.
class CTavDesktopConflict final : public QObject
{
    Q_OBJECT
public:
    explicit CTavDesktopConflict(QObject* parent = nullptr);

    bool isRunning() const;
    QStringList processNames() const { return m_names; }
    void setProcessNames(const QStringList& names) { m_names = names; }
    // Polls every interval and emits started() on the change from absent to running; one
    // that already runs when the watch starts is reported at the first poll.
    void startWatching(int intervalMs = 2000);
    void stopWatching();

    static QStringList defaultProcessNames();

signals:
    void started();

private:
    void poll();

    QStringList m_names;
    QTimer* m_timer = nullptr;
    bool m_wasRunning = false;
};
