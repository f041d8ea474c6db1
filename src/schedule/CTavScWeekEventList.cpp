#include "CTavScWeekEventList.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "CTavComMarkPainter.h"
#include "CTavComUtil.h"
#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "CTavScWeekDoc.h"
#include "CTavScWeekLeftView.h"
#include "ScheduleState.h"

namespace {
constexpr int kMargin = 6;
constexpr int kIcon = 16;
constexpr int kMark = 11;
constexpr TavColorRef kNormal = TavRgb(0x33, 0x3A, 0x45);
const QColor kDayBack(0xF1, 0xF3, 0xF6);
const QColor kTodayBack(0xFF, 0xF1, 0xC2);
const QColor kTimeInk(0x5B, 0x63, 0x70);
const QColor kSelected(0xE0, 0x6C, 0x1F);
} // namespace

CTavScWeekEventList::CTavScWeekEventList(CTavScWeekDoc* document, QWidget* parent)
    : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("weekEventList"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

int CTavScWeekEventList::LineHeight() const
{
    return fontMetrics().height() + 8;
}

void CTavScWeekEventList::Refresh()
{
    ScheduleState& state = m_document->State();
    CTavDbDate& store = state.Store();
    CTavScDayStyle& style = state.DayStyle();
    const bool masked = state.PrivateMode() == 1;
    m_lines.clear();
    for (const QDate& day : m_document->WeekDays()) {
        if (!day.isValid())
            continue;
        Line header;
        header.day = day;
        header.isDay = true;
        header.text = CTavScWeekLeftView::ColumnTitle(day, QString(), QString());
        header.labels = QStringList{style.SixDayLabel(day), style.HolidayName(day)}.join(u' ').trimmed();
        header.color = style.DayColor(store, day, kNormal);
        header.today = day == CTavDbClock::Today();
        m_lines.append(header);

        const QString key = CTavDbTime::dayKey(day);
        QList<CTavDbDateRecord*> records;
        store.GetDayRecords(key, records);
        records.removeIf(
            [&](CTavDbDateRecord* r) { return r->IsRepeating() && !store.IsRepeatTarget(*r, key); });
        // Untimed events first, then by the time of day.
        const auto order = [](const CTavDbDateRecord* r) {
            return r->GetIsUntimed() ? -1 : CTavDbTime::toTime(r->GetStartTime()).msecsSinceStartOfDay();
        };
        std::stable_sort(records.begin(), records.end(),
                         [&](const auto* a, const auto* b) { return order(a) < order(b); });
        for (const CTavDbDateRecord* r : std::as_const(records)) {
            Line line;
            line.day = day;
            line.id = r->GetUniqueId();
            line.text = r->GetDesc();
            line.time = r->GetIsUntimed()
                            ? QString()
                            : CTavComUtil::GetTimeStr(r->GetStartTime(), QStringLiteral("%#H:%M"));
            line.alarm = r->GetIsAlarmSet();
            line.masked = masked && r->GetIsPrivate();
            r->GetTextColor(line.hasColor, line.color);
            QString name;
            uint32_t type = 0;
            int id = 0;
            r->GetIcon(name, type, id);
            if (id != 0 && !line.masked)
                line.icon = state.IconImage(name, type, id);
            m_lines.append(line);
        }
    }
    setMinimumHeight(sizeHint().height());
    updateGeometry();
    update();
}

void CTavScWeekEventList::SetOverlay(const QString& text)
{
    m_overlay = text;
    update();
}

QSize CTavScWeekEventList::sizeHint() const
{
    return QSize(200, static_cast<int>(m_lines.size()) * LineHeight() + 2 * kMargin);
}

int CTavScWeekEventList::LineAt(int y) const
{
    const int index = (y - kMargin) / LineHeight();
    return y >= kMargin && index < m_lines.size() ? index : -1;
}

QRect CTavScWeekEventList::LineRect(int index) const
{
    return QRect(0, kMargin + index * LineHeight(), width(), LineHeight());
}

bool CTavScWeekEventList::IsSelected(const Line& line) const
{
    const ScheduleState& state = m_document->State();
    return !line.isDay && state.selectedEvent && state.selectedEvent->GetUniqueId() == line.id &&
           CTavDbTime::toDate(state.selectedEventDate) == line.day;
}

void CTavScWeekEventList::Select(int index)
{
    ScheduleState& state = m_document->State();
    if (index < 0)
        return;
    const Line line = m_lines[index];
    m_document->PickDay(line.day);
    auto* record = static_cast<CTavDbDateRecord*>(state.Store().FindRecord(line.id));
    state.SelectEvent(line.isDay ? nullptr : record);
    // Every view shows the new selection.
    emit state.changed();
}

void CTavScWeekEventList::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Select(LineAt(event->position().toPoint().y()));
}

void CTavScWeekEventList::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int index = LineAt(event->position().toPoint().y());
    if (event->button() != Qt::LeftButton || index < 0)
        return;
    Select(index);
    if (m_document->State().selectedEvent)
        m_document->EditEvent(this);
}

void CTavScWeekEventList::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < m_lines.size(); ++i) {
        const QRect rect = LineRect(i);
        if (!rect.intersects(event->rect()))
            continue;
        if (m_lines[i].isDay)
            PaintDay(p, m_lines[i], rect);
        else
            PaintEvent(p, m_lines[i], rect);
    }
    if (!m_overlay.isEmpty()) {
        const QRect shown = visibleRegion().boundingRect();
        p.setPen(QColor(0x1F, 0x5F, 0xBF));
        p.drawText(shown.adjusted(0, 0, -8, -6), Qt::AlignRight | Qt::AlignBottom, m_overlay);
    }
}

void CTavScWeekEventList::PaintDay(QPainter& p, const Line& line, const QRect& rect) const
{
    const QRect band = rect.adjusted(kMargin, 2, -kMargin, 0);
    p.fillRect(band, line.today ? kTodayBack : kDayBack);
    const QColor ink = CTavComUtil::ToQColor(line.color);
    p.fillRect(QRect(band.left(), band.top(), 3, band.height()), ink);
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(ink);
    const QRect text = band.adjusted(10, 0, -6, 0);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, line.text);
    const int used = QFontMetrics(bold).horizontalAdvance(line.text) + 12;
    p.setFont(font());
    if (!line.labels.isEmpty())
        p.drawText(text.adjusted(used, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().elidedText(line.labels, Qt::ElideRight, std::max(0, text.width() - used)));
}

void CTavScWeekEventList::PaintEvent(QPainter& p, const Line& line, const QRect& rect) const
{
    const QFontMetrics fm = fontMetrics();
    if (IsSelected(line)) {
        p.setPen(QPen(kSelected, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect.adjusted(kMargin + 2, 1, -kMargin, -1)), 3, 3);
    }
    int x = kMargin + 10;
    const int timeWidth = fm.horizontalAdvance(QStringLiteral("00:00"));
    p.setPen(kTimeInk);
    p.drawText(QRect(x, rect.top(), timeWidth, rect.height()), Qt::AlignRight | Qt::AlignVCenter,
               line.time.isEmpty() ? QStringLiteral("◆") : line.time);
    x += timeWidth + 6;
    const int middle = rect.center().y();
    if (!line.icon.isNull())
        p.drawImage(QRect(x, middle - kIcon / 2, kIcon, kIcon), line.icon);
    x += kIcon + 2;
    if (line.alarm)
        CTavComMarkPainter::Alarm(p, QRectF(x, middle - kMark / 2.0, kMark, kMark), kTimeInk);
    x += kMark + 4;
    const QRect text(x, rect.top() + 3, std::max(0, rect.right() - kMargin - x), rect.height() - 6);
    if (line.masked) {
        p.fillRect(text.adjusted(0, 3, 0, -3), QBrush(Qt::black, Qt::Dense5Pattern));
        return;
    }
    QColor ink = palette().color(QPalette::Text);
    if (line.hasColor && line.color != 0xFFFFFF) {
        p.setPen(Qt::NoPen);
        p.setBrush(CTavComUtil::ToQColor(line.color));
        p.drawRoundedRect(QRectF(text).adjusted(-3, 0, 0, 0), 3, 3);
        ink = CTavComUtil::ToQColor(CTavComUtil::GetFrontColDependBkCol(line.color));
    }
    p.setPen(ink);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
               fm.elidedText(line.text, Qt::ElideRight, text.width()));
}
