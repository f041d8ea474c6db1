#include "CTavAddrPrefsDlg.h"

// STUB: the preferences' controls come with the card dialog.
CTavAddrPrefsDlg::CTavAddrPrefsDlg(CTavApp& app, QWidget* parent) : CTavDialogBase(parent), m_app(app)
{
    setWindowTitle(QStringLiteral("環境設定"));
}
