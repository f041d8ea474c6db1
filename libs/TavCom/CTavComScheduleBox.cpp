#include "CTavComScheduleBox.h"

#include <QPainter>
#include <QtMath>

#include <algorithm>

#include "CTavComDayClock.h"
#include "CTavComMarkPainter.h"
#include "CTavComTextFlow.h"
#include "CTavComTimeScale.h"
#include "CTavComUtil.h"

namespace {

constexpr int kAccentWidth = 3;

QString clockText(int seconds)
{
    const int minutes = seconds / 60;
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// A frame with softly cut corners, drawn from rectangles: far cheaper than an antialiased
// rounded path, and there are hundreds of boxes on a busy day.
void drawFrame(QPainter& painter, const QRect& r, const QColor& frame, const QBrush& fill, int width)
{
    painter.fillRect(r.adjusted(width, width, -width, -width), fill);
    const int w = r.width();
    const int h = r.height();
    painter.fillRect(QRect(r.left() + 2, r.top(), w - 4, width), frame);
    painter.fillRect(QRect(r.left() + 2, r.bottom() - width + 1, w - 4, width), frame);
    painter.fillRect(QRect(r.left(), r.top() + 2, width, h - 4), frame);
    painter.fillRect(QRect(r.right() - width + 1, r.top() + 2, width, h - 4), frame);
    QColor soft = frame;
    soft.setAlpha(frame.alpha() * 2 / 5);
    for (const QPoint& corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
        const int dx = corner.x() == r.left() ? 1 : -1;
        const int dy = corner.y() == r.top() ? 1 : -1;
        const QPoint inner = corner + QPoint(dx, dy);
        painter.fillRect(QRect(std::min(inner.x(), inner.x() + dx * (width - 1)),
                               std::min(inner.y(), inner.y() + dy * (width - 1)), width, width),
                         frame);
        painter.fillRect(QRect(corner.x() + dx, corner.y(), 1, 1), soft);
        painter.fillRect(QRect(corner.x(), corner.y() + dy, 1, 1), soft);
    }
}

QColor textColorOn(TavColorRef back)
{
    // Pure black is harsh next to the soft grid lines; a near-black reads the same.
    return CTavComUtil::GetFrontColDependBkCol(back) == TavRgb(0, 0, 0) ? QColor(0x1F, 0x24, 0x2C)
                                                                        : QColor(Qt::white);
}

} // namespace

void CTavComScheduleBox::SetTimes(qint64 start, qint64 end)
{
    m_start = start;
    m_end = end;
}

void CTavComScheduleBox::CalcDayTimes()
{
    CTavComDayClock clock;
    CalcDayTimes(clock);
}

void CTavComScheduleBox::CalcDayTimes(CTavComDayClock& clock)
{
    const CTavComDayClock::Local start = clock.Split(GetStartTime());
    const CTavComDayClock::Local end = clock.Split(GetEndTime());
    m_startSec = start.seconds;
    if (end.day > start.day)
        m_endSec = CTavComTimeScale::kDaySeconds;
    else if (end.day < start.day)
        m_endSec = m_startSec;
    else
        m_endSec = std::max(m_startSec, end.seconds);
}

QString CTavComScheduleBox::GetTimeLabel(bool withEnd) const
{
    if (!withEnd || m_endSec == m_startSec)
        return clockText(m_startSec);
    return clockText(m_startSec) + QStringLiteral("–") + clockText(m_endSec);
}

void CTavComScheduleBox::SetLane(int lane, int span, int lanes, int group)
{
    m_lane = lane;
    m_laneSpan = span;
    m_lanes = lanes;
    m_group = group;
}

QRect CTavComScheduleBox::BottomEdgeRect() const
{
    if (m_noTime || m_rect.isEmpty())
        return {};
    const int h = std::clamp(m_rect.height() / 4, 2, 5);
    return QRect(m_rect.left(), m_rect.bottom() - h + 1, m_rect.width(), h);
}

QRect CTavComScheduleBox::FreeMemoIconRect(int markSize) const
{
    const int s = markSize + 2;
    if (!HasFreeMemo() || IsMasked() || m_rect.width() < s + 12 || m_rect.height() < s + 2)
        return {};
    return QRect(m_rect.right() - s - 1, m_rect.top() + std::min(3, (m_rect.height() - s) / 2), s, s);
}

bool CTavComScheduleBox::IsFreeMemoIconHit(const QPoint& point, int markSize) const
{
    return FreeMemoIconRect(markSize).contains(point);
}

void CTavComScheduleBox::DrawIcon(QPainter& painter, const QRect& area) const
{
    if (m_icon.isNull())
        return;
    const QPixmap scaled = m_icon.scaled(area.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.drawPixmap(area.topLeft() +
                           QPoint((area.width() - scaled.width()) / 2, (area.height() - scaled.height()) / 2),
                       scaled);
}

void CTavComScheduleBox::DrawNoteMark(QPainter& painter, const QRect& area) const
{
    CTavComMarkPainter::Note(painter, area, painter.pen().color());
}

void CTavComScheduleBox::DrawAlarmMark(QPainter& painter, const QRect& area) const
{
    CTavComMarkPainter::Alarm(painter, area, painter.pen().color());
}

void CTavComScheduleBox::DrawRepeatMark(QPainter& painter, const QRect& area) const
{
    CTavComMarkPainter::Repeat(painter, area, painter.pen().color());
}

void CTavComScheduleBox::DrawFreeMemoMark(QPainter& painter, const QRect& area) const
{
    CTavComMarkPainter::FreeMemo(painter, area, painter.pen().color());
}

void CTavComScheduleBox::DrawPrivateMark(QPainter& painter, const QRect& area) const
{
    CTavComMarkPainter::Private(painter, area, painter.pen().color());
}

void CTavComScheduleBox::DrawMarks(QPainter& painter, const CTavComDrawStyle& style, const QRect& line,
                                   int& right) const
{
    const int s = style.markSize;
    const int keep = 2 * style.em;
    using Mark = void (CTavComScheduleBox::*)(QPainter&, const QRect&) const;
    const std::pair<bool, Mark> marks[] = {{IsPrivate(), &CTavComScheduleBox::DrawPrivateMark},
                                           {IsAlarm(), &CTavComScheduleBox::DrawAlarmMark},
                                           {IsRepeat(), &CTavComScheduleBox::DrawRepeatMark},
                                           {HasNote(), &CTavComScheduleBox::DrawNoteMark}};
    for (const auto& [on, draw] : marks) {
        // Marks give way to the text in narrow boxes.
        if (!on || right - s - line.left() < keep)
            continue;
        right -= s;
        (this->*draw)(painter, QRect(right, line.top() + (line.height() - s) / 2, s, s));
        right -= 2;
    }
}

void CTavComScheduleBox::Draw(QPainter& painter, const CTavComDrawStyle& style) const
{
    const QRect r = m_rect;
    if (r.width() < 2 || r.height() < 2)
        return;
    const bool selected = IsSelected();
    const TavColorRef back = GetBackColor();
    const TavColorRef fill = selected && back == TavRgb(0xFF, 0xFF, 0xFF)
                                 ? CTavComUtil::GetLightColor(style.colors.boxFrame, 85)
                                 : back;
    const QColor frame = CTavComUtil::ToQColor(selected ? style.colors.selectFrame : style.colors.boxFrame);
    const QPixmap pattern = GetBackBitmap();

    painter.setRenderHint(QPainter::Antialiasing, false);
    drawFrame(painter, r, frame, pattern.isNull() ? QBrush(CTavComUtil::ToQColor(fill)) : QBrush(pattern),
              selected ? 2 : 1);
    painter.fillRect(QRect(r.left() + 1, r.top() + 1, kAccentWidth, r.height() - 2), frame);

    if (IsMasked()) {
        // A private event in masked mode shows where it is, but nothing of what it is.
        QColor hatch = frame;
        hatch.setAlpha(110);
        painter.fillRect(r.adjusted(kAccentWidth + 1, 1, -1, -1), QBrush(hatch, Qt::BDiagPattern));
        const int s = style.markSize + 2;
        if (r.width() > s + 12 && r.height() > s + 4) {
            const QRect lock(r.right() - s - 3, r.top() + 3, s, s);
            painter.fillRect(lock.adjusted(-2, -2, 2, 2), CTavComUtil::ToQColor(fill));
            painter.setPen(frame);
            DrawPrivateMark(painter, lock);
        }
        return;
    }

    const QColor ink = textColorOn(fill);
    if (selected && !m_noTime && r.height() >= 14) {
        // A grip on the bottom edge says that the box can be stretched there.
        const int cx = r.center().x();
        painter.fillRect(QRect(cx - 8, r.bottom() - 4, 16, 1), frame);
        painter.fillRect(QRect(cx - 5, r.bottom() - 2, 10, 1), frame);
    }
    QColor markInk = ink;
    markInk.setAlpha(200);
    painter.setPen(markInk);
    const QRect memo = FreeMemoIconRect(style.markSize);
    if (!memo.isEmpty())
        DrawFreeMemoMark(painter, memo.adjusted(1, 1, -1, -1));

    const QRect content = r.adjusted(kAccentWidth + 4, 2, -3, -2);
    const int lineHeight = style.fontMetrics.height();
    if (content.width() < 4 || content.height() < 4)
        return;
    painter.save();
    painter.setClipRect(r.adjusted(1, 1, -1, -1));
    // The first line holds the icon, the time, the start of the text and the marks.
    const int firstHeight = std::min(lineHeight, content.height());
    int left = content.left();
    int right = memo.isEmpty() ? content.right() + 1 : memo.left() - 2;
    const int iconSize = style.markSize + 4;
    if (HasIcon() && right - left > iconSize * 3) {
        DrawIcon(painter, QRect(left, content.top() + (firstHeight - iconSize) / 2, iconSize, iconSize));
        left += iconSize + 3;
    }
    const int em = style.em;
    if (!m_noTime) {
        const QStaticText& label = style.TimeLabel(GetTimeLabel(!style.weekMode));
        const int width = qCeil(label.size().width());
        // In a narrow lane the text matters more than the time, which the lane's place shows.
        if (right - left >= width + 2 * em) {
            painter.setFont(style.timeFont);
            painter.setPen(ink);
            painter.drawStaticText(QPointF(left, content.top() + (firstHeight - label.size().height()) / 2.0),
                                   label);
            left += width + em / 2;
        }
    }
    painter.setPen(markInk);
    const QRect firstLine(left, content.top(), right - left, firstHeight);
    DrawMarks(painter, style, firstLine, right);
    painter.setPen(ink);
    const QRect rest(content.left(), content.top() + lineHeight, content.width(),
                     std::max(0, content.height() - lineHeight));
    CTavComTextFlow::Draw(painter, GetText(), style.font, style.fontMetrics,
                          QRect(left, content.top(), right - 2 - left, firstHeight), rest);
    painter.restore();
}
