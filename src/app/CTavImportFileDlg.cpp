#include "CTavImportFileDlg.h"

CTavImportFileDlg::CTavImportFileDlg(bool isOpen, const QString& filter, QWidget* parent)
    : CTavFileDlg(isOpen ? Open : Save,
                  isOpen ? QStringLiteral("インポート") : QStringLiteral("エクスポート"), filter, parent),
      m_isOpen(isOpen), m_title(isOpen ? QStringLiteral("インポート") : QStringLiteral("エクスポート"))
{
    SetAcceptLabel(m_title);
}
