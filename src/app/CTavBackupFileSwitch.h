#pragma once

#include <QList>
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
        QString initialFile; // "*.aba": the dialog's first name, and the extension a bare name gets
        QString folder;      // below the user's folder, where the file dialog starts
        QString backupKind;  // how messages name the two files
        QString currentKind;
        QString restoreQuestion;
    };
    // Where the open backup file's path lives and which windows name it in their title. Windows
    // that share one store share these; by default the switch keeps the path and titles its
    // own frame.
    struct Place
    {
        std::function<QString()> path;
        std::function<void(const QString&)> setPath; // empty: no backup file is open
        std::function<QList<CTavModuleFrame*>()> titled;
    };

    // The documents' title while a backup file of that name is open.
    static QString Title(const QString& fileName);

    // refresh rebuilds what the module shows after the store read a file.
    CTavBackupFileSwitch(CTavModuleFrame& frame, CTavDbStoreBase& store, Setup setup,
                         std::function<void()> refresh, Place place = {});

    void OnOpenBackupFile();
    void OnOpenCurrentFile();
    void OnRestore();
    // The backup file was closed by the shell (the store already reads the current data).
    void LeaveBackupFile();
    QString BackupPath() const { return m_place.path(); }

private:
    QString currentPath() const;
    // Writes the open backup file's pending edits; false (and the user told) when it fails.
    bool saveBackupFile();
    // Remembers the open file (empty: none) and titles the windows after it.
    void setOpenFile(const QString& path);

    CTavModuleFrame& m_frame;
    CTavDbStoreBase& m_store;
    Setup m_setup;
    std::function<void()> m_refresh;
    Place m_place;
    QString m_backupPath;
};
