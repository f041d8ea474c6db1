#include "CTavTodoRightView.h"

#include <QVBoxLayout>

#include "CTavDetailTextEdit.h"
#include "CTavTodoDetailText.h"
#include "CTavTodoDoc.h"

CTavTodoRightView::CTavTodoRightView(CTavTodoDoc* document, QWidget* parent)
    : QWidget(parent), m_doc(document), m_text(new CTavDetailTextEdit(this))
{
    setObjectName(QStringLiteral("todoDetail"));
    m_text->setAcceptDrops(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    ShowRow(-1);
}

void CTavTodoRightView::ShowRow(int index)
{
    const TodoListRow* row = m_doc->Row(index);
    m_index = row ? index : -1;
    // The detail text is plain ASCII: every other character is written as an escape.
    m_text->SetRichText(CTavTodoDetailText::Build(row, row && row->isPrivate && m_doc->Masked()).toLatin1());
}
