#pragma once

#include "CTavDialogBase.h"

class QCheckBox;

// "メモの削除": asks before memos are deleted and whether the handheld's backup keeps them.
class CTavMemoDeleteDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavMemoDeleteDlg(bool backup, QWidget* parent = nullptr);

    bool Backup() const;
    QCheckBox* BackupBox() const { return m_backup; }

private:
    QCheckBox* m_backup;
};
