#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include "CTavBackupFileSwitch.h"

class CTavMemoFrame;

// The memo pad's file commands: import and export (comma-separated text, the program's and
// the desktop's memo pad backup files), and opening a backup file in place of the current
// data, going back to the current data, and restoring the last saved state.
class CTavMemoFileCommands final : public QObject
{
    Q_OBJECT
public:
    static inline const QString kFilter = QStringLiteral(
        "Lumora バックアップファイル(*.mpc)|*.mpc|Palm Desktop バックアップファイル(*.mpa)|*.mpa|"
        "コンマ区切りテキスト(*.csv)|*.csv||");
    static inline const QString kBackupFilter = QStringLiteral("メモ帳のバックアップファイル(*.mpa)|*.mpa||");
    static inline const QString kBackupInitialFile = QStringLiteral("*.mpa");
    static inline const QString kBackupTitle = QStringLiteral("メモ帳のバックアップファイルを開く");
    static QString ImportLimitMessage();
    static QString RestoreQuestion();

    explicit CTavMemoFileCommands(CTavMemoFrame& frame);

    void OnImport();
    void OnExport();
    void OnOpenBackupFile();
    void OnOpenCurrentFile();
    void OnRestore();
    // The backup file was closed by the shell (the store already reads the current data).
    void LeaveBackupFile();
    QString BackupPath() const { return m_switch.BackupPath(); }

    // Imports or exports a file by its extension; false when nothing was done (silently for a
    // name of no known type).
    bool ImportFile(const QString& path);
    bool ExportFile(const QString& path, bool selectedOnly);

private:
    void refresh();

    CTavMemoFrame& m_frame;
    CTavBackupFileSwitch m_switch;
};
