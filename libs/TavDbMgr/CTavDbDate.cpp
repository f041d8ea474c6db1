#include "CTavDbDate.h"

#include "CTavDbClock.h"
#include "CTavDbEnv.h"
#include "CTavDbText.h"
#include "CTavSqliteDb.h"

namespace {
using Period = CTavDbDateInfoTable::Period;

// "%Y%m%d" within the calendar's range; invalid otherwise. Called for every listed event, so
// it avoids the general date parser.
QDate parseDayKey(const QString& key)
{
    if (key.size() != 8)
        return QDate();
    int digits[8];
    for (int i = 0; i < 8; ++i) {
        const char16_t c = key[i].unicode();
        if (c < u'0' || c > u'9')
            return QDate();
        digits[i] = c - u'0';
    }
    const QDate date(digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3],
                     digits[4] * 10 + digits[5], digits[6] * 10 + digits[7]);
    return CTavDbTime::inRange(date) ? date : QDate();
}

int dayInfoKey(const QDate& date)
{
    return CTavDbDateInfoTable::dayKey(date.year(), date.month(), date.day());
}

bool validYear(int year)
{
    return year >= 1970 && year <= 2031;
}

// Whether an event lies wholly before a day.
bool endsBefore(const CTavDbDateRecord& record, const QDate& day)
{
    if (!record.IsRepeating())
        return record.GetStartDate() < day;
    return record.HasEndDate() && CTavDbTime::toDate(record.GetEndDate()) < day;
}
} // namespace

CTavDbDate::CTavDbDate()
    : CTavDbStoreBase("date", &CTavDbEnv::GetPdtDateDir, "datebook.ldb", CTavDbDateRecord::kColumns,
                      kMaxRecords)
{
}

TavStatus CTavDbDate::CheckRecord(const CTavDbPcRecord& record) const
{
    const auto* event = dynamic_cast<const CTavDbDateRecord*>(&record);
    return event && event->Validate() == TavStatusCode::Ok ? TavStatusCode::Ok
                                                           : TavStatusCode::InvalidArgument;
}

const CTavDbDateDayIndex& CTavDbDate::index() const
{
    if (!m_indexValid) {
        m_index.Build(AllRecords());
        m_indexValid = true;
    }
    return m_index;
}

TavStatus CTavDbDate::listDay(int julian, QList<CTavDbDateRecord*>& list)
{
    list.clear();
    const QDate date = QDate::fromJulianDay(julian);
    if (!CTavDbTime::inRange(date))
        return TavStatusCode::InvalidArgument;
    m_lastListed = julian;
    index().Collect(CTavDbDateRepeat::Day::of(date), GetPrivateMode() == 2, list);
    return TavStatusCode::Ok;
}

TavStatus CTavDbDate::GetDayRecords(const QString& dayKey, QList<CTavDbDateRecord*>& list)
{
    const QDate date = parseDayKey(dayKey);
    if (!date.isValid()) {
        list.clear();
        return TavStatusCode::InvalidArgument;
    }
    return listDay(static_cast<int>(date.toJulianDay()), list);
}

TavStatus CTavDbDate::GetNextDayRecords(QList<CTavDbDateRecord*>& list)
{
    if (m_lastListed == 0) {
        list.clear();
        return TavStatusCode::Refused;
    }
    return listDay(m_lastListed + 1, list);
}

bool CTavDbDate::IsRepeatTarget(const CTavDbDateRecord& record, const QString& dayKey) const
{
    // The windows ask for every event of a day with the same key: parse it once.
    if (dayKey != m_testedKey) {
        const QDate date = parseDayKey(dayKey);
        if (!date.isValid())
            return false;
        m_testedKey = dayKey;
        m_testedDay = CTavDbDateRepeat::Day::of(date);
    }
    if (const CTavDbDateRepeat* rule = index().RuleOf(&record))
        return rule->OccursOn(m_testedDay);
    return CTavDbDateRepeat(record).OccursOn(m_testedDay);
}

TavStatus CTavDbDate::AddException(uint32_t uniqueId, const QDate& date)
{
    auto* record = static_cast<CTavDbDateRecord*>(FindRecord(uniqueId));
    if (!record || record->IsDeleted())
        return TavStatusCode::NotFound;
    if (!record->IsRepeating() || !CTavDbTime::inRange(date))
        return TavStatusCode::InvalidArgument;
    Touch(uniqueId);
    if (record->AddException(date)) {
        record->setAttribute(CTavDbPcRecord::AttrDirty, true);
        MarkChanged(uniqueId);
    }
    return TavStatusCode::Ok;
}

TavStatus CTavDbDate::DeletePastRecords(const QString& dayKey, int year, int week, int month, bool archive,
                                        int* deletedCount)
{
    const QDate cutoff = parseDayKey(dayKey);
    if (!cutoff.isValid() || !validYear(year) || week < 1 || week > 53 || month < 1 || month > 12)
        return TavStatusCode::InvalidArgument;
    std::vector<uint32_t> past;
    for (const auto& record : AllRecords())
        if (!record->IsDeleted() && endsBefore(static_cast<const CTavDbDateRecord&>(*record), cutoff))
            past.push_back(record->GetUniqueId());
    for (uint32_t id : past)
        DeleteRecord(id, archive);
    int weekYear = year;
    if (week >= 52 && cutoff.month() == 1)
        --weekYear;
    else if (week == 1 && cutoff.month() == 12)
        ++weekYear;
    const int infos =
        m_info.RemoveBefore(CTavDbDateInfoTable::Day, dayInfoKey(cutoff)) +
        m_info.RemoveBefore(CTavDbDateInfoTable::Week, CTavDbDateInfoTable::periodKey(weekYear, week)) +
        m_info.RemoveBefore(CTavDbDateInfoTable::Month, CTavDbDateInfoTable::periodKey(year, month));
    if (infos > 0)
        MarkExtraChanged();
    if (deletedCount)
        *deletedCount = static_cast<int>(past.size());
    return TavStatusCode::Ok;
}

TavStatus CTavDbDate::SetPastParam(bool limit, int number, int unit)
{
    if (number < 1 || number > 99 || unit < 0 || unit > 3)
        return TavStatusCode::InvalidArgument;
    m_pastLimit = limit;
    m_pastNumber = number;
    m_pastUnit = unit;
    return TavStatusCode::Ok;
}

QDate CTavDbDate::GetPastLimitDate() const
{
    return m_pastLimit ? PastLimitDate(CTavDbClock::Today(), m_pastNumber, m_pastUnit) : QDate();
}

QDate CTavDbDate::PastLimitDate(const QDate& today, int number, int unit)
{
    switch (unit) {
    case 0:
        return today.addDays(-number);
    case 1:
        return today.addDays(-7 * number);
    case 2:
        return today.addMonths(-number);
    default:
        return today.addYears(-number);
    }
}

bool CTavDbDate::IsPastRecord(const CTavDbDateRecord& record) const
{
    const QDate limit = GetPastLimitDate();
    return limit.isValid() && endsBefore(record, limit);
}

void CTavDbDate::CreateExtraTables(CTavSqliteDb& db) const
{
    db.exec(CTavDbDateInfoTable::CreateSql());
}

void CTavDbDate::CopyExtraFrom(const CTavDbStoreBase& other)
{
    m_info = static_cast<const CTavDbDate&>(other).m_info;
}

void CTavDbDate::MergeExtraFrom(const CTavDbStoreBase& file, const std::any& base)
{
    const auto* was = std::any_cast<CTavDbDateInfoTable>(&base);
    m_info.MergeFrom(was ? *was : CTavDbDateInfoTable(), static_cast<const CTavDbDate&>(file).m_info);
}

void CTavDbDate::RestoreExtraState(const std::any& state)
{
    if (const auto* info = std::any_cast<CTavDbDateInfoTable>(&state))
        m_info = *info;
}

TavStatus CTavDbDate::getInfo(Period period, int key, CTavDbDateInfoRecord& record) const
{
    const CTavDbDateInfoRecord* found = m_info.Find(period, key);
    if (!found)
        return TavStatusCode::NotFound;
    record = *found;
    return TavStatusCode::Ok;
}

TavStatus CTavDbDate::changeInfo(Period period, int key, const CTavDbDateInfoRecord& record,
                                 InfoChange change)
{
    if (CTavDbText::mbLength(record.GetSheetName()) > CTavDbDateRecord::kMaxSheetNameBytes)
        return TavStatusCode::InvalidArgument;
    const bool exists = m_info.Find(period, key) != nullptr;
    if (change == InfoChange::Add && exists)
        return TavStatusCode::Duplicate;
    if (change == InfoChange::Update && !exists)
        return TavStatusCode::NotFound;
    m_info.Set(period, key, record);
    MarkExtraChanged();
    return TavStatusCode::Ok;
}

TavStatus CTavDbDate::deleteInfo(Period period, int key)
{
    if (!m_info.Remove(period, key))
        return TavStatusCode::NotFound;
    MarkExtraChanged();
    return TavStatusCode::Ok;
}

TavStatus CTavDbDate::GetDayInfo(const QString& dayKey, CTavDbDateDayRecord& record) const
{
    const QDate date = parseDayKey(dayKey);
    if (!date.isValid())
        return TavStatusCode::InvalidArgument;
    const TavStatus status = getInfo(CTavDbDateInfoTable::Day, dayInfoKey(date), record);
    if (status == TavStatusCode::Ok)
        record.SetDate(date);
    return status;
}

TavStatus CTavDbDate::AddDayInfo(const CTavDbDateDayRecord& record)
{
    if (!CTavDbTime::inRange(record.GetDate()))
        return TavStatusCode::InvalidArgument;
    return changeInfo(CTavDbDateInfoTable::Day, dayInfoKey(record.GetDate()), record, InfoChange::Add);
}

TavStatus CTavDbDate::UpdateDayInfo(const CTavDbDateDayRecord& record)
{
    if (!CTavDbTime::inRange(record.GetDate()))
        return TavStatusCode::InvalidArgument;
    return changeInfo(CTavDbDateInfoTable::Day, dayInfoKey(record.GetDate()), record, InfoChange::Update);
}

TavStatus CTavDbDate::DeleteDayInfo(const QString& dayKey)
{
    const QDate date = parseDayKey(dayKey);
    return date.isValid() ? deleteInfo(CTavDbDateInfoTable::Day, dayInfoKey(date))
                          : TavStatusCode::InvalidArgument;
}

namespace {
bool validWeek(int year, int week)
{
    // The first week of 2032 begins in the last days of 2031.
    return (validYear(year) && week >= 1 && week <= 53) || (year == 2032 && week == 1);
}
bool validMonth(int year, int month)
{
    return validYear(year) && month >= 1 && month <= 12;
}
} // namespace

TavStatus CTavDbDate::GetWeekInfo(int year, int week, CTavDbDateWeekRecord& record) const
{
    if (!validWeek(year, week))
        return TavStatusCode::InvalidArgument;
    const TavStatus status =
        getInfo(CTavDbDateInfoTable::Week, CTavDbDateInfoTable::periodKey(year, week), record);
    if (status == TavStatusCode::Ok) {
        record.SetYear(year);
        record.SetWeek(week);
    }
    return status;
}

TavStatus CTavDbDate::AddWeekInfo(const CTavDbDateWeekRecord& record)
{
    if (!validWeek(record.GetYear(), record.GetWeek()))
        return TavStatusCode::InvalidArgument;
    return changeInfo(CTavDbDateInfoTable::Week,
                      CTavDbDateInfoTable::periodKey(record.GetYear(), record.GetWeek()), record,
                      InfoChange::Add);
}

TavStatus CTavDbDate::UpdateWeekInfo(const CTavDbDateWeekRecord& record)
{
    if (!validWeek(record.GetYear(), record.GetWeek()))
        return TavStatusCode::InvalidArgument;
    return changeInfo(CTavDbDateInfoTable::Week,
                      CTavDbDateInfoTable::periodKey(record.GetYear(), record.GetWeek()), record,
                      InfoChange::Update);
}

TavStatus CTavDbDate::DeleteWeekInfo(int year, int week)
{
    return validWeek(year, week)
               ? deleteInfo(CTavDbDateInfoTable::Week, CTavDbDateInfoTable::periodKey(year, week))
               : TavStatusCode::InvalidArgument;
}

TavStatus CTavDbDate::GetMonthInfo(int year, int month, CTavDbDateMonthRecord& record) const
{
    if (!validMonth(year, month))
        return TavStatusCode::InvalidArgument;
    const TavStatus status =
        getInfo(CTavDbDateInfoTable::Month, CTavDbDateInfoTable::periodKey(year, month), record);
    if (status == TavStatusCode::Ok) {
        record.SetYear(year);
        record.SetMonth(month);
    }
    return status;
}

TavStatus CTavDbDate::AddMonthInfo(const CTavDbDateMonthRecord& record)
{
    if (!validMonth(record.GetYear(), record.GetMonth()))
        return TavStatusCode::InvalidArgument;
    return changeInfo(CTavDbDateInfoTable::Month,
                      CTavDbDateInfoTable::periodKey(record.GetYear(), record.GetMonth()), record,
                      InfoChange::Add);
}

TavStatus CTavDbDate::UpdateMonthInfo(const CTavDbDateMonthRecord& record)
{
    if (!validMonth(record.GetYear(), record.GetMonth()))
        return TavStatusCode::InvalidArgument;
    return changeInfo(CTavDbDateInfoTable::Month,
                      CTavDbDateInfoTable::periodKey(record.GetYear(), record.GetMonth()), record,
                      InfoChange::Update);
}

TavStatus CTavDbDate::DeleteMonthInfo(int year, int month)
{
    return validMonth(year, month)
               ? deleteInfo(CTavDbDateInfoTable::Month, CTavDbDateInfoTable::periodKey(year, month))
               : TavStatusCode::InvalidArgument;
}
