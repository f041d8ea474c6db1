#include "CTavDbDateICal.h"

#include <QDateTime>
#include <QHash>
#include <QTimeZone>
#include <cstdlib>
#include <functional>
#include <libical/ical.h>
#include <memory>

#include "CTavDbClock.h"
#include "CTavDbDateICalLocal.h"

namespace {
struct ComponentFree
{
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

QString text(const char* s)
{
    return s ? QString::fromUtf8(s) : QString();
}

// A time of the file as a local day and second of the day, and the day it falls on in its own
// zone; false for a zone that is neither in the file nor known here.
struct LocalTime
{
    QDate date;
    int seconds = 0;
    bool isDate = false;
    QDate ownDate;
};

class TimeReader
{
public:
    explicit TimeReader(icalcomponent* root) : m_root(root) {}

    bool read(icaltimetype t, icalproperty* p, LocalTime* out, QString* problem)
    {
        out->isDate = t.is_date;
        out->ownDate = QDate(t.year, t.month, t.day);
        if (!out->ownDate.isValid()) {
            *problem = QStringLiteral("日付が読めません");
            return false;
        }
        if (t.is_date) {
            out->date = out->ownDate;
            return true;
        }
        const int wall = t.hour * 3600 + t.minute * 60 + t.second;
        icalparameter* tz = p ? icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER) : nullptr;
        qint64 utc = 0;
        if (icaltime_is_utc(t)) {
            utc = icaltime_as_timet(t);
        } else if (tz) {
            const char* id = icalparameter_get_tzid(tz);
            if (icaltimezone* zone = m_root && id ? icalcomponent_get_timezone(m_root, id) : nullptr) {
                utc = icaltime_as_timet_with_zone(t, zone);
            } else {
                const QTimeZone named(QByteArray(id ? id : ""));
                if (!named.isValid()) {
                    *problem = QStringLiteral("タイムゾーン %1 がわかりません").arg(text(id));
                    return false;
                }
                utc = QDateTime(out->ownDate, QTime::fromMSecsSinceStartOfDay(wall * 1000), named)
                          .toSecsSinceEpoch();
            }
        } else {
            out->date = out->ownDate;
            out->seconds = std::min(wall, 86399);
            return true;
        }
        const QDateTime local = QDateTime::fromSecsSinceEpoch(utc);
        out->date = local.date();
        out->seconds = local.time().msecsSinceStartOfDay() / 1000;
        return true;
    }

private:
    icalcomponent* m_root;
};

// An error the parser left in the event about a property the event is built from.
QString parseError(icalcomponent* event)
{
    static const char* const kUsed[] = {"DTSTART", "DTEND", "DURATION",     "RRULE",
                                        "EXDATE",  "RDATE", "RECURRENCE-ID"};
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_XLICERROR_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_XLICERROR_PROPERTY)) {
        const QString error = text(icalproperty_get_xlicerror(p));
        for (const char* name : kUsed)
            if (error.contains(QStringLiteral(" %1 ").arg(QLatin1String(name))))
                return QStringLiteral("%1 が読めません").arg(QLatin1String(name));
    }
    return {};
}

CTavDbDateICalRule ruleOf(const icalrecurrencetype& r)
{
    CTavDbDateICalRule rule;
    switch (r.freq) {
    case ICAL_DAILY_RECURRENCE:
        rule.freq = CTavDbDateICalRule::Daily;
        break;
    case ICAL_WEEKLY_RECURRENCE:
        rule.freq = CTavDbDateICalRule::Weekly;
        break;
    case ICAL_MONTHLY_RECURRENCE:
        rule.freq = CTavDbDateICalRule::Monthly;
        break;
    case ICAL_YEARLY_RECURRENCE:
        rule.freq = CTavDbDateICalRule::Yearly;
        break;
    case ICAL_NO_RECURRENCE:
        rule.freq = CTavDbDateICalRule::None;
        break;
    default:
        rule.freq = CTavDbDateICalRule::Finer;
        break;
    }
    rule.interval = r.interval;
    rule.count = r.count;
    if (r.week_start >= ICAL_SUNDAY_WEEKDAY && r.week_start <= ICAL_SATURDAY_WEEKDAY)
        rule.weekStart = r.week_start - ICAL_SUNDAY_WEEKDAY;
    for (int i = 0; i < ICAL_BY_DAY_SIZE && r.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        rule.byDay.append({icalrecurrencetype_day_position(r.by_day[i]),
                           static_cast<int>(icalrecurrencetype_day_day_of_week(r.by_day[i])) - 1});
    for (int i = 0; i < ICAL_BY_MONTHDAY_SIZE && r.by_month_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        rule.byMonthDay.append(r.by_month_day[i]);
    for (int i = 0; i < ICAL_BY_MONTH_SIZE && r.by_month[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        rule.byMonth.append(icalrecurrencetype_month_month(r.by_month[i]));
    for (const auto& wd : rule.byDay)
        if (wd.weekday < 0 || wd.weekday > 6)
            rule.unsupported = QStringLiteral("曜日の指定が読めません");
    if (r.by_set_pos[0] != ICAL_RECURRENCE_ARRAY_MAX)
        rule.unsupported = QStringLiteral("BYSETPOS には対応していません");
    else if (r.by_year_day[0] != ICAL_RECURRENCE_ARRAY_MAX || r.by_week_no[0] != ICAL_RECURRENCE_ARRAY_MAX)
        rule.unsupported = QStringLiteral("年の何日目・何週目の指定には対応していません");
    else if (r.by_hour[0] != ICAL_RECURRENCE_ARRAY_MAX || r.by_minute[0] != ICAL_RECURRENCE_ARRAY_MAX ||
             r.by_second[0] != ICAL_RECURRENCE_ARRAY_MAX)
        rule.unsupported = QStringLiteral("時刻ごとの繰り返しには対応していません");
    else if (r.rscale)
        rule.unsupported = QStringLiteral("グレゴリオ暦以外の繰り返しには対応していません");
    return rule;
}

struct Reader
{
    icalcomponent* root;
    TimeReader times{root};
    QList<CTavDbDateICalDraft> drafts;
    QHash<QString, qsizetype> masters;      // UID -> draft of the repeating event
    QList<std::pair<QString, QDate>> moved; // UID, the local day of an occurrence moved or cancelled

    void readEvent(icalcomponent* event);
};

void Reader::readEvent(icalcomponent* event)
{
    CTavDbDateICalDraft d;
    d.summary = text(icalcomponent_get_summary(event));
    d.description = text(icalcomponent_get_description(event));
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_CATEGORIES_PROPERTY))
        for (const QString& name : text(icalproperty_get_categories(p)).split(u',', Qt::SkipEmptyParts))
            d.categories << name.trimmed();
    if (icalproperty* p = icalcomponent_get_first_property(event, ICAL_CLASS_PROPERTY)) {
        const icalproperty_class c = icalproperty_get_class(p);
        d.isPrivate = c == ICAL_CLASS_PRIVATE || c == ICAL_CLASS_CONFIDENTIAL;
    }
    const QString uid = text(icalcomponent_get_uid(event));
    icalproperty* recurrenceId = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
    const bool cancelled = icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED;

    d.problem = parseError(event);
    icalproperty* start = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    LocalTime begin;
    if (d.problem.isEmpty() && !start)
        d.problem = QStringLiteral("開始日時がありません");
    if (d.problem.isEmpty() && times.read(icalproperty_get_dtstart(start), start, &begin, &d.problem)) {
        d.startDate = begin.date;
        d.startSeconds = begin.seconds;
        d.untimed = begin.isDate;
        d.zoneShift = static_cast<int>(begin.ownDate.daysTo(begin.date));
    }
    if (d.problem.isEmpty()) {
        LocalTime end;
        if (icalproperty* p = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY)) {
            d.hasEnd = times.read(icalproperty_get_dtend(p), p, &end, &d.problem);
        } else if (icalproperty* p = icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY)) {
            const int seconds = icaldurationtype_as_int(icalproperty_get_duration(p));
            const QDateTime at =
                QDateTime(d.startDate, QTime::fromMSecsSinceStartOfDay(d.startSeconds * 1000))
                    .addSecs(std::max(seconds, 0));
            end.date = at.date();
            end.seconds = at.time().msecsSinceStartOfDay() / 1000;
            d.hasEnd = true;
        }
        d.endDate = end.date;
        d.endSeconds = end.seconds;
    }
    if (d.problem.isEmpty()) {
        if (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY)) {
            d.repeats = true;
            const icalrecurrencetype r = icalproperty_get_rrule(p);
            d.rule = ruleOf(r);
            if (icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY))
                d.rule.unsupported = QStringLiteral("複数の RRULE には対応していません");
            if (!icaltime_is_null_time(r.until)) {
                LocalTime until;
                if (times.read(r.until, nullptr, &until, &d.problem))
                    // The last start is on or before the until time.
                    d.rule.until =
                        !until.isDate && until.seconds < d.startSeconds ? until.date.addDays(-1) : until.date;
            }
        }
        const icaltimetype first = icalproperty_get_dtstart(start);
        if (d.repeats && !first.is_date &&
            (icaltime_is_utc(first) || icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER))) {
            // The handheld repeats at one local time; half a year on, the zones may be apart by
            // another hour.
            icaltimetype later = first;
            icaltime_adjust(&later, 182, 0, 0, 0);
            LocalTime moved;
            QString ignored;
            if (times.read(later, start, &moved, &ignored) && moved.seconds != d.startSeconds)
                d.caution = QStringLiteral("夏時間の違いで一部の回の時刻が 1 時間ずれます");
        }
        if (icalcomponent_get_first_property(event, ICAL_EXRULE_PROPERTY))
            d.problem = QStringLiteral("EXRULE には対応していません");
    }
    if (d.problem.isEmpty()) {
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
            LocalTime ex;
            QString ignored;
            if (times.read(icalproperty_get_exdate(p), p, &ex, &ignored))
                d.exceptions << ex.date;
        }
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype v = icalproperty_get_rdate(p);
            LocalTime extra;
            if (times.read(icaltime_is_null_time(v.time) ? v.period.start : v.time, p, &extra, &d.problem))
                d.extraDays << extra.date;
        }
    }
    for (icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT); alarm;
         alarm = icalcomponent_get_next_component(event, ICAL_VALARM_COMPONENT)) {
        icalproperty* p = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
        if (!p || !d.problem.isEmpty())
            continue;
        const icaltriggertype trigger = icalproperty_get_trigger(p);
        int minutes = 0;
        if (!icaltime_is_null_time(trigger.time)) {
            LocalTime at;
            QString ignored;
            if (!times.read(trigger.time, p, &at, &ignored))
                continue;
            minutes = static_cast<int>(
                QDateTime(at.date, QTime::fromMSecsSinceStartOfDay(at.seconds * 1000))
                    .secsTo(QDateTime(d.startDate, QTime::fromMSecsSinceStartOfDay(d.startSeconds * 1000))) /
                60);
        } else {
            minutes = -icaldurationtype_as_int(trigger.duration) / 60;
            icalparameter* related = icalproperty_get_first_parameter(p, ICAL_RELATED_PARAMETER);
            if (related && icalparameter_get_related(related) == ICAL_RELATED_END && d.hasEnd && !d.untimed)
                minutes -= static_cast<int>(
                    QDateTime(d.startDate, QTime::fromMSecsSinceStartOfDay(d.startSeconds * 1000))
                        .secsTo(QDateTime(d.endDate, QTime::fromMSecsSinceStartOfDay(d.endSeconds * 1000))) /
                    60);
        }
        // Of several alarms the earliest is kept.
        if (!d.hasAlarm || minutes > d.alarmMinutes)
            d.alarmMinutes = minutes;
        d.hasAlarm = true;
    }

    if (recurrenceId && !uid.isEmpty()) {
        // A moved or cancelled occurrence: the repeating event leaves that day out, and the
        // moved one stands on its own.
        LocalTime day;
        QString ignored;
        if (times.read(icalproperty_get_recurrenceid(recurrenceId), recurrenceId, &day, &ignored))
            moved.append({uid, day.date});
        if (cancelled)
            return;
        d.repeats = false;
        d.rule = CTavDbDateICalRule();
        d.extraDays.clear();
    } else if (cancelled) {
        return;
    }
    if (d.repeats && !uid.isEmpty())
        masters.insert(uid, drafts.size());
    drafts.append(std::move(d));
}

// The bytes up to the last complete event, closed, for a file that ends early.
QByteArray closedEarly(const QByteArray& bytes)
{
    const qsizetype end = bytes.lastIndexOf("END:VEVENT");
    if (end < 0)
        return {};
    qsizetype after = bytes.indexOf('\n', end);
    after = after < 0 ? bytes.size() : after + 1;
    return bytes.left(after) + "\r\nEND:VCALENDAR\r\n";
}

void forEachCalendar(icalcomponent* root, const std::function<void(icalcomponent*)>& visit)
{
    if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) {
        visit(root);
        return;
    }
    for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT); c;
         c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT))
        visit(c);
}

icaltimetype floating(const QDate& date, int seconds, bool isDate)
{
    icaltimetype t = icaltime_null_time();
    t.year = date.year();
    t.month = date.month();
    t.day = date.day();
    t.is_date = isDate;
    if (!isDate) {
        t.hour = seconds / 3600;
        t.minute = seconds / 60 % 60;
        t.second = seconds % 60;
    }
    return t;
}

int secondsOf(TavTime t)
{
    return CTavDbTime::toTime(t).msecsSinceStartOfDay() / 1000;
}

void addEvent(icalcomponent* calendar, const CTavDbDateICalEvent& event, const icaltimetype& stamp)
{
    const CTavDbDateRecord& r = event.record;
    QDate first = r.GetStartDate();
    CTavDbDateICalRule rule;
    if (r.IsRepeating()) {
        rule = CTavDbDateICalRule::FromRecord(r, &first);
        if (!first.isValid())
            return;
    }
    const bool untimed = r.GetIsUntimed();
    icalcomponent* e = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    const QByteArray uid = QStringLiteral("%1-%2@lumora.schedule")
                               .arg(r.GetUniqueId(), 6, 16, QLatin1Char('0'))
                               .arg(static_cast<qint64>(r.GetStartTime()))
                               .toUtf8();
    icalcomponent_add_property(e, icalproperty_new_uid(uid.constData()));
    icalcomponent_add_property(e, icalproperty_new_dtstamp(stamp));
    const int startSeconds = secondsOf(r.GetStartTime());
    icalcomponent_add_property(e, icalproperty_new_dtstart(floating(first, startSeconds, untimed)));
    if (untimed)
        icalcomponent_add_property(e, icalproperty_new_dtend(floating(first.addDays(1), 0, true)));
    else
        icalcomponent_add_property(e,
                                   icalproperty_new_dtend(floating(first, secondsOf(r.GetEndTime()), false)));
    icalcomponent_add_property(e, icalproperty_new_summary(r.GetDesc().toUtf8().constData()));
    if (!r.GetNote().isEmpty())
        icalcomponent_add_property(e, icalproperty_new_description(r.GetNote().toUtf8().constData()));
    if (r.GetIsPrivate())
        icalcomponent_add_property(e, icalproperty_new_class(ICAL_CLASS_PRIVATE));
    if (!event.categories.isEmpty())
        icalcomponent_add_property(
            e, icalproperty_new_categories(event.categories.first().toUtf8().constData()));
    if (r.IsRepeating()) {
        icalrecurrencetype rr;
        icalrecurrencetype_clear(&rr);
        const icalrecurrencetype_frequency freqs[] = {ICAL_NO_RECURRENCE, ICAL_DAILY_RECURRENCE,
                                                      ICAL_WEEKLY_RECURRENCE, ICAL_MONTHLY_RECURRENCE,
                                                      ICAL_YEARLY_RECURRENCE};
        rr.freq = freqs[rule.freq];
        rr.interval = static_cast<short>(rule.interval);
        rr.week_start = static_cast<icalrecurrencetype_weekday>(ICAL_SUNDAY_WEEKDAY + rule.weekStart);
        int i = 0;
        for (const auto& d : rule.byDay) {
            const int code = std::abs(d.ordinal) * 8 + d.weekday + 1;
            rr.by_day[i++] = static_cast<short>(d.ordinal < 0 ? -code : code);
        }
        i = 0;
        for (int day : rule.byMonthDay)
            rr.by_month_day[i++] = static_cast<short>(day);
        i = 0;
        for (int month : rule.byMonth)
            rr.by_month[i++] = static_cast<short>(month);
        if (rule.until.isValid())
            rr.until = untimed ? floating(rule.until, 0, true) : floating(rule.until, 86399, false);
        icalcomponent_add_property(e, icalproperty_new_rrule(rr));
        for (const QDate& day : r.GetExceptions()) {
            icalproperty* p = icalproperty_new_exdate(floating(day, startSeconds, untimed));
            if (untimed)
                icalproperty_add_parameter(p, icalparameter_new_value(ICAL_VALUE_DATE));
            icalcomponent_add_property(e, p);
        }
    }
    if (r.GetIsAlarmSet()) {
        icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
        icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        icalcomponent_add_property(alarm, icalproperty_new_description(r.GetDesc().toUtf8().constData()));
        icaltriggertype trigger;
        trigger.time = icaltime_null_time();
        trigger.duration = icaldurationtype_from_int(-CTavDbDateICalRule::AlarmMinutes(r) * 60);
        icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
        icalcomponent_add_component(e, alarm);
    }
    icalcomponent_add_component(calendar, e);
}
} // namespace

TavStatus CTavDbDateICal::Read(const QByteArray& bytes, QList<CTavDbDateICalEvent>* events,
                               QStringList* notes)
{
    if (!bytes.contains("BEGIN:VCALENDAR"))
        return TavStatusCode::Corrupt;
    icalerror_set_errors_are_fatal(0);
    Component root(icalparser_parse_string(bytes.constData()));
    if (!root) {
        // A file cut short comes as nothing: read it up to its last whole event.
        const QByteArray closed = closedEarly(bytes);
        root.reset(closed.isEmpty() ? nullptr : icalparser_parse_string(closed.constData()));
        if (!root)
            return TavStatusCode::Corrupt;
        if (notes)
            notes->append(
                QStringLiteral("ファイルが途中で終わっています: 読めたところまでの予定を読み込みました"));
    }
    Reader reader{root.get(), TimeReader(root.get()), {}, {}, {}};
    forEachCalendar(root.get(), [&](icalcomponent* calendar) {
        reader.root = calendar;
        reader.times = TimeReader(calendar);
        for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
             e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
            reader.readEvent(e);
    });
    for (const auto& [uid, day] : reader.moved)
        if (const auto it = reader.masters.constFind(uid); it != reader.masters.cend())
            reader.drafts[*it].exceptions << day;
    CTavDbDateICalLocal local;
    events->reserve(events->size() + reader.drafts.size());
    for (const CTavDbDateICalDraft& d : reader.drafts)
        d.Build(local, events, notes);
    return TavStatusCode::Ok;
}

QByteArray CTavDbDateICal::Write(const QList<CTavDbDateICalEvent>& events)
{
    Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Lumora//Schedule//JA"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    const QDateTime now = CTavDbClock::Now().toUTC();
    icaltimetype stamp = floating(now.date(), now.time().msecsSinceStartOfDay() / 1000, false);
    stamp.zone = icaltimezone_get_utc_timezone();
    for (const CTavDbDateICalEvent& e : events)
        addEvent(calendar.get(), e, stamp);
    char* out = icalcomponent_as_ical_string_r(calendar.get());
    QByteArray bytes(out);
    free(out);
    return bytes;
}
