#include "CTavTodoEditDlg.h"

// STUB: the dialog's fields and checks come with the dialogs' author.
CTavTodoEditDlg::CTavTodoEditDlg(CTavApp& app, const CTavDbTodoRecord& task, bool isNew, QWidget* parent)
    : CTavDialogBase(parent), m_app(app), m_task(task)
{
    setWindowTitle(isNew ? kNewTitle : kEditTitle);
}

CTavDbTodoRecord CTavTodoEditDlg::NewTask(CTavApp&, uint32_t)
{
    return {}; // STUB
}

QLineEdit* CTavTodoEditDlg::TitleEdit() const
{
    return nullptr;
} // STUB
QComboBox* CTavTodoEditDlg::PriorityBox() const
{
    return nullptr;
} // STUB
CTavTodoDateBox* CTavTodoEditDlg::StartBox() const
{
    return nullptr;
} // STUB
CTavTodoDateBox* CTavTodoEditDlg::DueBox() const
{
    return nullptr;
} // STUB
QComboBox* CTavTodoEditDlg::CategoryBox() const
{
    return nullptr;
} // STUB
QCheckBox* CTavTodoEditDlg::PrivateBox() const
{
    return nullptr;
} // STUB
QPlainTextEdit* CTavTodoEditDlg::NoteEdit() const
{
    return nullptr;
} // STUB
QPushButton* CTavTodoEditDlg::RepeatButton() const
{
    return nullptr;
} // STUB

void CTavTodoEditDlg::accept()
{
    CTavDialogBase::accept(); // STUB
}
