#pragma once

#include "CTavDialogBase.h"

class QLineEdit;

// Asks for a password; the caller checks it.
class CTavPasswordDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    explicit CTavPasswordDlg(QWidget* parent = nullptr);

    QString Password() const { return m_password; }
    QLineEdit* Edit() const { return m_edit; }
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_edit;
    QString m_password;
};
