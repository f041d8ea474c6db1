#pragma once

#include <QHash>
#include <QList>
#include <memory>
#include <vector>

#include "CTavDbDateRepeat.h"

class CTavDbDateRecord;
class CTavDbPcRecord;

// Which events fall on a day, found without looking at every event. Events that do not repeat
// sit in one array sorted by day and time; repeating events are compiled into rules and filed
// by what their kind pins down (weekday, day of the month, month and day), so a day asks only
// the rules that could occur on it. A day's list is in display order: untimed events first,
// then by start time, then by end time, then in store order.
class CTavDbDateDayIndex final
{
public:
    // Indexes every live record (deleted ones stay out).
    void Build(const std::vector<std::unique_ptr<CTavDbPcRecord>>& records);
    void Clear();

    // Appends the events of a day; with hidePrivate, private events stay out.
    void Collect(const CTavDbDateRepeat::Day& day, bool hidePrivate, QList<CTavDbDateRecord*>& out) const;
    // The compiled rule of an indexed record, or null.
    const CTavDbDateRepeat* RuleOf(const CTavDbDateRecord* record) const;

private:
    struct Single
    {
        int julian;
        uint64_t order;
        CTavDbDateRecord* record;
    };
    struct Rule
    {
        CTavDbDateRepeat rule;
        uint64_t order;
        CTavDbDateRecord* record;
    };
    void file(int ruleIndex);

    std::vector<Single> m_singles; // by julian day, then order
    std::vector<Rule> m_rules;
    QHash<const CTavDbDateRecord*, int> m_ruleOf;
    std::vector<int> m_daily;
    std::vector<int> m_byWeekday[7];
    std::vector<int> m_byMonthDay[32];
    std::vector<int> m_byDate[13][32];
};
