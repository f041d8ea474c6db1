#pragma once

#include "CTavDialogBase.h"

class QCheckBox;

// "アドレスの削除": asks before cards are deleted and whether the handheld's backup keeps them.
class CTavAddrDeleteDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavAddrDeleteDlg(bool backup, QWidget* parent = nullptr);

    bool Backup() const;
    QCheckBox* BackupBox() const { return m_backup; }

private:
    QCheckBox* m_backup;
};
