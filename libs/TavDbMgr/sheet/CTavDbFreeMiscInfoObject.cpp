#include "CTavDbFreeMiscInfoObject.h"

#include <QtEndian>

#include "CTavDbFreeBytes.h"
#include "CTavDbText.h"

CTavDbFreeMiscInfoObject::Block CTavDbFreeMiscInfoObject::GetMiscInfo() const
{
    Block block{};
    for (int i = 0; i < BlockWords; ++i)
        block[size_t(i)] = qFromLittleEndian<uint32_t>(m_block.constData() + i * 4);
    return block;
}

void CTavDbFreeMiscInfoObject::SetMiscInfo(const Block& block)
{
    QByteArray bytes(BlockSize, '\0');
    for (int i = 0; i < BlockWords; ++i)
        qToLittleEndian<uint32_t>(block[size_t(i)], bytes.data() + i * 4);
    if (bytes == m_block)
        return;
    m_block = bytes;
    Touch();
}

uint16_t CTavDbFreeMiscInfoObject::GetU16(int offset) const
{
    if (offset < 0 || offset + 2 > BlockSize)
        return 0;
    return qFromLittleEndian<uint16_t>(m_block.constData() + offset);
}

void CTavDbFreeMiscInfoObject::SetU16(int offset, uint16_t value)
{
    if (offset < 0 || offset + 2 > BlockSize || GetU16(offset) == value)
        return;
    qToLittleEndian<uint16_t>(value, m_block.data() + offset);
    Touch();
}

QString CTavDbFreeMiscInfoObject::GetTitle() const
{
    QByteArray bytes = m_block.mid(TitleOffset, MaxTitleBytes + 1);
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
        bytes.truncate(nul);
    else
        bytes.truncate(MaxTitleBytes);
    return CTavDbText::fromCp932(bytes);
}

void CTavDbFreeMiscInfoObject::SetTitle(const QString& title)
{
    const QByteArray bytes = CTavDbText::toCp932(CTavDbText::truncateToBytes(title, MaxTitleBytes));
    QByteArray field(MaxTitleBytes + 1, '\0');
    field.replace(0, bytes.size(), bytes);
    if (m_block.mid(TitleOffset, field.size()) == field)
        return;
    m_block.replace(TitleOffset, field.size(), field);
    Touch();
}

void CTavDbFreeMiscInfoObject::SetCategoryId(int id)
{
    if (GetCategoryId() == (id & 0xFF))
        return;
    m_block[22] = char(id);
    Touch();
}

void CTavDbFreeMiscInfoObject::SetAlarm(bool on)
{
    SetU16(24, on ? uint16_t(GetFlags() | AlarmFlag) : uint16_t(GetFlags() & ~AlarmFlag));
}

QDateTime CTavDbFreeMiscInfoObject::dateTimeAt(int year, int month, int day, int hour, int minute,
                                               int second) const
{
    const QDate date(GetU16(year), GetU16(month), GetU16(day));
    const QTime time(GetU16(hour), GetU16(minute), second < 0 ? 0 : GetU16(second));
    if (!date.isValid())
        return {};
    return QDateTime(date, time.isValid() ? time : QTime(0, 0));
}

void CTavDbFreeMiscInfoObject::SetScheduleDateTime(const QDateTime& when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    SetU16(18, uint16_t(d.year()));
    SetU16(16, uint16_t(d.month()));
    SetU16(14, uint16_t(d.day()));
    SetU16(12, uint16_t(t.hour()));
    SetU16(10, uint16_t(t.minute()));
    SetU16(8, uint16_t(t.second()));
    // Day of the week, 1 = Sunday.
    SetU16(20, uint16_t(d.isValid() ? d.dayOfWeek() % 7 + 1 : 0));
}

void CTavDbFreeMiscInfoObject::SetAlarmDateTime(const QDateTime& when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    SetU16(102, uint16_t(d.year()));
    SetU16(100, uint16_t(d.month()));
    SetU16(98, uint16_t(d.day()));
    SetU16(96, uint16_t(t.hour()));
    SetU16(94, uint16_t(t.minute()));
    SetU16(104, uint16_t(d.isValid() ? d.dayOfWeek() % 7 + 1 : 0));
}

TavTime CTavDbFreeMiscInfoObject::GetEventTime() const
{
    const QDateTime when = GetScheduleDateTime();
    return when.isValid() ? CTavDbTime::fromDateTime(when) : 0;
}

void CTavDbFreeMiscInfoObject::PackPayload(CTavDbFreeWriter& out) const
{
    out.bytes(m_block);
}

bool CTavDbFreeMiscInfoObject::ParsePayload(CTavDbFreeReader& in)
{
    const QByteArrayView block = in.bytes(BlockSize);
    if (!in.ok())
        return false;
    m_block = block.toByteArray();
    return true;
}
