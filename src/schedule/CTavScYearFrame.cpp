#include "CTavScYearFrame.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "CTavScYearDoc.h"
#include "CTavScYearView.h"
#include "TavCommandIds.h"

namespace {
QToolButton* barButton(QWidget* parent, const QString& text, const QString& tip, const QString& name)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(tip);
    button->setObjectName(name);
    return button;
}
} // namespace

CTavScYearFrame::CTavScYearFrame(CTavScYearDoc* document, QWidget* parent)
    : CTavScFrameBase(document, TavSlot::Year, TavModule::Year, document->Title(), parent),
      m_document(document), m_view(new CTavScYearView(document, this)),
      m_discard(new QAction(QStringLiteral("予定の破棄(&O)..."), this))
{
    // After the four view buttons: ◀ 2024年 ▶ [今年].
    auto* bar = static_cast<QHBoxLayout*>(TopBar()->layout());
    m_previous = barButton(TopBar(), QStringLiteral("◀"), QStringLiteral("前の年 (PageUp)"),
                           QStringLiteral("previousYearButton"));
    m_next = barButton(TopBar(), QStringLiteral("▶"), QStringLiteral("次の年 (PageDown)"),
                       QStringLiteral("nextYearButton"));
    m_thisYear = barButton(TopBar(), QStringLiteral("今年"), QStringLiteral("今日の日付に戻る (Home)"),
                           QStringLiteral("thisYearButton"));
    m_yearLabel = new QLabel(TopBar());
    m_yearLabel->setObjectName(QStringLiteral("yearLabel"));
    m_yearLabel->setAlignment(Qt::AlignCenter);
    m_yearLabel->setMinimumWidth(m_yearLabel->fontMetrics().horizontalAdvance(QStringLiteral("0000年")) + 16);
    QFont bold = m_yearLabel->font();
    bold.setBold(true);
    m_yearLabel->setFont(bold);
    bar->insertSpacing(4, 12);
    bar->insertWidget(5, m_previous);
    bar->insertWidget(6, m_yearLabel);
    bar->insertWidget(7, m_next);
    bar->insertWidget(8, m_thisYear);

    SetSingleView(m_view);
    connect(m_previous, &QToolButton::clicked, this, [this] { m_document->StepYear(-1); });
    connect(m_next, &QToolButton::clicked, this, [this] { m_document->StepYear(1); });
    connect(m_thisYear, &QToolButton::clicked, this, [this] { m_document->GoToday(); });
    connect(m_discard, &QAction::triggered, this, [this] { m_document->DiscardOldEvents(this); });
    connect(document, &CTavModuleDoc::viewsUpdated, this, &CTavScYearFrame::UpdateCommandUI);
    UpdateCommandUI();
}

void CTavScYearFrame::FillMenu(MenuKind menu, QMenu* target)
{
    CTavScFrameBase::FillMenu(menu, target);
    if (menu == ToolsMenu)
        target->addAction(m_discard);
}

void CTavScYearFrame::UpdateCommandUI()
{
    CTavScFrameBase::UpdateCommandUI();
    m_yearLabel->setText(QStringLiteral("%1年").arg(m_document->Year()));
    m_previous->setEnabled(m_document->CanStepYear(-1));
    m_next->setEnabled(m_document->CanStepYear(1));
}
