#pragma once

#include <QString>
#include <cstdint>

class CTavRegOption;

// The option values the modules read after start-up: the Flek memory-card drive, the delete
// confirmation and backup-on-delete. They start as empty, 1 and 1.
class CTavOptions final
{
public:
    static constexpr int kMaxDriveBytes = 3;

    CTavOptions() = default;
    Q_DISABLE_COPY_MOVE(CTavOptions)

    static CTavOptions& instance();

    // Reads "FKDrive", "CheckDelete" and "CheckBackup". When any read fails or the drive is
    // longer than 3 characters, all three are reset to empty, 1 and 1 (the registry is left
    // as it is). Returns false when it reset them.
    bool LoadOptions(CTavRegOption& reg);
    void Reset();

    QString FlekDrive() const { return m_flekDrive; }
    // False (nothing changed) for a drive longer than 3 characters.
    bool SetFlekDrive(const QString& drive);
    int32_t CheckDelete() const { return m_checkDelete; }
    void SetCheckDelete(int32_t on) { m_checkDelete = on; }
    int32_t CheckBackup() const { return m_checkBackup; }
    void SetCheckBackup(int32_t on) { m_checkBackup = on; }

private:
    QString m_flekDrive;
    int32_t m_checkDelete = 1;
    int32_t m_checkBackup = 1;
};
