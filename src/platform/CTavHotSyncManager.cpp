#include "CTavHotSyncManager.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "CTavHotSyncState.h"
#include "CTavRuntimeDir.h"

namespace {
const QString kProgramName = QStringLiteral("lumora-hotsync");

bool isExecutable(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

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
    if (qEnvironmentVariableIsSet("LUMORA_HOTSYNC")) {
        const QString path = qEnvironmentVariable("LUMORA_HOTSYNC");
        return isExecutable(path) ? QFileInfo(path).absoluteFilePath() : QString();
    }
    if (QCoreApplication::instance()) {
        const QString beside = QCoreApplication::applicationDirPath() + u'/' + kProgramName;
        if (isExecutable(beside))
            return beside;
    }
    const QString onPath = QStandardPaths::findExecutable(kProgramName);
    if (!onPath.isEmpty())
        return onPath;
#ifdef LUMORA_HOTSYNC_BUILD_PATH
    if (isExecutable(QStringLiteral(LUMORA_HOTSYNC_BUILD_PATH)))
        return QStringLiteral(LUMORA_HOTSYNC_BUILD_PATH);
#endif
    return {};
}

QString CTavHotSyncManager::programSocketName()
{
    return CTavRuntimeDir::filePath(QStringLiteral("hotsync-program"));
}
