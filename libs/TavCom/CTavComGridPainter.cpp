#include "CTavComGridPainter.h"

#include <QPainter>

#include <algorithm>

#include "CTavComDragTracker.h"
#include "CTavComScheduleBox.h"
#include "CTavComScheduleColum.h"
#include "CTavComUtil.h"

namespace {

QColor qc(TavColorRef c)
{
    return CTavComUtil::ToQColor(c);
}

// Unselected boxes first, so that the selected one is drawn on top of anything it overlaps.
void paintBoxes(QPainter& painter, const std::vector<std::unique_ptr<CTavComScheduleBox>>& boxes,
                const QRect& visible, const CTavComDrawStyle& style)
{
    const CTavComScheduleBox* selected = nullptr;
    for (const auto& box : boxes) {
        if (!box->GetRect().intersects(visible))
            continue;
        if (box->IsSelected()) {
            selected = box.get();
            continue;
        }
        box->Draw(painter, style);
    }
    if (selected)
        selected->Draw(painter, style);
}

} // namespace

CTavComGridPainter::CTavComGridPainter(const CTavComGridGeometry& geometry, const CTavComDrawStyle& style)
    : m_geo(geometry), m_style(style)
{
}

QString CTavComGridPainter::NoTimeLabel()
{
    return QStringLiteral("時刻なし");
}

void CTavComGridPainter::Paint(QPainter& painter, const CTavComColumList& columns, const QRect& exposed,
                               const CTavComDragTracker* drag) const
{
    const QRect timed = m_geo.TimedRect();
    if (timed.intersects(exposed)) {
        painter.save();
        painter.setClipRect(timed);
        PaintTimed(painter, columns, exposed & timed);
        if (drag && drag->IsDragging() && !drag->Preview().toNoTime)
            PaintDrag(painter, columns, *drag);
        painter.restore();
    }
    if (m_geo.AxisRect().intersects(exposed))
        PaintAxis(painter);
    if (m_geo.IsNoTimeShown()) {
        painter.save();
        painter.setClipRect(QRect(0, m_geo.HeaderHeight(), m_geo.Viewport().width(), m_geo.NoTimeHeight()));
        PaintNoTime(painter, columns);
        if (drag && drag->IsDragging() && drag->Preview().toNoTime)
            PaintDrag(painter, columns, *drag);
        painter.restore();
    }
    painter.save();
    painter.setClipRect(QRect(0, 0, m_geo.Viewport().width(), m_geo.HeaderHeight()));
    PaintHeader(painter, columns);
    painter.restore();
}

void CTavComGridPainter::PaintTimed(QPainter& painter, const CTavComColumList& columns,
                                    const QRect& exposed) const
{
    const ColorSetting& c = m_style.colors;
    const ColorSettingExt& ext = m_style.extColors;
    const CTavComTimeScale& scale = m_geo.Scale();
    const QRect timed = m_geo.TimedRect();
    painter.fillRect(exposed, qc(c.back));

    const QPoint origin = m_geo.TimedToView(QPoint(0, 0));
    const int right = std::min(timed.right(), origin.x() + m_geo.ContentWidth() - 1);
    if (ext.shadeOffHours) {
        const int top = origin.y() + scale.TimeToY(std::clamp(ext.startHour, 0, 24) * 3600);
        const int bottom =
            origin.y() + scale.TimeToY(std::clamp(std::max(ext.endHour, ext.startHour), 0, 24) * 3600);
        const int end = origin.y() + scale.DayHeight();
        painter.fillRect(QRect(QPoint(timed.left(), origin.y()), QPoint(right, top - 1)) & exposed,
                         qc(ext.offHourBack));
        painter.fillRect(QRect(QPoint(timed.left(), bottom), QPoint(right, end)) & exposed,
                         qc(ext.offHourBack));
    }

    const int firstRow = std::max(0, (exposed.top() - origin.y()) / scale.RowHeight());
    const int lastRow = std::min(48, (exposed.bottom() - origin.y()) / scale.RowHeight() + 1);
    for (int row = firstRow; row <= lastRow; ++row) {
        const int y = origin.y() + scale.TimeToY(row * 1800);
        painter.fillRect(QRect(timed.left(), y, right - timed.left() + 1, 1),
                         qc(row % 2 ? c.halfLine : c.hourLine));
    }
    for (const auto& column : columns) {
        const int x = origin.x() + column->GetX() + column->GetWidth();
        painter.fillRect(QRect(x - 1, timed.top(), 1, timed.height()), qc(c.columnLine));
    }

    painter.save();
    painter.translate(origin);
    const QRect visible = exposed.translated(-origin);
    for (const auto& column : columns) {
        if (column->GetX() > visible.right() || column->GetX() + column->GetWidth() < visible.left())
            continue;
        paintBoxes(painter, column->GetBoxes(), visible, m_style);
    }
    painter.restore();
}

void CTavComGridPainter::PaintAxis(QPainter& painter) const
{
    const ColorSetting& c = m_style.colors;
    const QRect axis = m_geo.AxisRect();
    const CTavComTimeScale& scale = m_geo.Scale();
    painter.save();
    painter.setClipRect(axis);
    painter.fillRect(axis, qc(c.axisBack));
    painter.setFont(m_style.axisFont);
    painter.setPen(qc(c.axisText));
    const int originY = m_geo.TimedToView(QPoint(0, 0)).y();
    const int first = std::max(0, (axis.top() - originY) / scale.HourHeight());
    const int last = std::min(23, (axis.bottom() - originY) / scale.HourHeight());
    const QFontMetrics fm(m_style.axisFont);
    for (int hour = first; hour <= last; ++hour) {
        const int y = originY + scale.TimeToY(hour * 3600);
        painter.fillRect(QRect(axis.right() - 5, y, 6, 1), qc(c.hourLine));
        painter.drawText(QRect(axis.left(), y + 2, axis.width() - 8, fm.height()),
                         Qt::AlignRight | Qt::AlignTop, QStringLiteral("%1:00").arg(hour));
    }
    painter.fillRect(QRect(axis.right(), axis.top(), 1, axis.height()), qc(c.hourLine));
    painter.restore();
}

void CTavComGridPainter::PaintHeader(QPainter& painter, const CTavComColumList& columns) const
{
    const ColorSetting& c = m_style.colors;
    const QRect header = m_geo.HeaderRect();
    painter.fillRect(QRect(0, 0, m_geo.Viewport().width(), header.height()), qc(c.headerBack));
    painter.save();
    painter.setClipRect(header);
    painter.setFont(m_style.headerFont);
    for (const auto& column : columns) {
        const QRect cell(header.left() + column->GetX() - m_geo.Scroll().x(), header.top(),
                         column->GetWidth(), header.height());
        if (!cell.intersects(header))
            continue;
        if (column->GetTitleBackColor() != CTavComScheduleColum::kDefaultColor)
            painter.fillRect(cell.adjusted(0, 0, -1, 0), qc(column->GetTitleBackColor()));
        const TavColorRef ink = column->GetTitleColor() != CTavComScheduleColum::kDefaultColor
                                    ? column->GetTitleColor()
                                    : c.headerText;
        painter.setPen(qc(ink));
        const QFontMetrics fm(m_style.headerFont);
        // A title may have a second line (a holiday's name): each line is cut on its own.
        QStringList lines = column->GetTitle().split(u'\n');
        for (QString& line : lines)
            line = fm.elidedText(line, Qt::ElideRight, cell.width() - 8);
        painter.drawText(cell.adjusted(4, 0, -4, 0), Qt::AlignCenter, lines.join(u'\n'));
        painter.fillRect(QRect(cell.right(), cell.top() + 6, 1, cell.height() - 6), qc(c.columnLine));
    }
    painter.restore();
    painter.fillRect(QRect(0, header.bottom(), m_geo.Viewport().width(), 1), qc(c.hourLine));
    painter.fillRect(QRect(header.left() - 1, 0, 1, header.height()), qc(c.hourLine));
}

void CTavComGridPainter::PaintNoTime(QPainter& painter, const CTavComColumList& columns) const
{
    const ColorSetting& c = m_style.colors;
    const QRect band = m_geo.NoTimeRect();
    const QRect label(0, band.top(), band.left(), band.height());
    painter.fillRect(label, qc(c.axisBack));
    painter.fillRect(band, qc(c.noTimeBack));
    painter.setFont(m_style.axisFont);
    painter.setPen(qc(c.axisText));
    painter.drawText(label.adjusted(2, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter, NoTimeLabel());

    painter.save();
    painter.setClipRect(band);
    const QPoint origin = m_geo.NoTimeToView(QPoint(0, 0));
    for (const auto& column : columns) {
        const int x = origin.x() + column->GetX() + column->GetWidth();
        painter.fillRect(QRect(x - 1, band.top(), 1, band.height()), qc(c.columnLine));
    }
    painter.translate(origin);
    const QRect visible = band.translated(-origin);
    for (const auto& column : columns)
        paintBoxes(painter, column->GetNoTimeBoxes(), visible, m_style);
    painter.restore();
    painter.fillRect(QRect(0, band.bottom() - 1, m_geo.Viewport().width(), 2), qc(c.hourLine));
    painter.fillRect(QRect(band.left() - 1, band.top(), 1, band.height()), qc(c.hourLine));
}

void CTavComGridPainter::PaintDrag(QPainter& painter, const CTavComColumList& columns,
                                   const CTavComDragTracker& drag) const
{
    const CTavComDragResult& p = drag.Preview();
    if (p.toColumn < 0 || p.toColumn >= static_cast<int>(columns.size()))
        return;
    const CTavComScheduleColum& column = *columns[p.toColumn];
    QRect rect;
    QString label;
    if (p.toNoTime) {
        const QPoint o = m_geo.NoTimeToView(QPoint(column.GetX(), 0));
        const QRect band = m_geo.NoTimeRect();
        rect = QRect(o.x() + 2, band.top() + 2, column.GetWidth() - 5, band.height() - 6);
    } else {
        int start = p.startSec;
        int end = p.endSec;
        CTavComDragTracker::Normalise(start, end);
        const CTavComTimeScale& scale = m_geo.Scale();
        const QPoint o = m_geo.TimedToView(QPoint(column.GetX(), scale.TimeToY(start)));
        const int height = std::max(scale.TimeToY(end) - scale.TimeToY(start), scale.RowHeight() / 2);
        rect = QRect(o.x() + 2, o.y() + 1, column.GetWidth() - 9, height - 1);
        auto clock = [](int s) {
            return QStringLiteral("%1:%2").arg(s / 3600).arg(s / 60 % 60, 2, 10, QLatin1Char('0'));
        };
        label = clock(start) + QStringLiteral("–") + clock(end);
    }
    const QColor accent = qc(m_style.extColors.dragFill);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(accent, 1.5, Qt::DashLine));
    QColor fill = qc(CTavComUtil::GetLightColor(m_style.extColors.dragFill, 85));
    fill.setAlpha(235);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    const QRect text = rect.adjusted(6, 2, -4, -2);
    int top = text.top();
    if (!label.isEmpty()) {
        painter.setFont(m_style.timeFont);
        painter.setPen(accent.darker(130));
        painter.drawText(QRect(text.left(), top, text.width(), m_style.timeMetrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, label);
        top += m_style.timeMetrics.height();
    }
    if (p.box && top + m_style.fontMetrics.height() <= text.bottom() + 1) {
        painter.setFont(m_style.font);
        painter.setPen(QColor(0x1F, 0x24, 0x2C));
        const QString name = p.box->IsMasked() ? QString() : p.box->GetText().simplified();
        painter.drawText(QRect(text.left(), top, text.width(), m_style.fontMetrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         m_style.fontMetrics.elidedText(name, Qt::ElideRight, text.width()));
    }
    painter.restore();
}
