#pragma once

#include "CTavDialogBase.h"

class CTavApp;
class QCheckBox;
class QComboBox;
class QLineEdit;

// The process-wide options: delete confirmation, backup of deleted records, the start-up
// password and the memory card's drive.
class CTavOptionsDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavOptionsDlg(CTavApp& app, QWidget* parent = nullptr);

    QLineEdit* DataFolder() const { return m_folder; }
    QCheckBox* ConfirmDelete() const { return m_confirmDelete; }
    QCheckBox* BackupDeleted() const { return m_backupDeleted; }
    QCheckBox* StartupPassword() const { return m_password; }
    QComboBox* DriveBox() const { return m_drive; }
    void accept() override;

    // The chosen drive root ("E:\"), empty for none; the box shows it with its folder.
    QString SelectedDrive() const;

private:
    CTavApp& m_app;
    QLineEdit* m_folder;
    QCheckBox* m_confirmDelete;
    QCheckBox* m_backupDeleted;
    QCheckBox* m_password;
    QComboBox* m_drive;
};
