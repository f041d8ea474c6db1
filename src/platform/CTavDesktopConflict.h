#pragma once

#include <QObject>
#include <QStringList>

class QTimer;

// Tells whether a competing handheld desktop program runs for this user, by the names of
// its processes ("LUMORA_CONFLICT_PROCESSES", a colon-separated list, overrides the default
// list), and signals when one starts while Lumora runs.
class CTavDesktopConflict final : public QObject
{
    Q_OBJECT
public:
    explicit CTavDesktopConflict(QObject* parent = nullptr);

    bool isRunning() const;
    QStringList processNames() const { return m_names; }
    void setProcessNames(const QStringList& names) { m_names = names; }
    // Polls every interval and emits started() on the change from absent to running.
    void startWatching(int intervalMs = 2000);

signals:
    void started();

private:
    QStringList m_names;
    QTimer* m_timer = nullptr;
    bool m_wasRunning = false;
};
