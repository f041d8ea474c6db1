#include "CTavScDayPreview.h"

#include <QPainter>
#include <QVBoxLayout>

#include "CTavDbDate.h"
#include "CTavScDayDoc.h"
#include "ScheduleState.h"

namespace {
constexpr int kLine = 21;
} // namespace

CTavScDayPreview::CTavScDayPreview(CTavScDayDoc* document, QWidget* parent)
    : CTavScRightViewBase(document, parent)
{
    setObjectName(QStringLiteral("dayPreview"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    AddScreen(layout);
    AddSheetRows(layout);
    layout->addStretch();
    Refresh();
}

QString CTavScDayPreview::ReadSheetName()
{
    CTavDbDateDayRecord info;
    if (State().Store().GetDayInfo(CTavDbTime::dayKey(State().CurrentDay()), info) == TavStatusCode::Ok)
        return info.GetSheetName();
    return QString();
}

bool CTavScDayPreview::StoreSheetName(const QString& name)
{
    const QDate day = State().CurrentDay();
    CTavDbDate& store = State().Store();
    CTavDbDateDayRecord info(day);
    const bool linked = store.GetDayInfo(CTavDbTime::dayKey(day), info) == TavStatusCode::Ok;
    info.SetSheetName(name);
    return (linked ? store.UpdateDayInfo(info) : store.AddDayInfo(info)) == TavStatusCode::Ok;
}

QString CTavScDayPreview::ScreenTitle() const
{
    static const char16_t* const days[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    const QDate day = State().CurrentDay();
    return QStringLiteral("%1/%2/%3 (%4)")
        .arg(day.year())
        .arg(day.month(), 2, 10, QLatin1Char('0'))
        .arg(day.day(), 2, 10, QLatin1Char('0'))
        .arg(QString::fromUtf16(days[day.dayOfWeek() % 7]));
}

void CTavScDayPreview::PaintScreen(QPainter& p)
{
    ScheduleState& state = State();
    const QDate day = state.CurrentDay();
    // The handheld lists the day's events from the start hour, one per line, with the empty
    // hours in between as blank lines.
    QList<CTavDbDateRecord*> records;
    const QString key = CTavDbTime::dayKey(day);
    state.Store().GetDayRecords(key, records);
    QList<QPair<QString, CTavDbDateRecord*>> lines;
    int hour = state.startTime;
    for (CTavDbDateRecord* r : std::as_const(records)) {
        if (r->IsRepeating() && !state.Store().IsRepeatTarget(*r, key))
            continue;
        if (r->GetIsUntimed()) {
            lines.append({QStringLiteral("◆"), r});
            continue;
        }
        const QTime start = CTavDbTime::toTime(r->GetStartTime());
        for (; hour < start.hour() && lines.size() < 12; ++hour)
            lines.append({QStringLiteral("%1:00").arg(hour), nullptr});
        lines.append({start.toString(QStringLiteral("H:mm")), r});
        hour = std::max(hour, start.hour() + 1);
    }
    for (; hour < 24 && lines.size() < 12; ++hour)
        lines.append({QStringLiteral("%1:00").arg(hour), nullptr});

    QFont font = p.font();
    font.setPixelSize(15);
    p.setFont(font);
    int y = kTitleBottom + 4;
    const bool masked = state.PrivateMode() == 1;
    for (const auto& [time, record] : std::as_const(lines)) {
        if (y + kLine > kScreen)
            break;
        p.setPen(Qt::black);
        p.drawText(QRect(6, y, 58, kLine), Qt::AlignRight | Qt::AlignVCenter, time);
        p.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1, Qt::DotLine));
        p.drawLine(70, y + kLine - 2, kScreen - 6, y + kLine - 2);
        if (record) {
            const QRect text(74, y, kScreen - 82, kLine);
            if (masked && record->GetIsPrivate()) {
                p.fillRect(text.adjusted(0, 5, 0, -5), QBrush(Qt::black, Qt::Dense5Pattern));
            } else {
                p.setPen(Qt::black);
                p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                           p.fontMetrics().elidedText(record->GetDesc(), Qt::ElideRight, text.width()));
            }
        }
        y += kLine;
    }
}
