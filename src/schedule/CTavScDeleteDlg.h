#pragma once

#include "CTavDialogBase.h"

class QCheckBox;

// Confirms the deletion of an event and asks whether to keep it for the backup file.
class CTavScDeleteDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavScDeleteDlg(bool archive, QWidget* parent = nullptr);
    bool Archive() const;
    QCheckBox* ArchiveBox() const { return m_archive; }

private:
    QCheckBox* m_archive;
};
