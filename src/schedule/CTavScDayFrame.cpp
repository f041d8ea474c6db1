#include "CTavScDayFrame.h"

#include <QLabel>
#include <QToolButton>

#include "CTavComUtil.h"
#include "CTavDbClock.h"
#include "CTavDbDate.h"
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

bool CTavScDayFrame::ShowRecord(uint32_t uniqueId)
{
    ScheduleState& state = m_document->State();
    CTavDbDate& store = state.Store();
    auto* event = static_cast<CTavDbDateRecord*>(store.FindRecord(uniqueId));
    if (!event || event->IsDeleted())
        return false;
    QDate day = event->GetStartDate();
    if (event->IsRepeating()) {
        const QDate today = CTavDbClock::Today();
        for (QDate d = std::max(today, day); d <= today.addYears(2) && CTavDbTime::inRange(d);
             d = d.addDays(1)) {
            if (store.IsRepeatTarget(*event, CTavDbTime::dayKey(d))) {
                day = d;
                break;
            }
        }
    }
    state.GoToDate(day);
    state.SelectEvent(event);
    emit state.changed();
    return true;
}

QString CTavScDayFrame::DayHeading(const QString& handheldFormat, const QDate& day)
{
    const QString head = CTavComUtil::GetTimeStr(day.startOfDay(), handheldFormat).simplified();
    if (head.isEmpty())
        return CTavScDayView::DayTitle(day);
    if (handheldFormat.contains(QLatin1String("%a")) || handheldFormat.contains(QLatin1String("%A")))
        return head;
    // The weekday, which the handheld shows beside its day heading.
    const QString title = CTavScDayView::DayTitle(day);
    return head + title.mid(title.lastIndexOf(u' '));
}

void CTavScDayFrame::UpdateCommandUI()
{
    CTavScEventFrame::UpdateCommandUI();
    const QDate day = m_document->State().CurrentDay();
    TitleLabel()->setText(DayHeading(m_document->State().handheld.dayDateFormat, day));
    PreviousButton()->setEnabled(day > CTavDbTime::firstDate());
    NextButton()->setEnabled(day < CTavDbTime::lastDate());
}
