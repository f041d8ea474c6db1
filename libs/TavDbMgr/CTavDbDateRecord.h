#pragma once

#include <QDate>
#include <QList>

#include "CTavDbPcRecord.h"
#include "CTavDbTime.h"
#include "TavStatus.h"

// One event of the schedule, in the handheld Date Book's terms. A repeating event keeps its
// first occurrence in the start and end times and its rule in the repeat fields.
class CTavDbDateRecord final : public CTavDbPcRecord
{
public:
    // Limits in code page 932 bytes.
    static constexpr int kMaxDescBytes = 255;
    static constexpr int kMaxNoteBytes = 4095;
    static constexpr int kMaxIconNameBytes = 31; // a handheld database name
    static constexpr int kMaxSheetNameBytes = 255;
    static constexpr int kMaxInterval = 99;
    static constexpr int kMaxAlarmAdvance = 99;
    static constexpr uint32_t kIconType = 0x54626D70; // 'Tbmp'

    enum RepeatKind : int
    {
        RepeatNone = 0,
        RepeatDaily = 1,
        RepeatWeekly = 2,
        RepeatMonthlyByWeekday = 3,
        RepeatMonthlyByDate = 4,
        RepeatYearly = 5,
    };
    enum AlarmUnit : int
    {
        AlarmMinutes = 0,
        AlarmHours = 1,
        AlarmDays = 2
    };
    static constexpr int kLastWeek = 4; // week index of "the last such weekday of the month"

    CTavDbDateRecord() = default;
    CTavDbDateRecord(const CTavDbDateRecord&) = default;
    CTavDbDateRecord& operator=(const CTavDbDateRecord&) = default;

    const QString& GetDesc() const { return m_f.desc; }
    void SetDesc(const QString& text) { m_f.desc = text; }
    const QString& GetNote() const { return m_f.note; }
    void SetNote(const QString& text) { m_f.note = text; }

    TavTime GetStartTime() const { return m_f.start; }
    void SetStartTime(TavTime t) { m_f.start = t; }
    TavTime GetEndTime() const { return m_f.end; }
    void SetEndTime(TavTime t) { m_f.end = t; }
    bool GetIsUntimed() const { return m_f.untimed; }
    void SetUntimed(bool on) { m_f.untimed = on; }
    // The local date of the start (the first occurrence of a repeating event).
    QDate GetStartDate() const { return CTavDbTime::toDate(m_f.start); }

    bool GetIsAlarmSet() const { return m_f.alarm; }
    void SetAlarm(bool on) { m_f.alarm = on; }
    int GetAlarmAdvance() const { return m_f.alarmAdvance; }
    void SetAlarmAdvance(int advance) { m_f.alarmAdvance = advance; }
    int GetAlarmUnit() const { return m_f.alarmUnit; }
    void SetAlarmUnit(int unit) { m_f.alarmUnit = unit; }

    // The icon: the name of the handheld database holding it, the resource type and id (0 = none).
    void GetIcon(QString& name, uint32_t& type, int& id) const;
    void SetIcon(const QString& name, uint32_t type, int id);
    // The box colour as a Windows colour value; without the flag the box is white.
    void GetTextColor(bool& set, uint32_t& color) const;
    void SetTextColor(bool set, uint32_t color);

    // The repeat kind (RepeatKind).
    int GetMyBrand() const { return m_f.kind; }
    void SetMyBrand(int kind) { m_f.kind = kind; }
    bool IsRepeating() const { return m_f.kind != RepeatNone; }
    // As stored; 0 counts as 1.
    int GetInterval() const { return m_f.interval; }
    void SetInterval(int interval) { m_f.interval = interval; }
    // Bit 0 Sunday ... bit 6 Saturday.
    uint8_t GetWeekDayMask() const { return m_f.weekMask; }
    void SetWeekDayMask(uint8_t mask) { m_f.weekMask = mask; }
    int GetDayIndex() const { return m_f.dayIndex; }
    void SetDayIndex(int index) { m_f.dayIndex = index; }
    int GetWeekIndex() const { return m_f.weekIndex; }
    void SetWeekIndex(int index) { m_f.weekIndex = index; }
    // 0 = January.
    int GetMonthIndex() const { return m_f.monthIndex; }
    void SetMonthIndex(int index) { m_f.monthIndex = index; }
    int GetDayNumber() const { return m_f.dayNumber; }
    void SetDayNumber(int day) { m_f.dayNumber = day; }
    int GetFirstDayOfWeek() const { return m_f.firstDayOfWeek; }
    void SetFirstDayOfWeek(int day) { m_f.firstDayOfWeek = day; }
    // The last day on which the rule may occur; maxDateTime (or 0) for none.
    TavTime GetEndDate() const { return m_f.endDate; }
    void SetEndDate(TavTime t) { m_f.endDate = t; }
    bool HasEndDate() const { return m_f.endDate != maxDateTime && m_f.endDate != 0; }
    // Copies kind, interval, end date, first day of week and the day, week and month fields.
    void CopyRepeatRule(const CTavDbDateRecord& from);

    // Days on which the rule does not occur, ascending, no duplicates.
    const QList<QDate>& GetExceptions() const { return m_f.exceptions; }
    void SetExceptions(const QList<QDate>& dates);
    // Adds the local date of a time; false when it was already there or is not a valid date.
    bool AddException(const QDate& date);
    bool AddException(TavTime t) { return AddException(CTavDbTime::toDate(t)); }
    bool IsException(const QDate& date) const;

    // The linked memo sheet's name (file name without folder and extension); empty for none.
    const QString& GetSheetName() const { return m_f.sheet; }
    void SetSheetName(const QString& name) { m_f.sheet = name; }

    // InvalidArgument when a field is out of its range or over its byte limit.
    TavStatus Validate() const;

    void Reset() override;
    bool IsEqualPdt(const CTavDbPcRecord& other) const override;
    std::unique_ptr<CTavDbPcRecord> Clone() const override
    {
        return std::make_unique<CTavDbDateRecord>(*this);
    }
    void BindFields(CTavSqliteStatement& st) const override;
    void ReadFields(CTavSqliteStatement& st) override;
    static constexpr const char* kColumns =
        "description TEXT, note TEXT, start_time INTEGER, end_time INTEGER, untimed INTEGER, alarm INTEGER, "
        "alarm_advance INTEGER, alarm_unit INTEGER, icon_name TEXT, icon_type INTEGER, icon_id INTEGER, "
        "color_set INTEGER, color INTEGER, repeat_kind INTEGER, repeat_interval INTEGER, week_mask INTEGER, "
        "day_index INTEGER, week_index INTEGER, month_index INTEGER, day_number INTEGER, "
        "first_day_of_week INTEGER, end_date INTEGER, exceptions TEXT, sheet TEXT";

private:
    // Every field in one aggregate, so that Reset and comparison cannot miss one.
    struct Fields
    {
        QString desc;
        QString note;
        TavTime start = 0;
        TavTime end = 0;
        bool untimed = false;
        bool alarm = false;
        int alarmAdvance = 5;
        int alarmUnit = AlarmMinutes;
        QString iconName;
        uint32_t iconType = kIconType;
        int iconId = 0;
        bool colorSet = false;
        uint32_t color = 0xFFFFFF;
        int kind = RepeatNone;
        int interval = 0;
        uint8_t weekMask = 0;
        int dayIndex = 0;
        int weekIndex = 0;
        int monthIndex = 0;
        int dayNumber = 0;
        int firstDayOfWeek = 0;
        TavTime endDate = maxDateTime;
        QList<QDate> exceptions;
        QString sheet;

        bool operator==(const Fields&) const = default;
    };
    Fields m_f;
};
