#pragma once

#include <QString>
#include <cstdint>

class CTavRegOption;

// The option values the modules read after start-up (not the stored values).
class CTavOptions
{
public:
    static CTavOptions& instance();

    QString flekDrive() const { return m_flekDrive; }
    void setFlekDrive(const QString& drive) { m_flekDrive = drive; }
    int32_t checkDelete() const { return m_checkDelete; }
    void setCheckDelete(int32_t on) { m_checkDelete = on; }
    int32_t checkBackup() const { return m_checkBackup; }
    void setCheckBackup(int32_t on) { m_checkBackup = on; }

    void LoadOptions(CTavRegOption& reg);

private:
    QString m_flekDrive;
    int32_t m_checkDelete = 1;
    int32_t m_checkBackup = 1;
};
