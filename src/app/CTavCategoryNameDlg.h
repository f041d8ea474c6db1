#pragma once

#include "CTavDialogBase.h"

class QLineEdit;

// "カテゴリ名": the name of a new category, or the new name of one. A name keeps to the
// handheld's 15 bytes; an empty one is refused.
class CTavCategoryNameDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    static constexpr int kMaxNameBytes = 15;
    enum Mode
    {
        New,
        Rename
    };

    CTavCategoryNameDlg(Mode mode, const QString& initial, QWidget* parent = nullptr);

    QString Name() const;
    QLineEdit* Edit() const { return m_edit; }
    void accept() override;

private:
    QLineEdit* m_edit;
};
