#include "CTavScYearView.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "CTavComUtil.h"
#include "CTavDbClock.h"
#include "CTavScDayView.h"
#include "CTavScYearDoc.h"
#include "ScheduleState.h"

namespace {
const char16_t* const kWeekdays[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};

const QColor kTitleBand(0xE8, 0xEF, 0xF8);
const QColor kWeekBand(0xF3, 0xF3, 0xF3);
const QColor kRule(0xC8, 0xD0, 0xDA);
const QColor kWeekText(0x80, 0x80, 0x80);
const QColor kSelectedFill(0xCC, 0xE0, 0xFF);
const QColor kSelectedEdge(0x33, 0x66, 0xCC);
const QColor kTodayEdge(0xE0, 0x60, 0x00);
const QColor kEventDot(0x20, 0x60, 0xC0);
const QColor kOutOfRange(0xC0, 0xC0, 0xC0);
} // namespace

struct CTavScYearView::Fonts
{
    QFont day;
    QFont bold;
    QFont small;
    QFont title;
    TavColorRef normal;
    QDate today;
    QDate selected;
};

CTavScYearView::CTavScYearView(CTavScYearDoc* document, QWidget* parent)
    : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("yearView"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(document, &CTavModuleDoc::viewsUpdated, this, qOverload<>(&QWidget::update));
}

QDate CTavScYearView::DateAt(const QPoint& point) const
{
    int month = 0;
    int cell = 0;
    if (!Layout().HitTest(point, &month, &cell))
        return QDate();
    const QDate date = m_document->Month(month).GetCellDate(cell);
    return date.month() == month ? date : QDate();
}

QRect CTavScYearView::DayRect(const QDate& date) const
{
    if (!date.isValid() || date.year() != m_document->Year())
        return QRect();
    const int cell = m_document->Month(date.month()).FindDate(date);
    return cell < 0 ? QRect() : Layout().CellRect(date.month(), cell);
}

QString CTavScYearView::ToolTipText(const QDate& date) const
{
    if (!CTavDbTime::inRange(date))
        return QString();
    CTavScDayStyle& style = m_document->State().DayStyle();
    QStringList lines{CTavScDayView::DayTitle(date)};
    QStringList names;
    for (const QString& name : {style.HolidayName(date), style.SixDayLabel(date)})
        if (!name.isEmpty())
            names << name;
    if (!names.isEmpty())
        lines << names.join(QStringLiteral("　"));
    if (const int count = m_document->EventCount(date))
        lines << QStringLiteral("予定 %1件").arg(count);
    return lines.join(u'\n');
}

void CTavScYearView::Draw(QPainter& painter, const QRect& area) const
{
    const CTavScYearLayout layout(area);
    painter.fillRect(area, palette().color(QPalette::Base));
    if (layout.RowHeight() <= 0 || layout.CellWidth() <= 0)
        return;
    // Letters grow with the cells, within what stays readable and fits.
    const int pixels = std::clamp(std::min(layout.RowHeight() * 11 / 20, layout.CellWidth() * 9 / 20), 8, 22);
    Fonts fonts;
    fonts.day = font();
    fonts.day.setPixelSize(pixels);
    fonts.bold = fonts.day;
    fonts.bold.setBold(true);
    fonts.small = fonts.day;
    fonts.small.setPixelSize(std::max(7, pixels * 4 / 5));
    fonts.title = fonts.bold;
    fonts.title.setPixelSize(pixels * 6 / 5);
    fonts.normal = CTavComUtil::ToColorRef(palette().color(QPalette::Text));
    fonts.today = CTavDbClock::Today();
    fonts.selected = m_document->Selected();
    for (int month = 1; month <= CTavScYearLayout::kMonths; ++month)
        DrawMonth(painter, layout, month, fonts);
}

void CTavScYearView::DrawMonth(QPainter& painter, const CTavScYearLayout& layout, int month,
                               const Fonts& fonts) const
{
    const CTavScCalendarGrid& grid = m_document->Month(month);
    ScheduleState& state = m_document->State();
    CTavScDayStyle& style = state.DayStyle();
    CTavDbDate& store = state.Store();
    const QColor text = CTavComUtil::ToQColor(fonts.normal);

    const QRect title = layout.TitleRect(month);
    painter.fillRect(title, kTitleBand);
    painter.setFont(fonts.title);
    painter.setPen(text);
    painter.drawText(title.adjusted(layout.RowHeight() / 3, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("%1月").arg(month));

    // Weekday names from the first day of week; a weekday colour that is on colours its name.
    painter.setFont(fonts.small);
    for (int column = 0; column < 7; ++column) {
        const int weekday = (grid.GetFirstDayOfWeek() + column) % 7;
        const QRect r = layout.WeekdayRect(month, column);
        painter.setPen(style.WeekdayOn()[weekday] ? CTavComUtil::ToQColor(style.WeekdayColors()[weekday])
                                                  : text);
        painter.drawText(r, Qt::AlignCenter, QString::fromUtf16(kWeekdays[weekday]));
    }
    const QRect header = layout.WeekdayRect(month, 0).united(layout.WeekdayRect(month, 6));
    painter.setPen(kRule);
    painter.drawLine(layout.WeekNumberRect(month, 0).left(), header.bottom(), header.right(),
                     header.bottom());

    for (int row = 0; row < CTavScYearLayout::kWeekRows; ++row) {
        // A row's week number is that of any of its days; rows wholly outside the month have none.
        int inMonth = -1;
        for (int c = row * 7; c < row * 7 + 7 && inMonth < 0; ++c)
            if (grid.GetCellDate(c).month() == month)
                inMonth = c;
        if (inMonth < 0)
            continue;
        const QRect r = layout.WeekNumberRect(month, row);
        painter.fillRect(r, kWeekBand);
        painter.setFont(fonts.small);
        painter.setPen(kWeekText);
        painter.drawText(r, Qt::AlignCenter, QString::number(grid.GetWeekNumber(inMonth)));
    }

    const int dot = std::max(2, layout.RowHeight() / 9);
    for (int cell = 0; cell < CTavScCalendarGrid::kCells; ++cell) {
        const QDate date = grid.GetCellDate(cell);
        if (date.month() != month)
            continue;
        const QRect r = layout.CellRect(month, cell);
        const bool usable = CTavDbTime::inRange(date);
        if (date == fonts.selected) {
            painter.fillRect(r.adjusted(1, 1, -1, -1), kSelectedFill);
            painter.setPen(kSelectedEdge);
            painter.drawRect(r.adjusted(1, 1, -2, -2));
        }
        if (date == fonts.today) {
            painter.setPen(QPen(kTodayEdge, 2));
            painter.drawRect(r.adjusted(2, 2, -2, -2));
        }
        const int count = usable ? m_document->EventCount(date) : 0;
        painter.setFont(count ? fonts.bold : fonts.day);
        painter.setPen(usable ? CTavComUtil::ToQColor(style.DayColor(store, date, fonts.normal))
                              : kOutOfRange);
        // The number sits a little high to leave room for the event dot.
        const QRect numberRect = r.adjusted(0, 0, 0, -dot - 1);
        painter.drawText(numberRect, Qt::AlignCenter, QString::number(date.day()));
        if (count) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(kEventDot);
            painter.drawEllipse(QPoint(r.center().x(), r.bottom() - dot - 1), dot / 2 + 1, dot / 2 + 1);
            painter.setBrush(Qt::NoBrush);
        }
    }
}

bool CTavScYearView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QDate date = DateAt(help->pos());
        const QString text = ToolTipText(date);
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this, DayRect(date));
        return true;
    }
    return QWidget::event(event);
}

void CTavScYearView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Draw(painter, rect());
    if (hasFocus()) {
        // The selected day carries the focus mark of the view.
        const QRect selected = DayRect(m_document->Selected());
        if (!selected.isEmpty()) {
            painter.setPen(QPen(kSelectedEdge, 1, Qt::DotLine));
            painter.drawRect(selected.adjusted(3, 3, -4, -4));
        }
    }
}

void CTavScYearView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    const QDate date = DateAt(event->position().toPoint());
    if (date.isValid())
        m_document->SelectDay(date);
}

void CTavScYearView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(event);
    const QDate date = DateAt(event->position().toPoint());
    if (date.isValid())
        m_document->OpenDay(date);
}

void CTavScYearView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        m_document->MoveSelection(-1);
        break;
    case Qt::Key_Right:
        m_document->MoveSelection(1);
        break;
    case Qt::Key_Up:
        m_document->MoveSelection(-7);
        break;
    case Qt::Key_Down:
        m_document->MoveSelection(7);
        break;
    case Qt::Key_PageUp:
        m_document->StepYear(-1);
        break;
    case Qt::Key_PageDown:
        m_document->StepYear(1);
        break;
    case Qt::Key_Home:
        m_document->GoToday();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_document->OpenDay(m_document->Selected());
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    event->accept();
}

void CTavScYearView::wheelEvent(QWheelEvent* event)
{
    // One year per notch; a touchpad's small steps add up to one.
    m_wheel += event->angleDelta().y();
    while (m_wheel >= 120) {
        m_wheel -= 120;
        m_document->StepYear(-1);
    }
    while (m_wheel <= -120) {
        m_wheel += 120;
        m_document->StepYear(1);
    }
    event->accept();
}
