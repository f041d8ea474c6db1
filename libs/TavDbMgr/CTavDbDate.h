#pragma once

#include <QList>

#include "CTavDbDateDayIndex.h"
#include "CTavDbDateDayRecord.h"
#include "CTavDbDateInfoTable.h"
#include "CTavDbDateMonthRecord.h"
#include "CTavDbDateRecord.h"
#include "CTavDbDateWeekRecord.h"
#include "CTavDbStoreBase.h"
#include "archive/CTavDbArchiveConverter.h"

// The schedule's store: the events, and the colour and memo sheet of days, weeks and months.
// Day lists come from an index that is rebuilt after any change, so listing a day never looks
// at every event.
class CTavDbDate final : public CTavDbStoreBase
{
public:
    static constexpr int kMaxRecords = 65536;

    CTavDbDate();

    CTavDbDateRecord* GetDateRecord(int index) const
    {
        return static_cast<CTavDbDateRecord*>(GetRecord(index));
    }

    // Replaces the list with the events of a day ("%Y%m%d"): those that do not repeat and start
    // that day, and the repeating ones that occur that day; untimed events first, then by start
    // time, end time and store order. Private events stay out in private mode 2. The pointers
    // stay valid until the store changes.
    TavStatus GetDayRecords(const QString& dayKey, QList<CTavDbDateRecord*>& list);
    // The same for the day after the one listed last.
    TavStatus GetNextDayRecords(QList<CTavDbDateRecord*>& list);
    // Whether the event occurs on the day ("%Y%m%d"); an event that does not repeat occurs on
    // its start day.
    bool IsRepeatTarget(const CTavDbDateRecord& record, const QString& dayKey) const;
    // Adds an exception date to a stored repeating event.
    TavStatus AddException(uint32_t uniqueId, const QDate& date);

    // Deletes the events that lie wholly before the cut-off day ("%Y%m%d"): those that do not
    // repeat and start before it, and repeating ones whose end date is before it; and the info
    // records of earlier days, of weeks before the cut-off's week and of months before (year,
    // month). The week belongs to the year before in early January (week 52 or 53) and to the
    // year after in late December (week 1).
    TavStatus DeletePastRecords(const QString& dayKey, int year, int week, int month, bool archive,
                                int* deletedCount = nullptr);
    // The transfer limit: when on, only events of the last `number` days (unit 0), weeks (1),
    // months (2) or years (3) go to the handheld.
    TavStatus SetPastParam(bool limit, int number, int unit);
    // The first day that goes to the handheld; invalid while the limit is off.
    QDate GetPastLimitDate() const;
    // The first day of the last `number` units up to today (a missing day of a shorter month
    // becomes that month's last day).
    static QDate PastLimitDate(const QDate& today, int number, int unit);
    // Whether the limit keeps the event from the handheld.
    bool IsPastRecord(const CTavDbDateRecord& record) const;

    // Info records. Get answers NotFound when the period has none; Add answers Duplicate when it
    // has one, Update NotFound when it has none.
    TavStatus GetDayInfo(const QString& dayKey, CTavDbDateDayRecord& record) const;
    TavStatus AddDayInfo(const CTavDbDateDayRecord& record);
    TavStatus UpdateDayInfo(const CTavDbDateDayRecord& record);
    TavStatus DeleteDayInfo(const QString& dayKey);
    TavStatus GetWeekInfo(int year, int week, CTavDbDateWeekRecord& record) const;
    TavStatus AddWeekInfo(const CTavDbDateWeekRecord& record);
    TavStatus UpdateWeekInfo(const CTavDbDateWeekRecord& record);
    TavStatus DeleteWeekInfo(int year, int week);
    TavStatus GetMonthInfo(int year, int month, CTavDbDateMonthRecord& record) const;
    TavStatus AddMonthInfo(const CTavDbDateMonthRecord& record);
    TavStatus UpdateMonthInfo(const CTavDbDateMonthRecord& record);
    TavStatus DeleteMonthInfo(int year, int month);
    // The memo sheets linked from day, week and month info records.
    QStringList InfoSheetNames() const { return m_info.SheetNames(); }

protected:
    std::unique_ptr<CTavDbPcRecord> NewRecord() const override
    {
        return std::make_unique<CTavDbDateRecord>();
    }
    std::unique_ptr<CTavDbStoreBase> NewStore() const override { return std::make_unique<CTavDbDate>(); }
    const CTavDbArchiveConverter* ArchiveConverter() const override
    {
        return &CTavDbArchiveConverter::Date();
    }
    // Refuses an event with a field out of range or over its limit (InvalidArgument). An edit
    // made on the stored record itself is refused the same way but stays in memory, so callers
    // that edit in place check Validate() first.
    TavStatus CheckRecord(const CTavDbPcRecord& record) const override;
    void RecordsChanged() override { m_indexValid = false; }
    void CreateExtraTables(CTavSqliteDb& db) const override;
    TavStatus LoadExtra(CTavSqliteDb& db) override { return m_info.Load(db); }
    TavStatus SaveExtra(CTavSqliteDb& db, bool) const override { return m_info.Save(db); }
    void ClearExtra() override { m_info.Clear(); }
    void CopyExtraFrom(const CTavDbStoreBase& other) override;
    void MergeExtraFrom(const CTavDbStoreBase& file, const std::any& base) override;
    std::any ExtraState() const override { return m_info; }
    void RestoreExtraState(const std::any& state) override;

private:
    enum class InfoChange
    {
        Add,
        Update
    };
    const CTavDbDateDayIndex& index() const;
    TavStatus listDay(int julian, QList<CTavDbDateRecord*>& list);
    TavStatus getInfo(CTavDbDateInfoTable::Period period, int key, CTavDbDateInfoRecord& record) const;
    TavStatus changeInfo(CTavDbDateInfoTable::Period period, int key, const CTavDbDateInfoRecord& record,
                         InfoChange change);
    TavStatus deleteInfo(CTavDbDateInfoTable::Period period, int key);

    mutable CTavDbDateDayIndex m_index;
    mutable bool m_indexValid = false;
    int m_lastListed = 0; // julian day of the last listed day, 0 before the first
    mutable QString m_testedKey;
    mutable CTavDbDateRepeat::Day m_testedDay;
    CTavDbDateInfoTable m_info;
    bool m_pastLimit = false;
    int m_pastNumber = 1;
    int m_pastUnit = 2;
};
