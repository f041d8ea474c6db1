#include <QHash>

#include "CTavDbArchiveConverter.h"
#include "CTavDbDateRecord.h"
#include "CTavDbTime.h"

namespace {
enum Field : int
{
    Start = 3,
    End,
    Desc,
    Duration,
    Note,
    Untimed,
    Private,
    Category,
    Alarm,
    AlarmAdvance,
    AlarmUnit,
    Repeat
};

// The file's rule brands; 6 (yearly on the nth weekday) is kept by the store as a monthly rule
// by weekday every 12 months, which meets the same days.
enum Brand : int32_t
{
    Daily = 1,
    Weekly,
    MonthlyByWeekday,
    MonthlyByDate,
    YearlyByDate,
    YearlyByWeekday
};

int weekdayOf(const QDate& d)
{
    return d.dayOfWeek() % 7; // 0 = Sunday
}

int weekOfMonth(const QDate& d)
{
    return (d.day() - 1) / 7; // 4 = the fifth, which is always the last
}

class DateConverter final : public CTavDbArchiveConverter
{
public:
    CTavDbArchiveFile::Kind Kind() const override { return CTavDbArchiveFile::KindDate; }
    std::vector<uint16_t> Schema() const override { return {1, 1, 1, 3, 1, 5, 1, 5, 6, 6, 1, 6, 1, 1, 8}; }
    int PrivateField() const override { return Private; }
    int CategoryField() const override { return Category; }
    std::unique_ptr<CTavDbPcRecord> NewRecord() const override
    {
        return std::make_unique<CTavDbDateRecord>();
    }
    bool IsRepeating(const CTavDbPcRecord& record) const override
    {
        return static_cast<const CTavDbDateRecord&>(record).IsRepeating();
    }

    TavStatus ToStore(const CTavDbArchiveRecord& in, CTavDbPcRecord& out) const override
    {
        auto& r = static_cast<CTavDbDateRecord&>(out);
        r.SetStartTime(in.value(Start));
        r.SetEndTime(in.value(End));
        r.SetDesc(text(in.text(Desc)));
        r.SetNote(text(in.text(Note)));
        r.SetUntimed(in.value(Untimed) != 0);
        r.SetAlarm(in.value(Alarm) != 0);
        r.SetAlarmAdvance(in.value(AlarmAdvance));
        r.SetAlarmUnit(in.value(AlarmUnit));
        const CTavDbArchiveRepeat& rp = in.repeat;
        QList<QDate> exceptions;
        exceptions.reserve(qsizetype(rp.exceptions.size()));
        for (int32_t d : rp.exceptions)
            exceptions.append(CTavDbTime::toDate(d));
        r.SetExceptions(exceptions);
        if (rp.tag != 0) {
            r.SetInterval(rp.interval);
            r.SetEndDate(fromFileDate(rp.endDate));
            r.SetFirstDayOfWeek(rp.firstDayOfWeek);
            switch (rp.brand) {
            case Daily:
                r.SetMyBrand(CTavDbDateRecord::RepeatDaily);
                r.SetDayIndex(rp.dayIndex);
                break;
            case Weekly:
                r.SetMyBrand(CTavDbDateRecord::RepeatWeekly);
                r.SetDayIndex(rp.dayIndex);
                r.SetWeekDayMask(rp.daysMask);
                break;
            case MonthlyByWeekday:
                r.SetMyBrand(CTavDbDateRecord::RepeatMonthlyByWeekday);
                r.SetDayIndex(rp.dayIndex);
                r.SetWeekIndex(rp.weekIndex);
                break;
            case MonthlyByDate:
                r.SetMyBrand(CTavDbDateRecord::RepeatMonthlyByDate);
                r.SetDayNumber(rp.dayNumber);
                break;
            case YearlyByDate:
                r.SetMyBrand(CTavDbDateRecord::RepeatYearly);
                r.SetDayNumber(rp.dayNumber);
                r.SetMonthIndex(rp.monthIndex);
                break;
            case YearlyByWeekday: {
                const QDate first = r.GetStartDate();
                if (rp.interval < 0 || rp.interval > CTavDbDateRecord::kMaxInterval / 12 || !first.isValid())
                    return TavStatusCode::InvalidArgument;
                r.SetMyBrand(CTavDbDateRecord::RepeatMonthlyByWeekday);
                r.SetInterval(std::max(1, rp.interval) * 12);
                r.SetDayIndex(weekdayOf(first));
                r.SetWeekIndex(weekOfMonth(first));
                break;
            }
            default:
                return TavStatusCode::Corrupt;
            }
        }
        return r.Validate() == TavStatusCode::Ok ? TavStatusCode::Ok : TavStatusCode::InvalidArgument;
    }

    void FromStore(const CTavDbPcRecord& in, CTavDbArchiveRecord& out) const override
    {
        const auto& r = static_cast<const CTavDbDateRecord&>(in);
        if (out.value(Start) != r.GetStartTime() || out.value(End) != r.GetEndTime() ||
            out.value(Duration) == 0)
            out.set(Duration, (r.GetEndTime() - r.GetStartTime()) / 60);
        out.set(Start, r.GetStartTime());
        out.set(End, r.GetEndTime());
        out.setText(Desc, bytes(r.GetDesc()));
        out.setText(Note, bytes(r.GetNote()));
        out.set(Untimed, r.GetIsUntimed());
        out.set(Alarm, r.GetIsAlarmSet());
        out.set(AlarmAdvance, r.GetAlarmAdvance());
        out.set(AlarmUnit, r.GetAlarmUnit());

        CTavDbArchiveRepeat& rp = out.repeat;
        const int32_t oldBrand = rp.tag != 0 ? rp.brand : 0;
        rp = CTavDbArchiveRepeat();
        for (const QDate& d : r.GetExceptions())
            rp.exceptions.push_back(CTavDbTime::fromDate(d));
        if (!r.IsRepeating())
            return;
        rp.tag = 1; // the writer puts the class header or a reference
        rp.interval = r.GetInterval();
        rp.endDate = r.HasEndDate() ? r.GetEndDate() : CTavDbArchiveFile::kNoDate;
        rp.firstDayOfWeek = r.GetFirstDayOfWeek();
        switch (r.GetMyBrand()) {
        case CTavDbDateRecord::RepeatDaily:
            rp.brand = Daily;
            rp.dayIndex = r.GetDayIndex();
            break;
        case CTavDbDateRecord::RepeatWeekly:
            rp.brand = Weekly;
            rp.dayIndex = r.GetDayIndex();
            rp.daysMask = r.GetWeekDayMask();
            break;
        case CTavDbDateRecord::RepeatMonthlyByWeekday: {
            const QDate first = r.GetStartDate();
            if (oldBrand == YearlyByWeekday && r.GetInterval() % 12 == 0 && first.isValid() &&
                r.GetDayIndex() == weekdayOf(first) && r.GetWeekIndex() == weekOfMonth(first)) {
                rp.brand = YearlyByWeekday;
                rp.interval = r.GetInterval() / 12;
                break;
            }
            rp.brand = MonthlyByWeekday;
            rp.dayIndex = r.GetDayIndex();
            rp.weekIndex = r.GetWeekIndex();
            break;
        }
        case CTavDbDateRecord::RepeatMonthlyByDate:
            rp.brand = MonthlyByDate;
            rp.dayNumber = r.GetDayNumber();
            break;
        default:
            rp.brand = YearlyByDate;
            rp.dayNumber = r.GetDayNumber();
            rp.monthIndex = r.GetMonthIndex();
            break;
        }
    }

    size_t Fingerprint(const CTavDbPcRecord& record) const override
    {
        const auto& r = static_cast<const CTavDbDateRecord&>(record);
        size_t h = qHashMulti(0, r.GetDesc(), r.GetNote(), r.GetStartTime(), r.GetEndTime(), r.GetIsUntimed(),
                              r.GetIsAlarmSet(), r.GetAlarmAdvance(), r.GetAlarmUnit(), r.GetMyBrand());
        h = qHashMulti(h, r.GetInterval(), r.GetWeekDayMask(), r.GetDayIndex(), r.GetWeekIndex(),
                       r.GetMonthIndex(), r.GetDayNumber(), r.GetFirstDayOfWeek(), r.GetEndDate());
        for (const QDate& d : r.GetExceptions())
            h = qHashMulti(h, d.toJulianDay());
        return h;
    }
};
} // namespace

const CTavDbArchiveConverter& CTavDbArchiveConverter::Date()
{
    static const DateConverter converter;
    return converter;
}
