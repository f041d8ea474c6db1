#include "CTavScMonthRightView.h"

#include <QPainter>
#include <QVBoxLayout>

#include "CTavComUtil.h"
#include "CTavDbDate.h"
#include "CTavScMonthDoc.h"
#include "ScheduleState.h"

namespace {
constexpr int kWeekdays = 20;

const char16_t* const kWeekdayNames[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
} // namespace

CTavScMonthRightView::CTavScMonthRightView(CTavScMonthDoc* document, QWidget* parent)
    : CTavScRightViewBase(document, parent), m_document(document)
{
    setObjectName(QStringLiteral("monthPreview"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    AddScreen(layout);
    AddSheetRows(layout);
    layout->addStretch();
    Refresh();
}

QString CTavScMonthRightView::ReadSheetName()
{
    const CTavScCalendarGrid& grid = m_document->Grid();
    CTavDbDateMonthRecord info;
    if (State().Store().GetMonthInfo(grid.GetYear(), grid.GetMonth(), info) == TavStatusCode::Ok)
        return info.GetSheetName();
    return QString();
}

bool CTavScMonthRightView::StoreSheetName(const QString& name)
{
    const int year = m_document->Grid().GetYear();
    const int month = m_document->Grid().GetMonth();
    CTavDbDate& store = State().Store();
    CTavDbDateMonthRecord info(year, month);
    const bool linked = store.GetMonthInfo(year, month, info) == TavStatusCode::Ok;
    info.SetSheetName(name);
    return (linked ? store.UpdateMonthInfo(info) : store.AddMonthInfo(info)) == TavStatusCode::Ok;
}

QString CTavScMonthRightView::ScreenTitle() const
{
    const CTavScCalendarGrid& grid = State().handheld.calendar;
    return QStringLiteral("%1/%2").arg(grid.GetYear()).arg(grid.GetMonth(), 2, 10, QLatin1Char('0'));
}

void CTavScMonthRightView::PaintScreen(QPainter& p)
{
    ScheduleState& state = State();
    const CTavScCalendarGrid& grid = state.handheld.calendar;
    const CTavScMonthDoc::Cells& events = m_document->HandheldEvents();
    // Weekday names, then six weeks: the day number and a bar for each of the first events.
    const int cellW = kScreen / 7;
    const int top = kTitleBottom + 1 + kWeekdays;
    const int cellH = (kScreen - top) / 6;
    const int left = 1 + (kScreen - 7 * cellW) / 2;
    QFont font = p.font();
    font.setPixelSize(13);
    p.setFont(font);
    const auto& weekOn = state.handheld.weekColorOn;
    const auto& weekColor = state.handheld.weekColor;
    for (int col = 0; col < 7; ++col) {
        const int weekday = (grid.GetFirstDayOfWeek() + col) % 7;
        const QRect r(left + col * cellW, kTitleBottom + 1, cellW, kWeekdays);
        if (weekOn[static_cast<size_t>(weekday)])
            p.fillRect(r.adjusted(1, 1, -1, -1),
                       CTavComUtil::ToQColor(weekColor[static_cast<size_t>(weekday)]));
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, QString::fromUtf16(kWeekdayNames[weekday]));
    }
    const QDate selected = state.CurrentDay();
    for (int i = 0; i < CTavScCalendarGrid::kCells; ++i) {
        CTavScCalendarGrid::Cell c;
        grid.GetCell(i, c);
        const QRect r(left + (i % 7) * cellW, top + (i / 7) * cellH, cellW, cellH);
        p.setPen(QColor(0xB0, 0xB0, 0xB0));
        p.drawRect(r);
        if (c.kind == CTavScCalendarGrid::OutOfRange)
            continue;
        const bool inMonth = c.kind == CTavScCalendarGrid::ThisMonth;
        if (grid.GetCellDate(i) == selected)
            p.fillRect(r.adjusted(1, 1, 0, 0), QColor(0xD8, 0xD8, 0xD8));
        p.setPen(inMonth ? Qt::black : QColor(0xA0, 0xA0, 0xA0));
        p.drawText(r.adjusted(3, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(c.day));
        const int count = std::min<int>(3, static_cast<int>(events[static_cast<size_t>(i)].size()));
        for (int e = 0; e < count; ++e)
            p.fillRect(QRect(r.left() + 4, r.bottom() - 5 - 4 * e, r.width() - 8, 2),
                       inMonth ? Qt::black : QColor(0xA0, 0xA0, 0xA0));
    }
}
