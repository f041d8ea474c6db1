#include "CTavComScheduleBox.h"

#include <QDateTime>
#include <QPainter>

#include <algorithm>

#include "CTavComMarkPainter.h"
#include "CTavComTimeScale.h"
#include "CTavComUtil.h"

namespace {

constexpr int kAccentWidth = 3;
constexpr int kRadius = 3;

QString clockText(int seconds)
{
    const int minutes = seconds / 60;
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QColor textColorOn(TavColorRef back)
{
    // Pure black is harsh next to the soft grid lines; a near-black reads the same.
    return CTavComUtil::GetFrontColDependBkCol(back) == TavRgb(0, 0, 0) ? QColor(0x1F, 0x24, 0x2C) : QColor(Qt::white);
}

} // namespace

void CTavComScheduleBox::SetTimes(qint64 start, qint64 end)
{
    m_start = start;
    m_end = end;
}

void CTavComScheduleBox::CalcDayTimes()
{
    const QDateTime start = QDateTime::fromSecsSinceEpoch(GetStartTime());
    const QDateTime end = QDateTime::fromSecsSinceEpoch(GetEndTime());
    m_startSec = start.time().msecsSinceStartOfDay() / 1000;
    if (end.date() > start.date())
        m_endSec = CTavComTimeScale::kDaySeconds;
    else if (end.date() < start.date())
        m_endSec = m_startSec;
    else
        m_endSec = std::max(m_startSec, end.time().msecsSinceStartOfDay() / 1000);
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
    painter.drawPixmap(area.topLeft() + QPoint((area.width() - scaled.width()) / 2, (area.height() - scaled.height()) / 2),
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
    const QRect memo = FreeMemoIconRect(s);
    if (!memo.isEmpty()) {
        DrawFreeMemoMark(painter, memo.adjusted(1, 1, -1, -1));
        right = memo.left() - 2;
    }
    using Mark = void (CTavComScheduleBox::*)(QPainter&, const QRect&) const;
    const std::pair<bool, Mark> marks[] = {{IsPrivate(), &CTavComScheduleBox::DrawPrivateMark},
                                           {IsAlarm(), &CTavComScheduleBox::DrawAlarmMark},
                                           {IsRepeat(), &CTavComScheduleBox::DrawRepeatMark},
                                           {HasNote(), &CTavComScheduleBox::DrawNoteMark}};
    for (const auto& [on, draw] : marks) {
        // Marks give way to the text in narrow boxes.
        if (!on || right - s - line.left() < 3 * s)
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

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(frame, selected ? 2.0 : 1.0));
    painter.setBrush(pattern.isNull() ? QBrush(CTavComUtil::ToQColor(fill)) : QBrush(pattern));
    const qreal inset = selected ? 1.0 : 0.5;
    painter.drawRoundedRect(QRectF(r).adjusted(inset, inset, -inset, -inset), kRadius, kRadius);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(r.left() + 1, r.top() + 1, kAccentWidth, r.height() - 2), frame);

    if (IsMasked()) {
        // A private event in masked mode shows where it is, but nothing of what it is.
        QColor hatch = frame;
        hatch.setAlpha(110);
        painter.fillRect(r.adjusted(kAccentWidth + 1, 1, -1, -1), QBrush(hatch, Qt::BDiagPattern));
        return;
    }

    const QColor ink = textColorOn(fill);
    const QRect content = r.adjusted(kAccentWidth + 4, 2, -3, -2);
    const int lineHeight = style.fontMetrics.height();
    if (content.width() < 4 || content.height() < 4)
        return;
    painter.save();
    painter.setClipRect(r.adjusted(1, 1, -1, -1));
    QRect line(content.left(), content.top(), content.width(), std::min(lineHeight, content.height()));
    QColor markInk = ink;
    markInk.setAlpha(200);
    painter.setPen(markInk);
    int right = content.right() + 1;
    DrawMarks(painter, style, line, right);
    int left = content.left();
    const int iconSize = style.markSize + 4;
    if (HasIcon() && right - left > iconSize * 3) {
        DrawIcon(painter, QRect(left, line.top() + (line.height() - iconSize) / 2, iconSize, iconSize));
        left += iconSize + 3;
    }
    line.setLeft(left);
    line.setRight(right - 2);

    const QString text = GetText();
    const int lines = content.height() / lineHeight;
    if (m_noTime || lines <= 1) {
        // One line: the time (when there is one) and then as much of the text as fits.
        int x = line.left();
        if (!m_noTime) {
            const QString label = GetTimeLabel(false);
            painter.setFont(style.timeFont);
            painter.setPen(ink);
            painter.drawText(QRect(x, line.top(), line.width(), line.height()), Qt::AlignLeft | Qt::AlignVCenter, label);
            x += style.timeMetrics.horizontalAdvance(label) + 4;
        }
        painter.setFont(style.font);
        painter.setPen(ink);
        const int w = line.right() - x + 1;
        if (w > 4) {
            painter.drawText(QRect(x, line.top(), w, line.height()), Qt::AlignLeft | Qt::AlignVCenter,
                             style.fontMetrics.elidedText(text.simplified(), Qt::ElideRight, w));
        }
    } else {
        painter.setFont(style.timeFont);
        painter.setPen(ink);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                         style.timeMetrics.elidedText(GetTimeLabel(!style.weekMode), Qt::ElideRight, line.width()));
        painter.setFont(style.font);
        const QRect body(content.left(), content.top() + lineHeight, content.width(), (lines - 1) * lineHeight);
        painter.drawText(body, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    }
    painter.restore();
}
