#include "CTavMemoRightView.h"

#include <QVBoxLayout>

#include "CTavDetailTextEdit.h"
#include "CTavMemoDoc.h"
#include "CTavMemoHeaderBand.h"
#include "CTavRichText.h"

CTavMemoRightView::CTavMemoRightView(CTavMemoDoc* document, QWidget* parent)
    : QWidget(parent), m_doc(document), m_band(new CTavMemoHeaderBand(this)),
      m_text(new CTavDetailTextEdit(this))
{
    setObjectName(QStringLiteral("memoDetail"));
    m_text->setAcceptDrops(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_band);
    layout->addWidget(m_text, 1);
    Rebuild(false);
}

void CTavMemoRightView::ShowEntry(int index)
{
    const CTavMemoEntry* entry = m_doc->Entry(index);
    m_index = entry ? index : -1;
    m_entry = entry ? *entry : CTavMemoEntry();
    m_categoryName = entry ? m_doc->CategoryName(entry->categoryId) : QString();
    m_count = m_doc->Count();
    Rebuild(m_doc->Masked());
}

void CTavMemoRightView::Rebuild(bool masked)
{
    m_masked = masked;
    const bool hidden = masked && m_entry.isPrivate && m_index >= 0;
    if (hidden)
        m_band->SetTexts(QString(), QString(), QString());
    else if (m_index < 0)
        m_band->SetTexts(QStringLiteral("メモ帳"), QString(), QString());
    else
        m_band->SetTexts(QStringLiteral("メモ帳"), QStringLiteral("%1/%2").arg(m_index + 1).arg(m_count),
                         m_categoryName);
    m_text->SetRichText(m_index < 0 ? CTavRichText::EmptyDocument()
                                    : CTavRichText::Document(m_entry.text, masked, m_entry.isPrivate));
}
