#include "CTavScRepeatRule.h"

#include <QStringList>

#include "CTavDbDateRecord.h"

namespace {
const char16_t* const kFullDays[] = {u"日曜日", u"月曜日", u"火曜日", u"水曜日",
                                     u"木曜日", u"金曜日", u"土曜日"};
const char16_t* const kShortDays[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};

// Fills the "%s" of a format in order, as the string table's formats are written.
QString format(const QString& pattern, const QStringList& args)
{
    QString out;
    int next = 0;
    for (int i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size() && pattern[i + 1] == u's') {
            out += next < args.size() ? args[next] : QString();
            ++next;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

int weekdayOf(const QDate& date)
{
    return date.dayOfWeek() % 7;
}

QString weekLabel(int day)
{
    const int week = (day + 6) / 7;
    return week >= 5 ? QStringLiteral("最後の") : QStringLiteral("第 %1").arg(week);
}
} // namespace

CTavScRepeatRule CTavScRepeatRule::FromRecord(const CTavDbDateRecord& record)
{
    CTavScRepeatRule rule;
    rule.interval = record.GetInterval();
    if (rule.interval <= 0 || rule.interval > 99)
        rule.interval = 1;
    rule.hasEnd = record.HasEndDate();
    if (rule.hasEnd)
        rule.endDate = CTavDbTime::toDate(record.GetEndDate());
    switch (record.GetMyBrand()) {
    case CTavDbDateRecord::RepeatDaily:
        rule.kind = Daily;
        break;
    case CTavDbDateRecord::RepeatWeekly:
        rule.kind = Weekly;
        rule.mask = record.GetWeekDayMask();
        break;
    case CTavDbDateRecord::RepeatMonthlyByWeekday:
        rule.kind = Monthly;
        rule.method = ByWeekday;
        rule.mask = static_cast<uint8_t>(1u << (record.GetDayIndex() & 7) & 0x7F);
        rule.weekIndex = record.GetWeekIndex();
        break;
    case CTavDbDateRecord::RepeatMonthlyByDate:
        rule.kind = Monthly;
        rule.method = ByDate;
        break;
    case CTavDbDateRecord::RepeatYearly:
        rule.kind = Yearly;
        rule.monthIndex = record.GetMonthIndex();
        break;
    default:
        rule.kind = None;
        break;
    }
    return rule;
}

void CTavScRepeatRule::ToRecord(CTavDbDateRecord& record, const QDate& start, int firstDayOfWeek) const
{
    record.SetInterval(kind == None ? 0 : interval);
    record.SetFirstDayOfWeek(firstDayOfWeek);
    record.SetEndDate(kind != None && hasEnd && endDate.isValid()
                          ? CTavDbTime::fromDateAndTime(endDate, QTime(23, 59, 59))
                          : maxDateTime);
    switch (kind) {
    case Daily:
        record.SetMyBrand(CTavDbDateRecord::RepeatDaily);
        record.SetDayIndex(weekdayOf(start));
        break;
    case Weekly:
        record.SetMyBrand(CTavDbDateRecord::RepeatWeekly);
        record.SetWeekDayMask(mask);
        record.SetDayIndex(1);
        break;
    case Monthly:
        if (method == ByDate) {
            record.SetMyBrand(CTavDbDateRecord::RepeatMonthlyByDate);
            record.SetDayNumber(start.day());
            record.SetDayIndex(0);
        } else {
            record.SetMyBrand(CTavDbDateRecord::RepeatMonthlyByWeekday);
            record.SetWeekIndex(weekIndex);
            record.SetDayIndex(weekdayOf(start));
        }
        break;
    case Yearly:
        record.SetMyBrand(CTavDbDateRecord::RepeatYearly);
        record.SetMonthIndex(monthIndex);
        record.SetDayNumber(start.day());
        record.SetDayIndex(0);
        break;
    default:
        record.SetMyBrand(CTavDbDateRecord::RepeatNone);
        break;
    }
}

CTavScRepeatRule CTavScRepeatRule::MovedTo(const QDate& from, const QDate& to) const
{
    CTavScRepeatRule moved = *this;
    if (!from.isValid() || !to.isValid() || from == to)
        return moved;
    moved.weekIndex = WeekIndexOf(to);
    moved.monthIndex = to.month() - 1;
    if (kind == Weekly)
        moved.mask = static_cast<uint8_t>((mask & ~(1u << weekdayOf(from))) | 1u << weekdayOf(to));
    return moved;
}

QString CTavScRepeatRule::IntervalWord(int interval)
{
    if (interval <= 1)
        return QStringLiteral("毎");
    if (interval == 2)
        return QStringLiteral("隔");
    return QString::number(interval);
}

QString CTavScRepeatRule::DayList(uint8_t mask)
{
    QStringList days;
    for (int d = 0; d < 7; ++d) {
        if (mask & (1u << d))
            days << QString::fromUtf16(kShortDays[d]);
    }
    if (days.size() == 1) {
        for (int d = 0; d < 7; ++d) {
            if (mask & (1u << d))
                return QString::fromUtf16(kFullDays[d]);
        }
    }
    QString out;
    for (int i = 0; i < days.size(); ++i)
        out += i + 1 < days.size() ? days[i] + QStringLiteral(", ") : QStringLiteral("および ") + days[i];
    return out;
}

QString CTavScRepeatRule::Describe(const QDate& start, const QString& locale) const
{
    const bool english = locale == QStringLiteral("enUS");
    const QString w = IntervalWord(interval);
    const bool plain = interval <= 2;
    switch (kind) {
    case Daily:
        return format(plain ? QStringLiteral("%s日") : QStringLiteral(" %s 日おきに"), {w});
    case Weekly:
        return format(plain ? QStringLiteral("%s週 %s") : QStringLiteral(" %s 週おきの %s"),
                      {w, DayList(mask)});
    case Monthly: {
        if (method == ByDate) {
            const QString day = QString::number(start.day());
            return format(plain ? QStringLiteral("%s月 %s 日") : QStringLiteral(" %s ヶ月おきの %s 日"),
                          english ? QStringList{day, w} : QStringList{w, day});
        }
        const QString label = weekLabel(start.day());
        const QString name = QString::fromUtf16(kFullDays[weekdayOf(start)]);
        return format(plain ? QStringLiteral("%s月%s %s") : QStringLiteral(" %s ヶ月おきの%s %s"),
                      english ? QStringList{label, name, w} : QStringList{w, label, name});
    }
    case Yearly: {
        const QString month = QStringLiteral("%1月").arg(start.month());
        const QString day = QString::number(start.day());
        return format(plain ? QStringLiteral("%s年 %s %s日") : QStringLiteral(" %s 年おきの %s %s日"),
                      english ? QStringList{month, day, w} : QStringList{w, month, day});
    }
    default:
        return QStringLiteral("なし");
    }
}
