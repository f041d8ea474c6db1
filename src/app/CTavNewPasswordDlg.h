#pragma once

#include "CTavDialogBase.h"

class QLabel;
class QLineEdit;

// The new password of a user, typed twice. OK with two different texts says so and asks
// again; OK with both empty clears the password once the user agrees (for a user who has one).
class CTavNewPasswordDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavNewPasswordDlg(const QString& userName, bool hasPassword, QWidget* parent = nullptr);

    // The accepted password; empty to clear it.
    QString Password() const { return m_password; }
    QLineEdit* NewEdit() const { return m_new; }
    QLineEdit* ConfirmEdit() const { return m_confirm; }
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void retype();

    QString m_userName;
    bool m_hasPassword;
    QLineEdit* m_new;
    QLineEdit* m_confirm;
    QString m_password;
};
