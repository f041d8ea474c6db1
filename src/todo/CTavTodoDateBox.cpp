#include "CTavTodoDateBox.h"

// STUB: the entries come with the dialogs' author.
CTavTodoDateBox::CTavTodoDateBox(QWidget* parent) : QComboBox(parent) {}

void CTavTodoDateBox::SetDate(TavTime date)
{
    m_date = date;
}
