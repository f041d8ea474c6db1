#include "CTavScDayFrame.h"

#include <QLabel>
#include <QToolButton>

#include "CTavScDayDoc.h"
#include "CTavScDayPreview.h"
#include "CTavScDayView.h"
#include "ScheduleState.h"
#include "TavCommandIds.h"

CTavScDayFrame::CTavScDayFrame(CTavScDayDoc* document, QWidget* parent)
    : CTavScEventFrame(document, TavSlot::Day, TavModule::Day, parent), m_document(document),
      m_view(new CTavScDayView(document)), m_preview(new CTavScDayPreview(document, this))
{
    CreateEventPanes(m_view, m_preview, {QStringLiteral("Day"), QStringLiteral("日")});
}

void CTavScDayFrame::UpdateCommandUI()
{
    CTavScEventFrame::UpdateCommandUI();
    const QDate day = m_document->State().CurrentDay();
    TitleLabel()->setText(CTavScDayView::DayTitle(day));
    PreviousButton()->setEnabled(day > CTavDbTime::firstDate());
    NextButton()->setEnabled(day < CTavDbTime::lastDate());
}
