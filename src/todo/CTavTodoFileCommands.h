#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

#include "CTavBackupFileSwitch.h"

class CTavTodoFrame;

// The To Do outline's file commands: import and export of its backup files (the program's and
// the desktop's), and opening a
// backup file in place of the current data, going back to the current data, and restoring the
// last saved state. Every import is one undo step.
class CTavTodoFileCommands final : public QObject
{
    Q_OBJECT
public:
    static inline const QString kFilter = QStringLiteral(
        "Lumora バックアップファイル(*.tdc)|*.tdc|Palm Desktop バックアップファイル(*.tda)|*.tda||");
    static inline const QString kBackupFilter =
        QStringLiteral("To Do のバックアップファイル (*.tda)|*.tda||");
    static inline const QString kBackupInitialFile = QStringLiteral("*.tda");
    static inline const QString kBackupTitle = QStringLiteral("To Do のバックアップファイルを開く");
    static QString ImportLimitMessage();
    static QString ImportedMessage(int count);
    static QString RestoreQuestion();

    explicit CTavTodoFileCommands(CTavTodoFrame& frame);

    // The outline's selected rows, in row order, for exporting the selected tasks; without it
    // only every task can be exported.
    void SetSelectionSource(std::function<QList<int>()> source) { m_selection = std::move(source); }

    void OnImport();
    void OnExport();
    void OnOpenBackupFile() { m_switch.OnOpenBackupFile(); }
    void OnOpenCurrentFile() { m_switch.OnOpenCurrentFile(); }
    void OnRestore() { m_switch.OnRestore(); }
    // The backup file was closed by the shell (the store already reads the current data).
    void LeaveBackupFile() { m_switch.LeaveBackupFile(); }
    QString BackupPath() const { return m_switch.BackupPath(); }

    // Whether the file dialog's choice is a file these commands know by its extension.
    static bool IsKnownFile(const QString& path);
    // Imports or exports a chosen file; false when nothing was done (the user was told why, or
    // the name is of no known type).
    bool ImportFile(const QString& path);
    bool ExportFile(const QString& path, bool selectedOnly);

private:
    void refresh();

    CTavTodoFrame& m_frame;
    CTavBackupFileSwitch m_switch;
    std::function<QList<int>()> m_selection;
};
