#include "CTavOptions.h"

#include "CTavDbText.h"
#include "CTavRegOption.h"

CTavOptions& CTavOptions::instance()
{
    static CTavOptions options;
    return options;
}

bool CTavOptions::LoadOptions(CTavRegOption& reg)
{
    QString drive;
    int32_t checkDelete = 0;
    int32_t checkBackup = 0;
    // All three are read even after a failure, so that each missing value gets created.
    const int read = reg.ReadString(CTavRegOption::kFKDrive, drive, QString()) +
                     reg.ReadNumber(CTavRegOption::kCheckDelete, checkDelete, 1) +
                     reg.ReadNumber(CTavRegOption::kCheckBackup, checkBackup, 1);
    if (read != 3 || CTavDbText::mbLength(drive) > kMaxDriveBytes) {
        Reset();
        return false;
    }
    m_flekDrive = drive;
    m_checkDelete = checkDelete;
    m_checkBackup = checkBackup;
    return true;
}

void CTavOptions::Reset()
{
    m_flekDrive.clear();
    m_checkDelete = 1;
    m_checkBackup = 1;
}

bool CTavOptions::SetFlekDrive(const QString& drive)
{
    if (CTavDbText::mbLength(drive) > kMaxDriveBytes)
        return false;
    m_flekDrive = drive;
    return true;
}
