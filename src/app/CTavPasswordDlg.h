#pragma once

#include "CTavDialogBase.h"

class QLabel;
class QLineEdit;

// Asks for a user's password; the caller checks it. The prompt names the user, so that a
// switch or a start-up never leaves it open whose password is meant.
class CTavPasswordDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    explicit CTavPasswordDlg(const QString& userName, QWidget* parent = nullptr);

    // "ユーザ「name」のパスワード:"; a neutral prompt for an empty name.
    static QString PromptFor(const QString& userName);

    QString Password() const { return m_password; }
    QLineEdit* Edit() const { return m_edit; }
    QLabel* Prompt() const { return m_prompt; }
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_prompt;
    QLineEdit* m_edit;
    QString m_password;
};
