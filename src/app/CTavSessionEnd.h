#pragma once

#include <QObject>

class CTavMainFrame;
class CTavTerminationSignals;

// The ends of a session the user did not choose in the window: a logout or shutdown (SIGTERM,
// or the desktop session manager asking to save), a closed terminal (SIGHUP), Ctrl+C (SIGINT).
// What the user confirmed is saved as on closing the window; an open dialog's edits were never
// confirmed and are dropped with the dialog.
class CTavSessionEnd final : public QObject
{
    Q_OBJECT
public:
    explicit CTavSessionEnd(CTavMainFrame& frame);
    ~CTavSessionEnd() override;

    // Saves and leaves every event loop, open dialogs' included; later calls do nothing.
    void End(int signalNumber);
    bool IsEnding() const { return m_ending; }

private:
    CTavMainFrame& m_frame;
    CTavTerminationSignals* m_signals;
    bool m_ending = false;
};
