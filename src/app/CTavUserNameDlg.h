#pragma once

#include "CTavDialogBase.h"

class QLineEdit;

// One edit box for a user name: a new user's, or the new name of a user.
class CTavUserNameDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    enum Mode
    {
        NewUser,
        Rename
    };

    CTavUserNameDlg(Mode mode, const QString& initial, QWidget* parent = nullptr);

    QString Name() const;
    QLineEdit* Edit() const { return m_edit; }

private:
    QLineEdit* m_edit;
};
