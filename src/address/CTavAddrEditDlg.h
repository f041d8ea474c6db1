#pragma once

#include "CTavDbAddrRecord.h"
#include "CTavDialogBase.h"

class CTavApp;

// The card dialog, for a new card ("アドレス新規作成ダイアログ") or an existing one. It checks
// the fields and fills a copy of the card; the caller stores it (as one undoable step).
class CTavAddrEditDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    // How the dialog was left with OK: the card replaces the edited one, or is stored as a new
    // card ("追加保存" on an existing card).
    enum class Save
    {
        Update,
        AddNew
    };

    // A new card starts from NewCard's defaults; an existing one from its stored fields.
    CTavAddrEditDlg(CTavApp& app, const CTavDbAddrRecord& card, bool isNew, QWidget* parent = nullptr);

    // A new card with the user's default phone labels and usual contact.
    static CTavDbAddrRecord NewCard(CTavApp& app);

    const CTavDbAddrRecord& Card() const { return m_card; }
    Save SaveMode() const { return m_save; }

private:
    CTavApp& m_app;
    CTavDbAddrRecord m_card;
    bool m_isNew;
    Save m_save = Save::Update;
};
