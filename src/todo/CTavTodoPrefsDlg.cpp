#include "CTavTodoPrefsDlg.h"

// STUB: the dialog's controls come with the dialogs' author.
CTavTodoPrefsDlg::CTavTodoPrefsDlg(CTavTodoDoc& doc, QWidget* parent)
    : CTavDialogBase(parent), m_doc(doc), m_chosen(doc.GetSettings())
{
}

QCheckBox* CTavTodoPrefsDlg::ShowCompletedBox() const
{
    return nullptr;
} // STUB
QCheckBox* CTavTodoPrefsDlg::RegistDateBox() const
{
    return nullptr;
} // STUB
QPushButton* CTavTodoPrefsDlg::ColorButton(int) const
{
    return nullptr;
} // STUB

void CTavTodoPrefsDlg::accept()
{
    m_doc.SetSettings(m_chosen);
    CTavDialogBase::accept();
}
