#include "CTavScMonthPainter.h"

#include <QPainter>

#include "CTavComUtil.h"
#include "CTavDbDate.h"
#include "CTavScDayStyle.h"

namespace {
const QColor kGridLine(0xC8, 0xC8, 0xC8);
const QColor kHeaderBack(0xEE, 0xF0, 0xF3);
const QColor kOtherMonthBack(0xF6, 0xF6, 0xF6);
const QColor kOutOfRangeBack(0xE4, 0xE4, 0xE4);
const QColor kSelectedBack(0xDD, 0xEA, 0xFF);
const QColor kSelectedFrame(0x2F, 0x6F, 0xD0);
const QColor kTodayRing(0xE8, 0x74, 0x00);
const QColor kSixDayText(0x70, 0x70, 0x70);
const QColor kMoreText(0x1F, 0x4F, 0xA0);
const QColor kMaskedBar(0x80, 0x80, 0x80);
constexpr TavColorRef kNormalText = 0x000000;
constexpr int kPad = 3;

const char16_t* const kWeekdayNames[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
} // namespace

CTavScMonthPainter::CTavScMonthPainter() : m_metrics(m_font), m_smallMetrics(m_font)
{
    SetFont(CTavComUtil::InitLogFont(FontFace(), PointSize(8)));
}

QString CTavScMonthPainter::FontFace()
{
    // Small Fonts, then the Japanese interface, proportional and fixed Gothic faces.
    static const QString face =
        CTavComUtil::GetExistFont({QStringLiteral("Small Fonts"), QStringLiteral("MS UI Gothic"),
                                   QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("ＭＳ ゴシック")});
    return face;
}

int CTavScMonthPainter::PointSize(int handheldFontId)
{
    // The handheld's small, standard and large faces and their bold and larger variants, at
    // sizes that stay readable in a calendar cell of a desktop screen.
    switch (handheldFontId) {
    case 9:
        return 8;
    case 2:
    case 7:
    case 10:
        return 10;
    case 15:
        return 11;
    default:
        return 9;
    }
}

void CTavScMonthPainter::SetFont(const QFont& font)
{
    m_font = font;
    m_bold = font;
    m_bold.setBold(true);
    m_small = font;
    m_small.setPointSizeF(std::max(6.0, font.pointSizeF() - 1));
    m_metrics = QFontMetrics(m_font);
    m_smallMetrics = QFontMetrics(m_small);
    m_line = std::max(kMinLineHeight, m_metrics.height() + 2);
    SetArea(m_area);
}

void CTavScMonthPainter::SetArea(const QRect& area)
{
    m_area = area;
    m_header = QRect(area.left(), area.top(), area.width(), m_metrics.height() + 8);
    const int top = m_header.bottom() + 1;
    const int height = std::max(0, area.bottom() + 1 - top);
    for (int i = 0; i < CTavScCalendarGrid::kCells; ++i) {
        const int col = i % 7;
        const int row = i / 7;
        const int x0 = area.left() + area.width() * col / 7;
        const int x1 = area.left() + area.width() * (col + 1) / 7;
        const int y0 = top + height * row / 6;
        const int y1 = top + height * (row + 1) / 6;
        m_cells[static_cast<size_t>(i)] = QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
    }
}

int CTavScMonthPainter::CellAt(const QPoint& point) const
{
    for (int i = 0; i < CTavScCalendarGrid::kCells; ++i) {
        if (m_cells[static_cast<size_t>(i)].contains(point))
            return i;
    }
    return -1;
}

int CTavScMonthPainter::EventLines(int cell) const
{
    const QRect r = CellRect(cell);
    // The first line holds the day number.
    return std::max(0, (r.height() - m_line - 2) / m_line);
}

int CTavScMonthPainter::ShownEvents(int cell, int count) const
{
    const int lines = EventLines(cell);
    if (count <= lines)
        return count;
    return CellRect(cell).width() > kMarkMinWidth ? std::max(0, lines - 1) : lines;
}

QRect CTavScMonthPainter::EventRect(int cell, int line) const
{
    const QRect r = CellRect(cell);
    return QRect(r.left() + 2, r.top() + m_line + 1 + line * m_line, r.width() - 4, m_line - 1);
}

int CTavScMonthPainter::EventAt(int cell, const QPoint& point, int count) const
{
    if (cell < 0)
        return -1;
    const int shown = ShownEvents(cell, count);
    for (int i = 0; i < shown; ++i) {
        if (EventRect(cell, i).contains(point))
            return i;
    }
    return -1;
}

QString CTavScMonthPainter::MoreText(int hidden)
{
    return QStringLiteral("他 %1 件").arg(hidden);
}

QString CTavScMonthPainter::LineText(const CTavDbDateRecord& record)
{
    if (record.GetIsUntimed())
        return record.GetDesc();
    return CTavDbTime::toTime(record.GetStartTime()).toString(QStringLiteral("H:mm")) + u' ' +
           record.GetDesc();
}

void CTavScMonthPainter::Paint(QPainter& painter, const CTavScMonthScene& scene) const
{
    painter.save();
    painter.fillRect(m_area, Qt::white);
    PaintHeader(painter, scene);
    for (int i = 0; i < CTavScCalendarGrid::kCells; ++i)
        PaintCell(painter, scene, i);
    // The grid lines over the cells, so that a selected cell's fill does not hide them.
    painter.setPen(kGridLine);
    for (int col = 1; col < 7; ++col) {
        const int x = m_cells[static_cast<size_t>(col)].left();
        painter.drawLine(x, m_header.top(), x, m_area.bottom());
    }
    for (int row = 0; row < 6; ++row) {
        const int y = m_cells[static_cast<size_t>(row * 7)].top();
        painter.drawLine(m_area.left(), y, m_area.right(), y);
    }
    painter.drawRect(m_area.adjusted(0, 0, -1, -1));
    // The selected day's frame last, over the lines.
    const int selected = scene.grid->FindDate(scene.selected);
    if (selected >= 0) {
        painter.setPen(QPen(kSelectedFrame, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(CellRect(selected).adjusted(1, 1, -1, -1));
    }
    painter.restore();
}

void CTavScMonthPainter::PaintHeader(QPainter& painter, const CTavScMonthScene& scene) const
{
    painter.fillRect(m_header, kHeaderBack);
    painter.setFont(m_bold);
    const int first = scene.grid->GetFirstDayOfWeek();
    for (int col = 0; col < 7; ++col) {
        const int weekday = (first + col) % 7;
        const QRect cell = CellRect(col);
        const QRect r(cell.left(), m_header.top(), cell.width(), m_header.height());
        TavColorRef color = kNormalText;
        if (scene.style && scene.style->WeekdayOn()[static_cast<size_t>(weekday)])
            color = scene.style->WeekdayColors()[static_cast<size_t>(weekday)];
        painter.setPen(CTavComUtil::ToQColor(color));
        painter.drawText(r, Qt::AlignCenter, QString::fromUtf16(kWeekdayNames[weekday]));
    }
}

void CTavScMonthPainter::PaintCell(QPainter& painter, const CTavScMonthScene& scene, int cell) const
{
    const QRect r = CellRect(cell);
    CTavScCalendarGrid::Cell c;
    scene.grid->GetCell(cell, c);
    if (c.kind == CTavScCalendarGrid::OutOfRange) {
        painter.fillRect(r, QBrush(kOutOfRangeBack));
        painter.fillRect(r, QBrush(kGridLine, Qt::BDiagPattern));
        return;
    }
    const bool inMonth = c.kind == CTavScCalendarGrid::ThisMonth;
    const QDate date = scene.grid->GetCellDate(cell);
    if (date == scene.selected)
        painter.fillRect(r, kSelectedBack);
    else if (!inMonth)
        painter.fillRect(r, kOtherMonthBack);

    // First line: the day number, the holiday name after it and the six-day label at the right.
    const QRect top(r.left() + kPad, r.top() + 1, r.width() - 2 * kPad, m_line);
    TavColorRef numberColor = kNormalText;
    QString holiday;
    QString sixDay;
    if (scene.style) {
        numberColor = scene.style->DayColor(*scene.store, date, kNormalText, inMonth);
        holiday = scene.style->HolidayName(date);
        sixDay = scene.style->SixDayLabel(date);
    }
    painter.setFont(m_bold);
    const QString number = QString::number(c.day);
    const int numberWidth = painter.fontMetrics().horizontalAdvance(number);
    const QRect numberRect(top.left(), top.top(), numberWidth, top.height());
    if (date == scene.today) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(kTodayRing, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(numberRect.adjusted(-3, 1, 3, -1)), 4, 4);
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    painter.setPen(CTavComUtil::ToQColor(numberColor));
    painter.drawText(numberRect, Qt::AlignLeft | Qt::AlignVCenter, number);
    painter.setFont(m_small);
    int right = top.right();
    if (!sixDay.isEmpty()) {
        const int width = std::min(m_smallMetrics.horizontalAdvance(sixDay), top.width() / 2);
        painter.setPen(inMonth ? kSixDayText : kSixDayText.lighter(140));
        painter.drawText(QRect(right - width + 1, top.top(), width, top.height()),
                         Qt::AlignRight | Qt::AlignVCenter,
                         m_smallMetrics.elidedText(sixDay, Qt::ElideRight, width));
        right -= width + kPad;
    }
    if (!holiday.isEmpty()) {
        const int left = numberRect.right() + 2 * kPad;
        const int width = right - left + 1;
        if (width > 0) {
            TavColorRef color = scene.style->HolidayColor();
            if (!inMonth)
                color = CTavComUtil::GetLightColor(color);
            painter.setPen(CTavComUtil::ToQColor(color));
            painter.drawText(QRect(left, top.top(), width, top.height()), Qt::AlignLeft | Qt::AlignVCenter,
                             m_smallMetrics.elidedText(holiday, Qt::ElideRight, width));
        }
    }

    // The events, and the count of those that find no line.
    const CTavScMonthDoc::DayList& events = (*scene.events)[static_cast<size_t>(cell)];
    const int shown = ShownEvents(cell, static_cast<int>(events.size()));
    painter.setFont(m_font);
    for (int i = 0; i < shown; ++i)
        PaintEvent(painter, scene, *events[i], EventRect(cell, i));
    const int hidden = static_cast<int>(events.size()) - shown;
    if (hidden > 0 && r.width() > kMarkMinWidth) {
        const QRect line = EventRect(cell, shown);
        painter.setFont(m_small);
        painter.setPen(kMoreText);
        painter.drawText(line.adjusted(0, 0, -kPad, 0), Qt::AlignRight | Qt::AlignVCenter,
                         m_smallMetrics.elidedText(MoreText(hidden), Qt::ElideRight, line.width() - kPad));
    }
}

void CTavScMonthPainter::PaintEvent(QPainter& painter, const CTavScMonthScene& scene,
                                    const CTavDbDateRecord& record, const QRect& line) const
{
    if (scene.privateMode == 1 && record.GetIsPrivate()) {
        painter.fillRect(line.adjusted(1, 3, -1, -3), QBrush(kMaskedBar, Qt::Dense5Pattern));
        return;
    }
    bool colorSet = false;
    uint32_t color = 0;
    record.GetTextColor(colorSet, color);
    TavColorRef text = kNormalText;
    // An event's colour is a light background in the editor's palette; text on it stays black or
    // white, whichever reads.
    if (colorSet && (color & 0xFFFFFF) != 0xFFFFFF) {
        painter.fillRect(line, CTavComUtil::ToQColor(color));
        text = CTavComUtil::GetFrontColDependBkCol(color);
    }
    if (&record == scene.selectedEvent) {
        painter.setPen(kSelectedFrame);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(line.adjusted(0, 0, -1, -1));
    }
    painter.setPen(CTavComUtil::ToQColor(text));
    const QRect textRect = line.adjusted(2, 0, -2, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                     m_metrics.elidedText(LineText(record), Qt::ElideRight, textRect.width()));
}
