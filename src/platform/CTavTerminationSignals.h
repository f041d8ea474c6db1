#pragma once

#include <QObject>

class QSocketNotifier;

// The signals that end a program from outside (SIGTERM from a logout without a session manager
// or a shutdown, SIGHUP from a closed terminal, SIGINT from Ctrl+C) arrive as a Qt signal in the
// event loop, so that the program can save before it quits instead of dying mid-edit.
// One instance at a time; the default handlers return when it is destroyed.
class CTavTerminationSignals final : public QObject
{
    Q_OBJECT
public:
    explicit CTavTerminationSignals(QObject* parent = nullptr);
    ~CTavTerminationSignals() override;

    // False when the handlers could not be installed (the signals then end the program at once).
    bool IsInstalled() const { return m_notifier != nullptr; }

signals:
    void terminationRequested(int signalNumber);

private:
    void onReadable();

    QSocketNotifier* m_notifier = nullptr;
};
