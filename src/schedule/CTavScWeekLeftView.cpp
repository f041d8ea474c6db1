#include "CTavScWeekLeftView.h"

#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "CTavScEventBox.h"
#include "CTavScEventColum.h"
#include "CTavScWeekDoc.h"
#include "ScheduleState.h"

namespace {
constexpr int kOneLineHeader = 30;
constexpr int kTwoLineHeader = 44;
constexpr TavColorRef kTodayBack = TavRgb(0xFF, 0xF1, 0xC2);
constexpr TavColorRef kCurrentBack = TavRgb(0xE3, 0xEB, 0xF7);
constexpr TavColorRef kOutOfRange = TavRgb(0xB0, 0xB4, 0xBA);
} // namespace

// The schedule state as one column's boxes see it: a repeating event shows in several columns,
// but only the occurrence it was selected on is the selected box.
class CTavScWeekLeftView::DayHost final : public CTavScBoxHost
{
public:
    DayHost(ScheduleState& state, const QDate& day) : m_state(state), m_day(day) {}

    bool IsSelectedEvent(const CTavDbDateRecord* record) const override
    {
        return m_state.IsSelectedEvent(record) && CTavDbTime::toDate(m_state.selectedEventDate) == m_day;
    }
    void SelectEvent(CTavDbDateRecord* record) override { m_state.SelectEvent(record); }
    int PrivateMode() const override { return m_state.PrivateMode(); }
    QImage IconImage(const QString& name, uint32_t type, int id) override
    {
        return m_state.IconImage(name, type, id);
    }

private:
    ScheduleState& m_state;
    QDate m_day;
};

CTavScWeekLeftView::CTavScWeekLeftView(CTavScWeekDoc* document, QWidget* parent)
    : CTavScGridView(document, true, parent), m_document(document)
{
    setObjectName(QStringLiteral("weekView"));
    SizeSetting size = GetSize();
    size.colMinWidth = kColumnMinWidth;
    SetSize(size);
    UpdateKiroView();
}

CTavScWeekLeftView::~CTavScWeekLeftView()
{
    // The boxes refer to the hosts.
    ClearBoxList();
}

QString CTavScWeekLeftView::ColumnTitle(const QDate& day, const QString& sixDay, const QString& holiday)
{
    static const char16_t* const days[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    QString title = QStringLiteral("%1/%2 (%3)")
                        .arg(day.month())
                        .arg(day.day())
                        .arg(QString::fromUtf16(days[day.dayOfWeek() % 7]));
    const QString labels = QStringList{sixDay, holiday}.join(u' ').trimmed();
    if (!labels.isEmpty())
        title += u'\n' + labels;
    return title;
}

QDate CTavScWeekLeftView::ColumnDay(int column) const
{
    return column >= 0 && column < 7 ? m_days[column] : QDate();
}

int CTavScWeekLeftView::DayColumn(const QDate& day) const
{
    for (int i = 0; i < 7; ++i) {
        if (m_days[i].isValid() && m_days[i] == day)
            return i;
    }
    return -1;
}

void CTavScWeekLeftView::UpdateKiroView()
{
    ScheduleState& state = m_document->State();
    state.startTime = ScheduleState::ReadStartTime();
    if (state.startTime != m_lastStartTime) {
        m_lastStartTime = state.startTime;
        SetTime(state.startTime);
    }
    ClearBoxList();
    m_days = m_document->WeekDays();
    bool twoLines = false;
    for (int i = 0; i < 7; ++i) {
        FillColumn(i, m_days[i]);
        twoLines = twoLines || GetColum(i)->GetTitle().contains(u'\n');
    }
    const int header = twoLines ? kTwoLineHeader : kOneLineHeader;
    if (GetSize().headerHeight != header) {
        SizeSetting size = GetSize();
        size.headerHeight = header;
        SetSize(size);
    }
    EndSettingData();
    // The selection may have gone with the store's change or the new week.
    if (state.selectedEvent && !GetSelectedBox())
        state.selectedEvent = nullptr;
    viewport()->update();
}

void CTavScWeekLeftView::FillColumn(int index, const QDate& day)
{
    ScheduleState& state = m_document->State();
    m_hosts[index] = std::make_unique<DayHost>(state, day);
    if (!day.isValid()) {
        // A day before the first of the range: the column stays empty.
        auto* column = new CTavScEventColum(QString(), *m_hosts[index]);
        column->SetTitleColor(kOutOfRange);
        AddColum(column);
        return;
    }
    CTavScDayStyle& style = state.DayStyle();
    auto* column = new CTavScEventColum(ColumnTitle(day, style.SixDayLabel(day), style.HolidayName(day)),
                                        *m_hosts[index]);
    column->SetTitleColor(style.DayColor(state.Store(), day, GetColor().headerText));
    if (day == CTavDbClock::Today())
        column->SetTitleBackColor(kTodayBack);
    else if (day == state.CurrentDay())
        column->SetTitleBackColor(kCurrentBack);
    const QString key = CTavDbTime::dayKey(day);
    QList<CTavDbDateRecord*> records;
    CTavDbDate& store = state.Store();
    store.GetDayRecords(key, records);
    for (CTavDbDateRecord* record : std::as_const(records)) {
        if (!record->IsRepeating() || store.IsRepeatTarget(*record, key))
            column->AddRecord(record);
    }
    AddColum(column);
}

void CTavScWeekLeftView::PickSlot(const CTavComHit& hit)
{
    ScheduleState& state = m_document->State();
    const QDate day = ColumnDay(hit.column);
    if (day.isValid() && day != state.CurrentDay()) {
        // The selection stands for an occurrence on the current day; a header click does not
        // select anew, so it lets the old selection go.
        if (hit.area == CTavComHit::Area::Header)
            SelectBox(nullptr);
        m_document->PickDay(day);
    }
    CTavScGridView::PickSlot(hit);
}

QDate CTavScWeekLeftView::DropDay(const CTavComDragResult& result) const
{
    return result.toColumn >= 0 ? ColumnDay(result.toColumn) : m_document->State().CurrentDay();
}

bool CTavScWeekLeftView::MayOpenAt(const CTavComHit& hit) const
{
    return hit.column < 0 || ColumnDay(hit.column).isValid();
}
