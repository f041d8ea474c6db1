#pragma once

#include "CTavDialogBase.h"

class QListWidget;

// Lists the memo-sheet files of a folder; the chosen sheet is named without folder and
// extension.
class CTavScSheetPickDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavScSheetPickDlg(const QString& folder, const QString& current, QWidget* parent = nullptr);
    QString SheetName() const;
    QListWidget* List() const { return m_list; }

private:
    QListWidget* m_list;
};
