#include "CTavAddrCsvImportDlg.h"

// STUB: the preview and the column fields come with the CSV reader.
CTavAddrCsvImportDlg::CTavAddrCsvImportDlg(CTavApp& app, const QString&, QWidget* parent)
    : CTavDialogBase(parent), m_app(app)
{
}
