#pragma once

#include "CTavDialogBase.h"

class QRadioButton;

// "カテゴリの削除": whether the records of a deleted category move to unfiled or go too.
class CTavCategoryDeleteDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    explicit CTavCategoryDeleteDlg(const QString& categoryName, QWidget* parent = nullptr);

    bool DeleteAll() const;
    QRadioButton* MoveChoice() const { return m_move; }
    QRadioButton* DeleteChoice() const { return m_delete; }

private:
    QRadioButton* m_move;
    QRadioButton* m_delete;
};
