#include "CTavDbDateDayIndex.h"

#include <algorithm>

#include "CTavDbDateRecord.h"

namespace {
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
    for (size_t i = 0; i < records.size(); ++i) {
        auto* record = static_cast<CTavDbDateRecord*>(records[i].get());
        if (record->IsDeleted())
            continue;
        const QDateTime start = CTavDbTime::toDateTime(record->GetStartTime());
        const int seconds = start.time().msecsSinceStartOfDay() / 1000;
        const uint64_t order = orderKey(*record, seconds, i);
        if (!record->IsRepeating()) {
            m_singles.push_back({static_cast<int>(start.date().toJulianDay()), order, record});
            continue;
        }
        m_rules.push_back({CTavDbDateRepeat(*record), order, record});
        m_ruleOf.insert(record, static_cast<int>(m_rules.size() - 1));
        file(static_cast<int>(m_rules.size() - 1));
    }
    std::sort(m_singles.begin(), m_singles.end(), [](const Single& a, const Single& b) {
        return a.julian != b.julian ? a.julian < b.julian : a.order < b.order;
    });
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

    std::vector<const Rule*> hits;
    const auto test = [&](const std::vector<int>& candidates) {
        for (int index : candidates) {
            const Rule& r = m_rules[static_cast<size_t>(index)];
            if (r.rule.OccursOn(day) && !(hidePrivate && r.record->GetIsPrivate()))
                hits.push_back(&r);
        }
    };
    test(m_daily);
    test(m_byWeekday[day.weekday]);
    test(m_byMonthDay[day.day]);
    test(m_byDate[day.month][day.day]);
    std::sort(hits.begin(), hits.end(), [](const Rule* a, const Rule* b) { return a->order < b->order; });

    // Both runs are in display order: merge them.
    auto hit = hits.begin();
    while (single != singlesEnd || hit != hits.end()) {
        if (single != singlesEnd && (hit == hits.end() || single->order < (*hit)->order)) {
            if (!(hidePrivate && single->record->GetIsPrivate()))
                out.append(single->record);
            ++single;
        } else {
            out.append((*hit)->record);
            ++hit;
        }
    }
}

const CTavDbDateRepeat* CTavDbDateDayIndex::RuleOf(const CTavDbDateRecord* record) const
{
    const auto it = m_ruleOf.constFind(record);
    return it == m_ruleOf.cend() ? nullptr : &m_rules[static_cast<size_t>(*it)].rule;
}
