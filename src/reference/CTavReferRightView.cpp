#include "CTavReferRightView.h"

#include <QLabel>
#include <QVBoxLayout>

#include "CTavReferDoc.h"
#include "CTavReferView.h"

CTavReferRightView::CTavReferRightView(CTavReferDoc* document, QWidget* parent)
    : QWidget(parent), m_doc(document), m_title(new QLabel(this)), m_view(new CTavReferView(this))
{
    setObjectName(QStringLiteral("referPreview"));
    m_title->setObjectName(QStringLiteral("referPreviewTitle"));
    m_title->setStyleSheet(QStringLiteral("font-weight: bold;"));
    m_title->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_title);
    layout->addWidget(m_view, 1);
    ShowEntry(-1);
}

void CTavReferRightView::ShowEntry(int index)
{
    const CTavReferEntry* entry = m_doc->Entry(index);
    m_title->setText(entry ? entry->title : QStringLiteral("便利情報が選択されていません"));
    m_view->SetSheet(entry ? entry->sheet : nullptr);
    m_view->setVisible(entry != nullptr);
}
