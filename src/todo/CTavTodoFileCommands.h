#pragma once

#include <QObject>

#include "CTavBackupFileSwitch.h"

class CTavTodoFrame;

// The To Do outline's file commands: import and export of its backup files, and opening a
// backup file in place of the current data, going back to the current data, and restoring the
// last saved state. Every import is one undo step.
class CTavTodoFileCommands final : public QObject
{
    Q_OBJECT
public:
    explicit CTavTodoFileCommands(CTavTodoFrame& frame);

    void OnImport();
    void OnExport();
    void OnOpenBackupFile() { m_switch.OnOpenBackupFile(); }
    void OnOpenCurrentFile() { m_switch.OnOpenCurrentFile(); }
    void OnRestore() { m_switch.OnRestore(); }
    // The backup file was closed by the shell (the store already reads the current data).
    void LeaveBackupFile() { m_switch.LeaveBackupFile(); }

private:
    void refresh();

    CTavTodoFrame& m_frame;
    CTavBackupFileSwitch m_switch;
};
