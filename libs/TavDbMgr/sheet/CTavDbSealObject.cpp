#include "CTavDbSealObject.h"

#include <QPainter>

#include "CTavDbFreeBytes.h"
#include "CTavDbFreePalmBitmap.h"
#include "CTavDbFreePrcObjectManager.h"
#include "CTavDbText.h"

void CTavDbSealObject::SetSeal(const QString& databaseName, uint16_t id,
                               CTavDbFreePrcObjectManager* resources)
{
    m_database = CTavDbText::truncateToBytes(databaseName, MaxNameBytes);
    m_id = id;
    m_looked = false;
    m_picture = QImage();
    const QImage picture = GetPicture(resources);
    SetRectRaw(QRect(m_rect.topLeft(), picture.isNull() ? QSize(32, 32) : picture.size()));
    Touch();
}

QImage CTavDbSealObject::GetPicture(CTavDbFreePrcObjectManager* resources) const
{
    if (!m_looked && resources) {
        m_looked = true;
        const QByteArray data = resources->FindResourceA(CTavDbText::toCp932(m_database), BitmapType, m_id);
        if (!data.isEmpty() && CTavDbFreePalmBitmap::CreateBitmap(data, &m_picture) != 0)
            m_picture = QImage();
    }
    return m_picture;
}

void CTavDbSealObject::MoveTo(const QPoint& topLeft)
{
    const QPoint d = topLeft - m_rect.topLeft();
    Offset(d.x(), d.y());
}

void CTavDbSealObject::DrawObject(QPainter& painter, const CTavDbFreeDrawContext& context) const
{
    const QImage picture = GetPicture(context.resources);
    if (!picture.isNull()) {
        painter.drawImage(m_rect, picture);
        return;
    }
    // A seal whose database is not on this PC still shows where it sits.
    painter.setPen(QPen(QColor(128, 128, 128), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_rect.adjusted(0, 0, -1, -1));
}

void CTavDbSealObject::PackPayload(CTavDbFreeWriter& out) const
{
    out.rect(m_rect);
    out.u16(m_id);
    const QByteArray name = CTavDbText::toCp932(m_database);
    out.u8(uint8_t(name.size()));
    out.bytes(name);
}

bool CTavDbSealObject::ParsePayload(CTavDbFreeReader& in)
{
    const QRect rect = in.rect();
    const uint16_t id = in.u16();
    const int length = in.u8();
    const QByteArrayView name = in.bytes(length);
    if (!in.ok() || rect.isEmpty() || length > MaxNameBytes)
        return false;
    SetRectRaw(rect);
    m_id = id;
    m_database = CTavDbText::fromCp932(name.toByteArray());
    return true;
}
