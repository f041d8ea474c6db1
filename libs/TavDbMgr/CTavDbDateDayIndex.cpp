#include "CTavDbDateDayIndex.h"

#include <algorithm>
#include <ctime>

#include "CTavDbDateRecord.h"

namespace {
struct LocalTime
{
    QDate date;
    int seconds; // since local midnight
};

// libc's conversion, as QDateTime uses it, but without re-reading the time zone for each of
// thousands of events: Build() calls tzset() once.
LocalTime localTime(TavTime t)
{
    const time_t value = t;
    tm parts{};
    if (!localtime_r(&value, &parts))
        return {QDate(), 0};
    return {QDate(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday),
            parts.tm_hour * 3600 + parts.tm_min * 60 + parts.tm_sec};
}

// Untimed first, then start and end seconds of the day, then store position.
uint64_t orderKey(const CTavDbDateRecord& record, int startSeconds, size_t position)
{
    const int64_t length = std::max<int64_t>(0, int64_t(record.GetEndTime()) - record.GetStartTime());
    const uint64_t end = static_cast<uint64_t>(std::min<int64_t>(startSeconds + length, 0x1FFFF));
    return (record.GetIsUntimed() ? 0ULL : 1ULL << 63) | uint64_t(startSeconds) << 46 | end << 29 |
           std::min<uint64_t>(position, (1ULL << 29) - 1);
}
} // namespace

void CTavDbDateDayIndex::Clear()
{
    m_singles.clear();
    m_rules.clear();
    m_ruleOf.clear();
    m_daily.clear();
    for (auto& list : m_byWeekday)
        list.clear();
    for (auto& list : m_byMonthDay)
        list.clear();
    for (auto& month : m_byDate)
        for (auto& list : month)
            list.clear();
}

void CTavDbDateDayIndex::Build(const std::vector<std::unique_ptr<CTavDbPcRecord>>& records)
{
    Clear();
    tzset();
    for (size_t i = 0; i < records.size(); ++i) {
        auto* record = static_cast<CTavDbDateRecord*>(records[i].get());
        if (record->IsDeleted())
            continue;
        const LocalTime start = localTime(record->GetStartTime());
        const uint64_t order = orderKey(*record, start.seconds, i);
        if (!record->IsRepeating()) {
            m_singles.push_back({static_cast<int>(start.date.toJulianDay()), order, record});
            continue;
        }
        const QDate endDate = record->HasEndDate() ? localTime(record->GetEndDate()).date : QDate();
        m_rules.push_back({CTavDbDateRepeat(*record, start.date, endDate), order, record});
    }
    std::sort(m_singles.begin(), m_singles.end(), [](const Single& a, const Single& b) {
        return a.julian != b.julian ? a.julian < b.julian : a.order < b.order;
    });
    // Rules in display order: a day's hits then sort as plain indexes.
    std::sort(m_rules.begin(), m_rules.end(), [](const Rule& a, const Rule& b) { return a.order < b.order; });
    m_ruleOf.reserve(static_cast<qsizetype>(m_rules.size()));
    for (int i = 0; i < static_cast<int>(m_rules.size()); ++i) {
        m_ruleOf.insert(m_rules[static_cast<size_t>(i)].record, i);
        file(i);
    }
}

void CTavDbDateDayIndex::file(int ruleIndex)
{
    const CTavDbDateRepeat& rule = m_rules[static_cast<size_t>(ruleIndex)].rule;
    if (rule.LastJulian() < rule.FirstJulian())
        return;
    switch (rule.Kind()) {
    case CTavDbDateRecord::RepeatDaily:
        m_daily.push_back(ruleIndex);
        break;
    case CTavDbDateRecord::RepeatWeekly:
    case CTavDbDateRecord::RepeatMonthlyByWeekday:
        for (int weekday = 0; weekday < 7; ++weekday)
            if (rule.WeekDayMask() >> weekday & 1)
                m_byWeekday[weekday].push_back(ruleIndex);
        break;
    case CTavDbDateRecord::RepeatMonthlyByDate:
        if (rule.MonthDay() > 0)
            m_byMonthDay[rule.MonthDay()].push_back(ruleIndex);
        break;
    case CTavDbDateRecord::RepeatYearly:
        if (rule.Month() > 0 && rule.MonthDay() > 0)
            m_byDate[rule.Month()][rule.MonthDay()].push_back(ruleIndex);
        break;
    default:
        break; // a kind the rules do not know never occurs
    }
}

void CTavDbDateDayIndex::Collect(const CTavDbDateRepeat::Day& day, bool hidePrivate,
                                 QList<CTavDbDateRecord*>& out) const
{
    const auto first = std::lower_bound(m_singles.begin(), m_singles.end(), day.julian,
                                        [](const Single& s, int julian) { return s.julian < julian; });
    auto single = first;
    const auto singlesEnd =
        std::find_if(first, m_singles.end(), [&](const Single& s) { return s.julian != day.julian; });

    std::vector<int> hits;
    const auto test = [&](const std::vector<int>& candidates) {
        for (int index : candidates) {
            const Rule& r = m_rules[static_cast<size_t>(index)];
            if (r.rule.OccursOn(day) && !(hidePrivate && r.record->GetIsPrivate()))
                hits.push_back(index);
        }
    };
    test(m_daily);
    test(m_byWeekday[day.weekday]);
    test(m_byMonthDay[day.day]);
    test(m_byDate[day.month][day.day]);
    std::sort(hits.begin(), hits.end());

    // Both runs are in display order: merge them.
    auto hit = hits.begin();
    while (single != singlesEnd || hit != hits.end()) {
        const Rule* rule = hit == hits.end() ? nullptr : &m_rules[static_cast<size_t>(*hit)];
        if (single != singlesEnd && (!rule || single->order < rule->order)) {
            if (!(hidePrivate && single->record->GetIsPrivate()))
                out.append(single->record);
            ++single;
        } else {
            out.append(rule->record);
            ++hit;
        }
    }
}

const CTavDbDateRepeat* CTavDbDateDayIndex::RuleOf(const CTavDbDateRecord* record) const
{
    const auto it = m_ruleOf.constFind(record);
    return it == m_ruleOf.cend() ? nullptr : &m_rules[static_cast<size_t>(*it)].rule;
}
