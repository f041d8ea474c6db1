#include "CTavDbDateICalRule.h"

#include <algorithm>

#include "CTavDbDateICalLocal.h"
#include "CTavDbDateRepeat.h"

namespace {
// One handheld pattern of a rule and the day its phase counts from.
struct Pattern
{
    CTavDbDateRecord record;
    QDate anchor;
    CTavDbDateRepeat repeat;
    QDate first; // its first occurrence within the calendar, invalid for none
};

int weekIndexOf(int ordinal)
{
    if (ordinal == -1)
        return CTavDbDateRecord::kLastWeek;
    return ordinal >= 1 && ordinal <= 4 ? ordinal - 1 : -1;
}

QString tooWide()
{
    return QStringLiteral("繰り返しの間隔が 99 を超えています");
}
} // namespace

QString CTavDbDateICalRule::ToRecords(const CTavDbDateRecord& base, const QDate& start,
                                      const QList<QDate>& exceptions, CTavDbDateICalLocal& local,
                                      QList<CTavDbDateRecord>* out) const
{
    if (!unsupported.isEmpty())
        return unsupported;
    const int every = std::max(interval, 1);
    const bool anyOrdinal =
        std::any_of(byDay.begin(), byDay.end(), [](const WeekDay& d) { return d.ordinal != 0; });
    const bool allOrdinal =
        std::all_of(byDay.begin(), byDay.end(), [](const WeekDay& d) { return d.ordinal != 0; });
    int mask = 0;
    for (const WeekDay& d : byDay)
        mask |= 1 << d.weekday;

    QList<Pattern> patterns;
    const auto add = [&](int kind, int step, const QDate& anchor) -> CTavDbDateRecord& {
        Pattern p{base, anchor, {}, {}};
        p.record.SetMyBrand(kind);
        p.record.SetInterval(step);
        // The week start counts only where weeks are skipped; elsewhere it stays at its default.
        const bool weeksSkipped = kind == CTavDbDateRecord::RepeatWeekly && step > 1;
        p.record.SetFirstDayOfWeek(weeksSkipped && weekStart >= 0 && weekStart <= 6 ? weekStart : 0);
        p.record.SetEndDate(maxDateTime);
        p.record.SetExceptions({});
        p.record.SetDayIndex(start.dayOfWeek() % 7);
        patterns.append(p);
        return patterns.last().record;
    };
    const auto weekly = [&](int days) -> QString {
        if (every > CTavDbDateRecord::kMaxInterval)
            return tooWide();
        add(CTavDbDateRecord::RepeatWeekly, every, start).SetWeekDayMask(static_cast<uint8_t>(days));
        return {};
    };
    const QString mixed = QStringLiteral("この組み合わせの繰り返し (%1) には対応していません");
    QString problem;
    switch (freq) {
    case Daily:
        if (!byMonthDay.isEmpty() || !byMonth.isEmpty())
            return mixed.arg(QStringLiteral("毎日の日付・月指定"));
        if (!byDay.isEmpty()) {
            // Every day that is one of these weekdays is a weekly rule.
            if (anyOrdinal || every != 1)
                return mixed.arg(QStringLiteral("毎日の曜日指定"));
            problem = weekly(mask);
        } else if (every > CTavDbDateRecord::kMaxInterval) {
            return tooWide();
        } else {
            add(CTavDbDateRecord::RepeatDaily, every, start);
        }
        break;
    case Weekly:
        if (!byMonthDay.isEmpty() || !byMonth.isEmpty() || anyOrdinal)
            return mixed.arg(QStringLiteral("毎週の日付・月・第n曜日指定"));
        problem = weekly(mask ? mask : 1 << (start.dayOfWeek() % 7));
        break;
    case Monthly:
        if (!byMonth.isEmpty() || (!byDay.isEmpty() && !byMonthDay.isEmpty()))
            return mixed.arg(QStringLiteral("毎月の月・曜日と日付の指定"));
        if (every > CTavDbDateRecord::kMaxInterval)
            return tooWide();
        if (!byDay.isEmpty() && !anyOrdinal) {
            // Every Monday of every month is every Monday.
            if (every != 1)
                return mixed.arg(QStringLiteral("n か月ごとのすべての曜日"));
            problem = weekly(mask);
        } else if (!byDay.isEmpty()) {
            if (!allOrdinal)
                return mixed.arg(QStringLiteral("第n曜日と曜日の混在"));
            for (const WeekDay& d : byDay) {
                const int week = weekIndexOf(d.ordinal);
                if (week < 0)
                    return QStringLiteral("第%1曜日には対応していません (第1〜第4、最終のみ)").arg(d.ordinal);
                CTavDbDateRecord& r = add(CTavDbDateRecord::RepeatMonthlyByWeekday, every, start);
                r.SetDayIndex(d.weekday);
                r.SetWeekIndex(week);
            }
        } else {
            for (int day : byMonthDay.isEmpty() ? QList<int>{start.day()} : byMonthDay) {
                if (day < 1 || day > 31)
                    return QStringLiteral("月末から数えた日付 (%1) には対応していません").arg(day);
                add(CTavDbDateRecord::RepeatMonthlyByDate, every, start).SetDayNumber(day);
            }
        }
        break;
    case Yearly: {
        const QList<int> months = byMonth.isEmpty() ? QList<int>{start.month()} : byMonth;
        for (int month : months)
            if (month < 1 || month > 12)
                return QStringLiteral("月の指定 (%1) が読めません").arg(month);
        if (!byDay.isEmpty()) {
            // The nth weekday of a month every year is that month's rule every twelve months.
            if (!byMonthDay.isEmpty() || !allOrdinal || byMonth.isEmpty())
                return mixed.arg(QStringLiteral("毎年の曜日指定"));
            if (every * 12 > CTavDbDateRecord::kMaxInterval)
                return tooWide();
            for (int month : months)
                for (const WeekDay& d : byDay) {
                    const int week = weekIndexOf(d.ordinal);
                    if (week < 0)
                        return QStringLiteral("第%1曜日には対応していません (第1〜第4、最終のみ)")
                            .arg(d.ordinal);
                    CTavDbDateRecord& r = add(CTavDbDateRecord::RepeatMonthlyByWeekday, every * 12,
                                              QDate(start.year(), month, 1));
                    r.SetDayIndex(d.weekday);
                    r.SetWeekIndex(week);
                }
        } else {
            if (every > CTavDbDateRecord::kMaxInterval)
                return tooWide();
            for (int month : months)
                for (int day : byMonthDay.isEmpty() ? QList<int>{start.day()} : byMonthDay) {
                    if (day < 1 || day > 31)
                        return QStringLiteral("月末から数えた日付 (%1) には対応していません").arg(day);
                    CTavDbDateRecord& r = add(CTavDbDateRecord::RepeatYearly, every, start);
                    r.SetMonthIndex(month - 1);
                    r.SetDayNumber(day);
                }
        }
        break;
    }
    case Finer:
        return QStringLiteral("毎時・毎分の繰り返しには対応していません");
    case None:
        return QStringLiteral("繰り返しの頻度がありません");
    }
    if (!problem.isEmpty())
        return problem;

    for (Pattern& p : patterns)
        p.repeat = CTavDbDateRepeat(p.record, p.anchor, QDate());
    const auto anyOccurs = [&](const CTavDbDateRepeat::Day& day) {
        return std::any_of(patterns.begin(), patterns.end(),
                           [&](const Pattern& p) { return p.repeat.OccursOn(day); });
    };
    const int startJulian = static_cast<int>(start.toJulianDay());
    const int lastJulian = static_cast<int>(CTavDbTime::lastDate().toJulianDay());
    // The start is an occurrence even where the rule would not reach it, and counts as one.
    const bool startInRule = anyOccurs(CTavDbDateRepeat::Day::of(start));

    // The last day: the until day, or the day of the counted occurrence, whichever comes first.
    int endJulian = until.isValid() ? static_cast<int>(until.toJulianDay()) : lastJulian + 1;
    if (count > 0) {
        int seen = startInRule ? 0 : 1;
        int day = startJulian;
        for (; day <= std::min(endJulian, lastJulian) && seen < count; ++day)
            if (anyOccurs(CTavDbDateRepeat::Day::ofJulian(day)))
                ++seen;
        if (seen >= count)
            endJulian = std::min(endJulian, std::max(day - 1, startJulian - (startInRule ? 0 : 1)));
    }
    const bool hasEnd = endJulian <= lastJulian;

    const int firstJulian = std::max(startJulian, static_cast<int>(CTavDbTime::firstDate().toJulianDay()));
    const int startSeconds = static_cast<int>(base.GetStartTime() - local.midnight(start));
    const int length = static_cast<int>(base.GetEndTime() - base.GetStartTime());
    const auto sortedExceptions = [&] {
        QList<QDate> sorted = exceptions;
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }();
    for (Pattern& p : patterns) {
        int day = firstJulian;
        while (day <= std::min(endJulian, lastJulian) &&
               !p.repeat.OccursOn(CTavDbDateRepeat::Day::ofJulian(day)))
            ++day;
        if (day > std::min(endJulian, lastJulian))
            continue; // never within the calendar
        const QDate first = QDate::fromJulianDay(day);
        CTavDbDateRecord r = p.record;
        if (r.GetMyBrand() != CTavDbDateRecord::RepeatMonthlyByWeekday)
            r.SetDayIndex(first.dayOfWeek() % 7); // as the rule editor keeps it: the start's weekday
        r.SetStartTime(base.GetIsUntimed() ? local.midnight(first) : local.toTime(first, startSeconds));
        r.SetEndTime(r.GetStartTime() + length);
        if (hasEnd)
            r.SetEndDate(local.midnight(QDate::fromJulianDay(endJulian)));
        // Only days the event repeats on within the calendar: an exception past the end has
        // no date the handheld could keep.
        QList<QDate> own;
        for (const QDate& d : sortedExceptions)
            if (d >= first && d.toJulianDay() <= std::min(endJulian, lastJulian) && p.repeat.OccursOn(d))
                own << d;
        r.SetExceptions(own);
        out->append(r);
    }
    if (!startInRule && CTavDbTime::inRange(start) && !sortedExceptions.contains(start))
        out->append(base);
    return {};
}

CTavDbDateICalRule CTavDbDateICalRule::FromRecord(const CTavDbDateRecord& record, QDate* first)
{
    CTavDbDateICalRule rule;
    const QDate start = record.GetStartDate();
    rule.interval = std::max(record.GetInterval(), 1);
    rule.weekStart = record.GetFirstDayOfWeek();
    if (record.HasEndDate())
        rule.until = CTavDbTime::toDate(record.GetEndDate());
    switch (record.GetMyBrand()) {
    case CTavDbDateRecord::RepeatDaily:
        rule.freq = Daily;
        break;
    case CTavDbDateRecord::RepeatWeekly: {
        rule.freq = Weekly;
        const int mask =
            record.GetWeekDayMask() & 0x7F ? record.GetWeekDayMask() & 0x7F : 1 << (start.dayOfWeek() % 7);
        for (int d = 0; d < 7; ++d)
            if (mask >> d & 1)
                rule.byDay.append({0, d});
        break;
    }
    case CTavDbDateRecord::RepeatMonthlyByWeekday:
        rule.freq = Monthly;
        rule.byDay.append(
            {record.GetWeekIndex() == CTavDbDateRecord::kLastWeek ? -1 : record.GetWeekIndex() + 1,
             record.GetDayIndex()});
        break;
    case CTavDbDateRecord::RepeatMonthlyByDate:
        rule.freq = Monthly;
        rule.byMonthDay.append(record.GetDayNumber() ? record.GetDayNumber() : start.day());
        break;
    case CTavDbDateRecord::RepeatYearly:
        rule.freq = Yearly;
        rule.byMonth.append(record.GetDayNumber() ? record.GetMonthIndex() + 1 : start.month());
        rule.byMonthDay.append(record.GetDayNumber() ? record.GetDayNumber() : start.day());
        break;
    default:
        break;
    }
    if (first) {
        // The rule's first day; exceptions stay out of the search, the files name them apart.
        CTavDbDateRecord bare = record;
        bare.SetExceptions({});
        const CTavDbDateRepeat plain(bare, start, rule.until);
        *first = QDate();
        const int last = std::min(static_cast<int>(CTavDbTime::lastDate().toJulianDay()), plain.LastJulian());
        for (int day = plain.FirstJulian(); day <= last; ++day)
            if (plain.OccursOn(CTavDbDateRepeat::Day::ofJulian(day))) {
                *first = QDate::fromJulianDay(day);
                break;
            }
    }
    return rule;
}

int CTavDbDateICalRule::AlarmMinutes(const CTavDbDateRecord& record)
{
    switch (record.GetAlarmUnit()) {
    case CTavDbDateRecord::AlarmHours:
        return record.GetAlarmAdvance() * 60;
    case CTavDbDateRecord::AlarmDays:
        return record.GetAlarmAdvance() * 1440;
    default:
        return record.GetAlarmAdvance();
    }
}
