#include "CTavOptions.h"

#include "CTavRegOption.h"

CTavOptions& CTavOptions::instance()
{
    static CTavOptions options;
    return options;
}

void CTavOptions::LoadOptions(CTavRegOption& reg)
{
    QString drive;
    int32_t del = 1;
    int32_t backup = 1;
    const bool ok = reg.ReadString(QStringLiteral("FKDrive"), drive, QString()) &&
                    reg.ReadNumber(QStringLiteral("CheckDelete"), del, 1) &&
                    reg.ReadNumber(QStringLiteral("CheckBackup"), backup, 1) && drive.size() <= 3;
    m_flekDrive = ok ? drive : QString();
    m_checkDelete = ok ? del : 1;
    m_checkBackup = ok ? backup : 1;
}
