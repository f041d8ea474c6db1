#include "CTavAddrEditDlg.h"

// STUB: the dialog's fields come with the card dialog.
CTavAddrEditDlg::CTavAddrEditDlg(CTavApp& app, const CTavDbAddrRecord& card, bool isNew, QWidget* parent)
    : CTavDialogBase(parent), m_app(app), m_card(card), m_isNew(isNew)
{
    setWindowTitle(isNew ? QStringLiteral("アドレス新規作成ダイアログ")
                         : QStringLiteral("アドレス編集ダイアログ"));
}

CTavDbAddrRecord CTavAddrEditDlg::NewCard(CTavApp&)
{
    return {};
}
