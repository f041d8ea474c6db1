#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <array>

#include "CTavDbFreeRecord.h"
#include "CTavDbTime.h"

// The sheet's title, category, schedule date and alarm: a 148-byte block whose fields are
// little-endian, as the handheld keeps it. Callers may copy the block out whole, change it and
// copy it back; the named accessors below cover the fields the program uses.
class CTavDbFreeMiscInfoObject final : public CTavDbFreeRecord
{
public:
    static constexpr int BlockSize = 148;
    static constexpr int BlockWords = BlockSize / 4;
    static constexpr int TitleOffset = 28;
    static constexpr int MaxTitleBytes = 63;
    static constexpr uint16_t AlarmFlag = 0x8000;
    using Block = std::array<uint32_t, BlockWords>;

    CTavDbFreeMiscInfoObject() : CTavDbFreeRecord(KindMiscInfo), m_block(BlockSize, '\0') {}

    Block GetMiscInfo() const;
    void SetMiscInfo(const Block& block);
    const QByteArray& GetBlockBytes() const { return m_block; }

    uint16_t GetU16(int offset) const;
    void SetU16(int offset, uint16_t value);

    QString GetTitle() const;
    // Cut to 63 bytes of code page 932.
    void SetTitle(const QString& title);
    int GetCategoryId() const { return uint8_t(m_block[22]); }
    void SetCategoryId(int id);
    uint16_t GetFlags() const { return GetU16(24); }
    bool IsAlarm() const { return (GetFlags() & AlarmFlag) != 0; }
    void SetAlarm(bool on);
    // Invalid when the block holds no valid date.
    QDateTime GetScheduleDateTime() const { return dateTimeAt(18, 16, 14, 12, 10, 8); }
    void SetScheduleDateTime(const QDateTime& when);
    QDateTime GetAlarmDateTime() const { return dateTimeAt(102, 100, 98, 96, 94, -1); }
    void SetAlarmDateTime(const QDateTime& when);
    // The schedule date and time as stored calendar time (local), 0 without a date.
    TavTime GetEventTime() const;

protected:
    void PackPayload(CTavDbFreeWriter& out) const override;
    bool ParsePayload(CTavDbFreeReader& in) override;

private:
    QDateTime dateTimeAt(int year, int month, int day, int hour, int minute, int second) const;

    QByteArray m_block;
};
