#pragma once

#include <QObject>
#include <cstdint>

class CTavMainFrame;

// The user commands of the main frame: the user management dialog and the user box. A switch
// saves the old user's data to the old user's files, then loads the new user's.
class CTavUserSwitcher final : public QObject
{
    Q_OBJECT
public:
    explicit CTavUserSwitcher(CTavMainFrame& frame);

    void OnUserManagement();
    void OnUserBoxConfirmed(int index);

private:
    // While a module shows a backup file: asks to close it and closes it. False on Cancel.
    bool CloseBackupFirst();
    // Runs the user dialog in management mode; the chosen user becomes current (with its
    // password when it is another user). False when nothing changed.
    void RunUserDialog(uint32_t previousId);
    // Loads the now current user's data after the previous user's were saved.
    void FinishSwitch(uint32_t previousId);

    CTavMainFrame& m_frame;
};
