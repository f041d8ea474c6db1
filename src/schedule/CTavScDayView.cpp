#include "CTavScDayView.h"

#include <QScrollBar>
#include <QToolButton>

#include "CTavApp.h"
#include "CTavDbDate.h"
#include "CTavScDayDoc.h"
#include "CTavScEventBox.h"
#include "CTavScEventColum.h"
#include "ScheduleState.h"

CTavScDayView::CTavScDayView(CTavScDayDoc* document, QWidget* parent)
    : CTavScGridView(document, false, parent), m_document(document)
{
    setObjectName(QStringLiteral("dayView"));
    for (int i : {kAbove, kBelow}) {
        auto* mark = new QToolButton(viewport());
        mark->setObjectName(i == kAbove ? QStringLiteral("aboveMark") : QStringLiteral("belowMark"));
        mark->setToolTip(QStringLiteral("表示範囲の外にある予定へ移動します"));
        mark->setCursor(Qt::PointingHandCursor);
        // The keys stay with the grid.
        mark->setFocusPolicy(Qt::NoFocus);
        mark->hide();
        connect(mark, &QToolButton::clicked, this, [this, i] {
            if (m_hiddenStart[i] >= 0)
                verticalScrollBar()->setValue(Geometry().Scale().TimeToY(m_hiddenStart[i]));
        });
        m_marks[i] = mark;
    }
    UpdateKiroView();
}

QString CTavScDayView::DayTitle(const QDate& date)
{
    static const char16_t* const days[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    return QStringLiteral("%1年%2月%3日 (%4)")
        .arg(date.year())
        .arg(date.month())
        .arg(date.day())
        .arg(QString::fromUtf16(days[date.dayOfWeek() % 7]));
}

void CTavScDayView::UpdateKiroView()
{
    ScheduleState& state = m_document->State();
    state.startTime = ScheduleState::ReadStartTime();
    if (state.startTime != m_lastStartTime) {
        m_lastStartTime = state.startTime;
        SetTime(state.startTime);
    }
    ClearBoxList();
    const QDate day = state.CurrentDay();
    const QString key = CTavDbTime::dayKey(day);
    state.ApplyHandheldHours(*this);
    auto* column = new CTavScEventColum(DayTitle(day), state);
    CTavDbDate& store = state.Store();
    CTavScDayStyle& style = state.DayStyle();
    column->SetDayLabels(style.DayColor(store, day, GetColor().headerText), style.HolidayName(day),
                         style.SixDayLabel(day));
    QList<CTavDbDateRecord*> records;
    store.GetDayRecords(key, records);
    for (CTavDbDateRecord* record : std::as_const(records)) {
        if (!record->IsRepeating() || store.IsRepeatTarget(*record, key))
            column->AddRecord(record);
    }
    AddColum(column);
    EndSettingData();
    // The selection may have gone with the store's change or the new day. A repeating event
    // still selected on another day is that day's occurrence now, for editing as for dragging.
    if (state.selectedEvent && !GetSelectedBox())
        state.selectedEvent = nullptr;
    else if (state.selectedEvent)
        state.selectedEventDate = state.currentDate;
    UpdateHiddenMarks();
    viewport()->update();
}

void CTavScDayView::OnSize(int cx, int cy)
{
    CTavComScheduleView::OnSize(cx, cy);
    UpdateHiddenMarks();
}

void CTavScDayView::scrollContentsBy(int dx, int dy)
{
    CTavComScheduleView::scrollContentsBy(dx, dy);
    UpdateHiddenMarks();
}

void CTavScDayView::UpdateHiddenMarks()
{
    const CTavComGridGeometry& geo = Geometry();
    const QRect timed = geo.TimedRect();
    const int top = verticalScrollBar()->value();
    const int bottom = top + timed.height();
    int counts[2] = {0, 0};
    m_hiddenStart[kAbove] = m_hiddenStart[kBelow] = -1;
    const CTavComScheduleColum* column = GetColum(0);
    if (column && !timed.isEmpty()) {
        for (const auto& box : column->GetBoxes()) {
            const int start = box->GetStartSec();
            const int y = geo.Scale().TimeToY(start);
            const int side = y < top ? kAbove : (y >= bottom ? kBelow : -1);
            if (side < 0)
                continue;
            ++counts[side];
            if (m_hiddenStart[side] < 0 || start < m_hiddenStart[side])
                m_hiddenStart[side] = start;
        }
    }
    for (int i : {kAbove, kBelow}) {
        QToolButton* mark = m_marks[i];
        if (counts[i] == 0) {
            mark->hide();
            continue;
        }
        mark->setText((i == kAbove ? QStringLiteral("▲ %1件") : QStringLiteral("▼ %1件")).arg(counts[i]));
        mark->adjustSize();
        // At the right, where a box keeps its marks rather than its time and title.
        const int x = timed.right() - mark->width() - 4;
        const int y = i == kAbove ? timed.top() + 2 : timed.bottom() - mark->height() - 1;
        mark->move(x, y);
        mark->show();
    }
}
