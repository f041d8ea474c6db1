#include "CTavScMonthFrame.h"

#include <QLabel>
#include <QToolButton>

#include "CTavComUtil.h"
#include "CTavScMonthCalendar.h"
#include "CTavScMonthDoc.h"
#include "CTavScMonthLeftView.h"
#include "CTavScMonthRightView.h"
#include "ScheduleState.h"
#include "TavCommandIds.h"

CTavScMonthFrame::CTavScMonthFrame(CTavScMonthDoc* document, QWidget* parent)
    : CTavScEventFrame(document, TavSlot::Month, TavModule::Month, parent), m_document(document),
      m_view(new CTavScMonthLeftView(document)), m_preview(new CTavScMonthRightView(document, this))
{
    CalendarButton()->setToolTip(QStringLiteral("月を指定"));
    CreateEventPanes(m_view, m_preview, {QStringLiteral("Month"), QStringLiteral("月")});
    QFont font = TitleLabel()->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() + 2);
    TitleLabel()->setFont(font);
}

QString CTavScMonthFrame::MonthTitle() const
{
    return TitleLabel()->text();
}

void CTavScMonthFrame::UpdateCommandUI()
{
    CTavScEventFrame::UpdateCommandUI();
    const CTavScCalendarGrid& grid = m_document->Grid();
    // The month in the handheld's format, as it heads its own month view.
    const QString head = CTavComUtil::GetTimeStr(QDate(grid.GetYear(), grid.GetMonth(), 1).startOfDay(),
                                                 m_document->State().handheld.monthDateFormat)
                             .simplified();
    TitleLabel()->setText(head.isEmpty() ? CTavScMonthCalendar::MonthTitle(grid.GetYear(), grid.GetMonth())
                                         : head);
    PreviousButton()->setEnabled(grid.GetYear() * 12 + grid.GetMonth() >
                                 CTavScCalendarGrid::kFirstYear * 12 + 1);
    NextButton()->setEnabled(grid.GetYear() * 12 + grid.GetMonth() < CTavScCalendarGrid::kLastYear * 12 + 12);
}
