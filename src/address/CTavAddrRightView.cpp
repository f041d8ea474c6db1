#include "CTavAddrRightView.h"

#include <QVBoxLayout>

#include "CTavAddrDetailText.h"
#include "CTavAddrDoc.h"
#include "CTavDbAddr.h"
#include "CTavDetailTextEdit.h"
#include "CTavRichText.h"

CTavAddrRightView::CTavAddrRightView(CTavAddrDoc* document, QWidget* parent)
    : QWidget(parent), m_doc(document), m_text(new CTavDetailTextEdit(this))
{
    setObjectName(QStringLiteral("addressDetail"));
    m_text->setAcceptDrops(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    ShowRow(-1);
}

void CTavAddrRightView::ShowRow(int index)
{
    const CTavDbAddrRecord* card = m_doc->Card(index);
    m_index = card ? index : -1;
    m_text->SetRichText(card ? CTavAddrDetailText::Document(*card, m_doc->Store().GetCustomLabels(),
                                                            m_doc->Locale(), m_doc->Masked())
                             : CTavRichText::EmptyDocument());
}
