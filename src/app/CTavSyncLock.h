#pragma once

#include "CTavApp.h"

// Clears the application's HotSync readiness for the time of a dialog or command and gives back
// the value it found, so that nested dialogs keep the lock until the outermost ends.
class CTavSyncLock final
{
public:
    explicit CTavSyncLock(CTavApp* app) : m_app(app), m_ready(app ? app->readyForSync() : 1)
    {
        if (m_app)
            m_app->setReadyForSync(0);
    }
    explicit CTavSyncLock(CTavApp& app) : CTavSyncLock(&app) {}
    ~CTavSyncLock()
    {
        if (m_app)
            m_app->setReadyForSync(m_ready);
    }
    CTavSyncLock(const CTavSyncLock&) = delete;
    CTavSyncLock& operator=(const CTavSyncLock&) = delete;

private:
    CTavApp* m_app;
    int m_ready;
};
