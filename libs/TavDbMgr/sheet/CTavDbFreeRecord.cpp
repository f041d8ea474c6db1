#include "CTavDbFreeRecord.h"

#include <QPainter>
#include <algorithm>

#include "CTavDbFreeBytes.h"

CTavDbFreeRecord::~CTavDbFreeRecord() = default;

void CTavDbFreeRecord::SetDatabaseEntry(uint8_t attributes, uint32_t uniqueId)
{
    m_attributes = attributes;
    m_uniqueId = uniqueId;
}

void CTavDbFreeRecord::Offset(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    m_rect.translate(dx, dy);
    Touch();
}

void CTavDbFreeRecord::ResizeBy(int dx, int dy)
{
    if (!IsResizable() || (dx == 0 && dy == 0))
        return;
    const QSize min = MinimumSize();
    m_rect.setWidth(std::max(min.width(), m_rect.width() + dx));
    m_rect.setHeight(std::max(min.height(), m_rect.height() + dy));
    Touch();
}

QRect CTavDbFreeRecord::ResizeHandle() const
{
    if (!IsSelected() || !IsResizable())
        return {};
    const QRect r = GetRect();
    return QRect(r.right() + 1 - HandleSize / 2 - 1, r.bottom() + 1 - HandleSize / 2 - 1, HandleSize,
                 HandleSize);
}

void CTavDbFreeRecord::Draw(QPainter& painter, const CTavDbFreeDrawContext& context) const
{
    painter.save();
    DrawObject(painter, context);
    painter.restore();
    if (!IsSelected())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 255), 1, Qt::DotLine));
    painter.drawRect(GetRect().adjusted(-1, -1, 0, 0));
    if (const QRect handle = ResizeHandle(); !handle.isEmpty()) {
        painter.setPen(QColor(0, 0, 255));
        painter.setBrush(Qt::white);
        painter.drawRect(handle.adjusted(0, 0, -1, -1));
    }
    painter.restore();
}

QByteArray CTavDbFreeRecord::ToBytes() const
{
    if (!m_raw.isNull())
        return m_raw;
    CTavDbFreeWriter out;
    out.u8(m_kind);
    out.u8(1);
    PackPayload(out);
    return out.take();
}

bool CTavDbFreeRecord::Parse(QByteArrayView data)
{
    CTavDbFreeReader in(data);
    const int kind = in.u8();
    const int version = in.u8();
    // Version 0 was never written; a newer version keeps the fields of version 1 in front.
    if (!in.ok() || kind != m_kind || version < 1 || !ParsePayload(in) || !in.ok())
        return false;
    m_version = version;
    m_raw = data.toByteArray();
    return true;
}
