#pragma once

#include <QString>
#include <functional>

class CTavDbStoreBase;
class CTavModuleFrame;

// Opening a module's backup file in place of its current data, going back to the current
// data, and restoring the last saved state of whichever file is open. Each switch drops the
// undo history: its steps belong to the other file's records.
class CTavBackupFileSwitch final
{
public:
    struct Setup
    {
        QString dialogTitle;
        QString filter;
        QString folder;     // below the user's folder, where the file dialog starts
        QString backupKind; // how messages name the two files
        QString currentKind;
        QString restoreQuestion;
    };

    // refresh rebuilds what the module shows after the store read a file.
    CTavBackupFileSwitch(CTavModuleFrame& frame, CTavDbStoreBase& store, Setup setup,
                         std::function<void()> refresh);

    void OnOpenBackupFile();
    void OnOpenCurrentFile();
    void OnRestore();
    // The backup file was closed by the shell (the store already reads the current data).
    void LeaveBackupFile();
    QString BackupPath() const { return m_backupPath; }

private:
    QString currentPath() const;

    CTavModuleFrame& m_frame;
    CTavDbStoreBase& m_store;
    Setup m_setup;
    std::function<void()> m_refresh;
    QString m_backupPath;
};
