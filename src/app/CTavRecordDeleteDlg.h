#pragma once

#include <optional>

#include "CTavDialogBase.h"

class CTavApp;
class QCheckBox;

// "<records>の削除": asks before a module's records are deleted and whether the handheld's
// backup keeps them.
class CTavRecordDeleteDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    // noun names the records ("メモ"); backupControlId is the check box's control id.
    CTavRecordDeleteDlg(const QString& noun, int backupControlId, bool backup, QWidget* parent = nullptr);

    bool Backup() const;
    QCheckBox* BackupBox() const { return m_backup; }

    // Asks as the options want before the selected records are deleted: this dialog, or a plain
    // question while a backup file is open (whose deletions are never kept). The backup choice,
    // or nothing when the user cancelled.
    static std::optional<bool> Ask(CTavApp& app, const QString& noun, int backupControlId, QWidget* parent);

private:
    QCheckBox* m_backup;
};
