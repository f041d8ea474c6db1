#include "CTavHotSyncManager.h"

#include <QProcess>

#include "CTavHotSyncState.h"
#include "CTavPlatformPaths.h"
#include "CTavRuntimeDir.h"

namespace {
const QString kProgramName = QStringLiteral("lumora-hotsync");

int startManager(const QString& option)
{
    const QString program = CTavHotSyncManager::managerProgram();
    if (program.isEmpty())
        return -1;
    return QProcess::startDetached(program, {option}) ? 0 : -1;
}
} // namespace

int CTavHotSyncManager::GetRunningState(int32_t* state)
{
    CTavHotSyncState current;
    if (!state || !CTavHotSyncState::read(&current))
        return -1;
    *state = current.running ? 1 : 0;
    return 0;
}

int CTavHotSyncManager::IsAvailable()
{
    return managerProgram().isEmpty() ? -1 : 0;
}

int CTavHotSyncManager::ShowOperationSettings()
{
    return startManager(QStringLiteral("--settings"));
}

int CTavHotSyncManager::ShowConnectionSettings()
{
    return startManager(QStringLiteral("--connection"));
}

int CTavHotSyncManager::ShowLog()
{
    return startManager(QStringLiteral("--log"));
}

QString CTavHotSyncManager::managerProgram()
{
#ifdef LUMORA_HOTSYNC_BUILD_PATH
    const QString buildPath = QStringLiteral(LUMORA_HOTSYNC_BUILD_PATH);
#else
    const QString buildPath;
#endif
    return CTavPlatformPaths::findProgram(kProgramName, "LUMORA_HOTSYNC", buildPath);
}

QString CTavHotSyncManager::programSocketName()
{
    return CTavRuntimeDir::filePath(QStringLiteral("hotsync-program"));
}
