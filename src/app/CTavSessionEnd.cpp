#include "CTavSessionEnd.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <cstdio>

#include "CTavMainFrame.h"
#include "CTavTerminationSignals.h"

CTavSessionEnd::CTavSessionEnd(CTavMainFrame& frame)
    : QObject(&frame), m_frame(frame), m_signals(new CTavTerminationSignals(this))
{
    connect(m_signals, &CTavTerminationSignals::terminationRequested, this, &CTavSessionEnd::End);
    // The session manager may still cancel the logout, so this saves without quitting.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
        if (!m_ending)
            m_frame.SaveOnExit();
    });
}

CTavSessionEnd::~CTavSessionEnd() = default;

void CTavSessionEnd::End(int signalNumber)
{
    if (m_ending)
        return;
    m_ending = true;
    if (m_frame.SaveOnExit())
        std::fprintf(stderr, "lumora: signal %d: the data were saved, ending\n", signalNumber);
    else
        std::fprintf(stderr, "lumora: signal %d: some changes could not be saved, ending\n", signalNumber);
    // Every nested loop (an open dialog's, a message box's) returns as if cancelled, and
    // no new one starts, so nothing unconfirmed reaches the stores after the save.
    QCoreApplication::exit(0);
}
