#include "CTavScWeekRightView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "CTavDbDate.h"
#include "CTavScPeriodSheet.h"
#include "CTavScWeekDoc.h"
#include "CTavScWeekEventList.h"
#include "ScheduleState.h"

namespace {
constexpr int kMargin = 8;
} // namespace

CTavScWeekRightView::CTavScWeekRightView(CTavScWeekDoc* document, QWidget* parent)
    : QWidget(parent), m_document(document), m_week(new QLabel(this)),
      m_list(new CTavScWeekEventList(document)), m_scroll(new QScrollArea(this)), m_link(new QLabel(this)),
      m_overlay(new QPushButton(QStringLiteral("オーバーレイ表示"), this)),
      m_edit(new QPushButton(QStringLiteral("編集"), this))
{
    setObjectName(QStringLiteral("weekRightView"));
    auto* title = new QLabel(QStringLiteral("週の予定"), this);
    title->setStyleSheet(QStringLiteral("font-weight: bold;"));
    m_week->setObjectName(QStringLiteral("weekNumberLabel"));
    m_scroll->setWidget(m_list);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::StyledPanel);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setMinimumWidth(160);
    m_link->setObjectName(QStringLiteral("sheetLinkLabel"));
    m_overlay->setCheckable(true);
    m_overlay->setChecked(true);
    m_edit->setObjectName(QStringLiteral("sheetEditButton"));
    connect(m_overlay, &QPushButton::toggled, this, &CTavScWeekRightView::ShowOverlay);
    connect(m_edit, &QPushButton::clicked, this, &CTavScWeekRightView::EditSheet);

    auto* head = new QHBoxLayout;
    head->addWidget(title);
    head->addStretch();
    head->addWidget(m_week);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_overlay);
    buttons->addWidget(m_edit);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addLayout(head);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(m_link);
    layout->addLayout(buttons);
    connect(document, &CTavModuleDoc::viewsUpdated, this, &CTavScWeekRightView::Refresh);
    Refresh();
}

void CTavScWeekRightView::Refresh()
{
    ScheduleState& state = m_document->State();
    m_list->Refresh();
    int year = 0;
    const int week = m_document->WeekNumber(&year);
    m_week->setText(QStringLiteral("%1年 第%2週").arg(year).arg(week));
    CTavDbDateWeekRecord info;
    m_sheet.clear();
    if (state.Store().GetWeekInfo(year, week, info) == TavStatusCode::Ok)
        m_sheet = info.GetSheetName();
    m_link->setText(
        QStringLiteral("手書きメモ: %1").arg(m_sheet.isEmpty() ? QStringLiteral("(なし)") : m_sheet));
    ShowOverlay();
}

void CTavScWeekRightView::ShowOverlay()
{
    m_list->SetOverlay(m_overlay->isChecked() ? m_sheet : QString());
}

bool CTavScWeekRightView::LinkSheet(const QString& name)
{
    ScheduleState& state = m_document->State();
    int year = 0;
    const int week = m_document->WeekNumber(&year);
    const bool done = state.Step(QStringLiteral("手書きメモのリンク"), [&] {
        CTavDbDate& store = state.Store();
        CTavDbDateWeekRecord info(year, week);
        if (store.GetWeekInfo(year, week, info) == TavStatusCode::Ok) {
            info.SetSheetName(name);
            return store.UpdateWeekInfo(info) == TavStatusCode::Ok;
        }
        info.SetSheetName(name);
        return store.AddWeekInfo(info) == TavStatusCode::Ok;
    });
    emit state.changed();
    return done;
}

void CTavScWeekRightView::EditSheet()
{
    CTavScPeriodSheet::EditOverlay(m_document->State(), this, m_sheet,
                                   [this](const QString& name) { return LinkSheet(name); });
    Refresh();
}
