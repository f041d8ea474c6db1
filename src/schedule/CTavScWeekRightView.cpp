#include "CTavScWeekRightView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "CTavDbDate.h"
#include "CTavScWeekDoc.h"
#include "CTavScWeekEventList.h"
#include "ScheduleState.h"

CTavScWeekRightView::CTavScWeekRightView(CTavScWeekDoc* document, QWidget* parent)
    : CTavScRightViewBase(document, parent), m_document(document), m_week(new QLabel(this)),
      m_list(new CTavScWeekEventList(document)), m_scroll(new QScrollArea(this))
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

    auto* head = new QHBoxLayout;
    head->addWidget(title);
    head->addStretch();
    head->addWidget(m_week);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addLayout(head);
    layout->addWidget(m_scroll, 1);
    AddSheetRows(layout);
    Refresh();
}

void CTavScWeekRightView::Refresh()
{
    m_list->Refresh();
    int year = 0;
    const int week = m_document->WeekNumber(&year);
    m_week->setText(QStringLiteral("%1年 第%2週").arg(year).arg(week));
    CTavScRightViewBase::Refresh();
    OverlayToggled();
}

QString CTavScWeekRightView::ReadSheetName()
{
    int year = 0;
    const int week = m_document->WeekNumber(&year);
    CTavDbDateWeekRecord info;
    if (State().Store().GetWeekInfo(year, week, info) == TavStatusCode::Ok)
        return info.GetSheetName();
    return QString();
}

bool CTavScWeekRightView::StoreSheetName(const QString& name)
{
    int year = 0;
    const int week = m_document->WeekNumber(&year);
    CTavDbDate& store = State().Store();
    CTavDbDateWeekRecord info(year, week);
    const bool linked = store.GetWeekInfo(year, week, info) == TavStatusCode::Ok;
    info.SetSheetName(name);
    return (linked ? store.UpdateWeekInfo(info) : store.AddWeekInfo(info)) == TavStatusCode::Ok;
}

void CTavScWeekRightView::OverlayToggled()
{
    m_list->SetOverlay(OverlayButton()->isChecked() ? SheetName() : QString());
}
