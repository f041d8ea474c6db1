#include "CTavScWeekFrame.h"

#include <QLabel>
#include <QToolButton>

#include "CTavComUtil.h"
#include "CTavScWeekDoc.h"
#include "CTavScWeekLeftView.h"
#include "CTavScWeekRightView.h"
#include "ScheduleState.h"
#include "TavCommandIds.h"

namespace {
QString shortDay(const QDate& day)
{
    static const char16_t* const days[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    return QStringLiteral("%1/%2 (%3)")
        .arg(day.month())
        .arg(day.day())
        .arg(QString::fromUtf16(days[day.dayOfWeek() % 7]));
}
} // namespace

CTavScWeekFrame::CTavScWeekFrame(CTavScWeekDoc* document, QWidget* parent)
    : CTavScEventFrame(document, TavSlot::Week, TavModule::Week, parent), m_document(document),
      m_view(new CTavScWeekLeftView(document)), m_right(new CTavScWeekRightView(document, this))
{
    CreateEventPanes(m_view, m_right, {QStringLiteral("Week"), QStringLiteral("週")});
}

QString CTavScWeekFrame::WeekTitle(const QString& handheldFormat, const QDate& first, const QDate& last,
                                   int week)
{
    // The handheld heads its week with the year and month of the week's first day.
    const QString head = CTavComUtil::GetTimeStr(first.startOfDay(), handheldFormat).simplified();
    QString title = head.isEmpty() ? QStringLiteral("%1年").arg(first.year()) : head;
    return QStringLiteral("%1    %2 〜 %3    第%4週").arg(title, shortDay(first), shortDay(last)).arg(week);
}

void CTavScWeekFrame::UpdateCommandUI()
{
    CTavScEventFrame::UpdateCommandUI();
    ScheduleState& state = m_document->State();
    const QDate day = state.CurrentDay();
    QDate first;
    QDate last;
    for (int i = 0; i < 7; ++i) {
        const QDate shown = m_view->ColumnDay(i);
        if (shown.isValid()) {
            first = first.isValid() ? first : shown;
            last = shown;
        }
    }
    TitleLabel()->setText(
        first.isValid() ? WeekTitle(state.handheld.weekDateFormat, first, last, m_document->WeekNumber())
                        : QString());
    PreviousButton()->setEnabled(day > CTavDbTime::firstDate());
    NextButton()->setEnabled(day < CTavDbTime::lastDate());
}
