#pragma once

#include "CTavDialogBase.h"

class CTavDbUser;
class QListWidget;

// Chooses the other user whose data the current user takes over.
class CTavSourceUserDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavSourceUserDlg(const CTavDbUser& users, QWidget* parent = nullptr);

    QString SourceUser() const { return m_source; }
    QListWidget* List() const { return m_list; }
    void accept() override;

private:
    QListWidget* m_list;
    QString m_source;
};
