#include "CTavScEventBox.h"

#include <QPainter>

#include "CTavDbDateRecord.h"
#include "CTavScBoxHost.h"

CTavScEventBox::CTavScEventBox(CTavDbDateRecord* record, CTavScBoxHost& host) : m_record(record), m_host(host)
{
    SetNoTime(record->GetIsUntimed());
}

bool CTavScEventBox::IsSelected() const
{
    return m_host.IsSelectedEvent(m_record);
}
qint64 CTavScEventBox::GetStartTime() const
{
    return m_record->GetStartTime();
}
qint64 CTavScEventBox::GetEndTime() const
{
    return m_record->GetEndTime();
}
QString CTavScEventBox::GetText() const
{
    return m_record->GetDesc();
}
bool CTavScEventBox::HasFreeMemo() const
{
    return !m_record->GetSheetName().isEmpty();
}
bool CTavScEventBox::HasNote() const
{
    return !m_record->GetNote().isEmpty();
}
QString CTavScEventBox::GetNote() const
{
    return m_record->GetNote();
}
bool CTavScEventBox::IsAlarm() const
{
    return m_record->GetIsAlarmSet();
}
bool CTavScEventBox::IsRepeat() const
{
    return m_record->GetMyBrand() != 0;
}
bool CTavScEventBox::IsPrivate() const
{
    return m_record->GetIsPrivate();
}
bool CTavScEventBox::IsMaskMode() const
{
    return m_host.PrivateMode() == 1;
}

TavColorRef CTavScEventBox::GetBackColor() const
{
    bool set = false;
    uint32_t color = 0xFFFFFF;
    m_record->GetTextColor(set, color);
    return set ? color : 0xFFFFFF;
}

const QImage& CTavScEventBox::Icon() const
{
    if (!m_icon) {
        QString name;
        uint32_t type = 0;
        int id = 0;
        m_record->GetIcon(name, type, id);
        m_icon = id != 0 ? m_host.IconImage(name, type, id) : QImage();
    }
    return *m_icon;
}

bool CTavScEventBox::HasIcon() const
{
    QString name;
    uint32_t type = 0;
    int id = 0;
    m_record->GetIcon(name, type, id);
    return id != 0;
}

void CTavScEventBox::DrawIcon(QPainter& painter, const QRect& area) const
{
    const QImage& icon = Icon();
    if (icon.isNull())
        return;
    const QImage scaled = icon.size().boundedTo(area.size()) == icon.size()
                              ? icon
                              : icon.scaled(area.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(area.topLeft(), scaled);
}

void CTavScEventBox::OnSelect()
{
    m_host.SelectEvent(m_record);
}
