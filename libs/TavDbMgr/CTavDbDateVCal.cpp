#include "CTavDbDateVCal.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTimeZone>
#include <algorithm>
#include <cctype>
#include <optional>

#include "CTavDbDateICalLocal.h"
#include "CTavDbDateICalRule.h"
#include "CTavDbVCardLines.h"
#include "CTavDbVCardProperty.h"

namespace {
using Dialect = CTavDbVCardProperty::Dialect;

const char* const kWeekdays[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

int weekdayOf(QByteArrayView token)
{
    for (int i = 0; i < 7; ++i)
        if (CTavDbAscii::same(token, kWeekdays[i]))
            return i;
    return -1;
}

bool allDigits(QByteArrayView s)
{
    if (s.isEmpty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// A date or date-time value: "20240501", "20240501T090000", "20240501T000000Z".
struct Stamp
{
    QDate date;
    int seconds = 0;
    bool isDate = false;
    bool utc = false;
};

std::optional<Stamp> stampOf(QByteArrayView v)
{
    v = v.trimmed();
    Stamp s;
    if (v.size() >= 8 && allDigits(v.first(8)))
        s.date = QDate(v.first(4).toInt(), v.sliced(4, 2).toInt(), v.sliced(6, 2).toInt());
    if (!s.date.isValid())
        return std::nullopt;
    if (v.size() == 8) {
        s.isDate = true;
        return s;
    }
    if (v.size() < 15 || (v[8] != 'T' && v[8] != 't') || !allDigits(v.sliced(9, 6)))
        return std::nullopt;
    const int h = v.sliced(9, 2).toInt(), m = v.sliced(11, 2).toInt(), sec = v.sliced(13, 2).toInt();
    if (h > 24 || m > 59 || sec > 60)
        return std::nullopt;
    s.seconds = std::min(h * 3600 + m * 60 + sec, 86399);
    s.utc = v.size() > 15 && (v[15] == 'Z' || v[15] == 'z');
    return s;
}

// Times of the file in local time: UTC ones converted, the others in the file's TZ when it
// names one, else local already.
struct Clock
{
    std::optional<int> offset; // the TZ property's seconds east of UTC
    bool ownFile = false;      // written by this program, which states whole days as dates

    bool local(const Stamp& s, QDate* date, int* seconds) const
    {
        if (s.isDate || (!s.utc && !offset)) {
            *date = s.date;
            *seconds = s.seconds;
            return true;
        }
        const QDateTime at(s.date, QTime::fromMSecsSinceStartOfDay(s.seconds * 1000),
                           QTimeZone(s.utc ? 0 : *offset));
        const QDateTime here = at.toLocalTime();
        *date = here.date();
        *seconds = here.time().msecsSinceStartOfDay() / 1000;
        return date->isValid();
    }
};

std::optional<int> offsetOf(QByteArrayView v)
{
    // "+09:00", "-0500", "+9"
    v = v.trimmed();
    if (v.isEmpty() || (v[0] != '+' && v[0] != '-'))
        return std::nullopt;
    QByteArray digits;
    for (char c : v.sliced(1))
        if (c >= '0' && c <= '9')
            digits += c;
    int hours = 0, minutes = 0;
    if (digits.size() <= 2)
        hours = digits.toInt();
    else if (digits.size() == 4) {
        hours = digits.left(2).toInt();
        minutes = digits.mid(2).toInt();
    } else
        return std::nullopt;
    if (hours > 14 || minutes > 59)
        return std::nullopt;
    const int seconds = hours * 3600 + minutes * 60;
    return v[0] == '-' ? -seconds : seconds;
}

QList<QByteArrayView> listOf(QByteArrayView v)
{
    QList<QByteArrayView> out;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= v.size(); ++i)
        if (i == v.size() || v[i] == ';' || v[i] == ',') {
            if (i > from)
                out << v.sliced(from, i - from).trimmed();
            from = i + 1;
        }
    return out;
}

CTavDbDateICalDraft draftOf(const QList<QByteArray>& lines, const Clock& clock)
{
    CTavDbDateICalDraft d;
    std::optional<Stamp> start, end;
    QByteArray until;
    bool hasRule = false;
    QByteArrayView ruleText;
    QList<QByteArray> exdates, rdates, alarms;
    int weekStart = 0;
    for (const QByteArray& line : lines) {
        CTavDbVCardProperty p;
        if (!p.parse(line))
            continue;
        if (p.is("DTSTART")) {
            start = stampOf(p.rawValue());
            if (!start)
                d.problem = QStringLiteral("DTSTART が読めません");
        } else if (p.is("DTEND")) {
            end = stampOf(p.rawValue());
        } else if (p.is("SUMMARY")) {
            d.summary = p.value(Dialect::V21);
        } else if (p.is("DESCRIPTION")) {
            d.description = p.value(Dialect::V21);
        } else if (p.is("CATEGORIES")) {
            for (const QString& name :
                 p.value(Dialect::V21).split(QRegularExpression(QStringLiteral("[;,]")), Qt::SkipEmptyParts))
                d.categories << name.trimmed();
        } else if (p.is("CLASS")) {
            d.isPrivate = CTavDbAscii::same(p.rawValue().trimmed(), "PRIVATE") ||
                          CTavDbAscii::same(p.rawValue().trimmed(), "CONFIDENTIAL");
        } else if (p.is("RRULE")) {
            if (hasRule)
                d.problem = QStringLiteral("複数の RRULE には対応していません");
            hasRule = true;
            ruleText = p.rawValue();
        } else if (p.is("EXRULE")) {
            d.problem = QStringLiteral("EXRULE には対応していません");
        } else if (p.is("EXDATE")) {
            exdates << p.rawValue().toByteArray();
        } else if (p.is("RDATE")) {
            rdates << p.rawValue().toByteArray();
        } else if (p.is("X-LUMORA-WKST")) {
            weekStart = weekdayOf(p.rawValue().trimmed());
        } else if (p.is("AALARM") || p.is("DALARM")) {
            alarms << p.rawValue().toByteArray();
        }
    }
    if (!d.problem.isEmpty())
        return d;
    if (!start) {
        d.problem = QStringLiteral("開始日時がありません");
        return d;
    }
    // Phones write a whole day as midnight to the day's last minute (or the next midnight), on
    // their own clock: the day stays the day wherever the file is read.
    const bool wholeDay = !clock.ownFile && !start->isDate && !start->utc && start->seconds == 0 && end &&
                          !end->isDate && !end->utc &&
                          ((end->date == start->date && end->seconds >= 23 * 3600 + 59 * 60) ||
                           (end->date == start->date.addDays(1) && end->seconds == 0));
    if (wholeDay || start->isDate) {
        d.startDate = start->date;
        d.untimed = true;
        d.hasEnd = true;
        d.endDate = end && end->isDate && end->date > start->date ? end->date : start->date.addDays(1);
    } else if (!clock.local(*start, &d.startDate, &d.startSeconds)) {
        d.problem = QStringLiteral("DTSTART が読めません");
        return d;
    } else if (end && clock.local(*end, &d.endDate, &d.endSeconds)) {
        d.hasEnd = true;
    }
    d.zoneShift = static_cast<int>(start->date.daysTo(d.startDate));
    // The other times of a whole-day event are on the same clock as its day.
    const auto place = [&](const Stamp& s, QDate* day, int* seconds) {
        if (!d.untimed)
            return clock.local(s, day, seconds);
        *day = s.date;
        *seconds = s.seconds;
        return true;
    };
    if (hasRule) {
        d.repeats = true;
        d.rule = CTavDbDateVCal::ParseRule(ruleText, &until);
        // The format has no week start; weeks begin on Sunday unless this program said otherwise.
        d.rule.weekStart = std::max(weekStart, 0);
        if (!until.isEmpty()) {
            const std::optional<Stamp> u = stampOf(until);
            QDate day;
            int seconds = 0;
            if (!u || !place(*u, &day, &seconds)) {
                d.problem = QStringLiteral("繰り返しの終了日が読めません");
                return d;
            }
            d.rule.until = !u->isDate && !d.untimed && seconds < d.startSeconds ? day.addDays(-1) : day;
        }
    }
    const auto days = [&](const QList<QByteArray>& values, QList<QDate>* out) {
        for (const QByteArray& v : values)
            for (QByteArrayView item : listOf(v)) {
                QDate day;
                int seconds = 0;
                if (const std::optional<Stamp> s = stampOf(item); s && place(*s, &day, &seconds))
                    *out << day;
            }
    };
    days(exdates, &d.exceptions);
    days(rdates, &d.extraDays);
    for (const QByteArray& alarm : alarms) {
        const QList<QByteArrayView> parts = listOf(alarm);
        QDate day;
        int seconds = 0;
        const std::optional<Stamp> at = parts.isEmpty() ? std::nullopt : stampOf(parts.first());
        if (!at || !place(*at, &day, &seconds))
            continue;
        const qint64 before = (qint64(day.daysTo(d.startDate)) * 86400 + d.startSeconds - seconds) / 60;
        const int minutes = static_cast<int>(std::clamp<qint64>(before, -1, 1 << 20));
        if (!d.hasAlarm || minutes > d.alarmMinutes)
            d.alarmMinutes = minutes;
        d.hasAlarm = true;
    }
    return d;
}

// Text as a vCalendar 1.0 value: plain ASCII as it is, anything else UTF-8 quoted-printable.
QByteArray textProperty(const char* name, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    bool plain = true;
    for (char c : utf8)
        if (static_cast<unsigned char>(c) >= 0x7F || c < 0x20 || c == '=')
            plain = false;
    if (plain)
        return QByteArray(name) + ':' + utf8 + "\r\n";
    QByteArray line = QByteArray(name) + ";CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:";
    qsizetype width = line.size();
    static const char hex[] = "0123456789ABCDEF";
    QByteArray normalised = utf8;
    normalised.replace("\r\n", "\n").replace('\n', "\r\n");
    for (char c : normalised) {
        const auto u = static_cast<unsigned char>(c);
        QByteArray piece;
        if (u >= 0x20 && u < 0x7F && c != '=')
            piece = QByteArray(1, c);
        else
            piece = QByteArray("=") + hex[u >> 4] + hex[u & 15];
        if (width + piece.size() > 74) {
            line += "=\r\n";
            width = 0;
        }
        line += piece;
        width += piece.size();
    }
    return line + "\r\n";
}

QByteArray stampText(const QDate& date, int seconds, bool isDate)
{
    QByteArray s = date.toString(QStringLiteral("yyyyMMdd")).toLatin1();
    if (!isDate)
        s += 'T' +
             QTime::fromMSecsSinceStartOfDay(seconds * 1000).toString(QStringLiteral("HHmmss")).toLatin1();
    return s;
}

QByteArray ruleText(const CTavDbDateICalRule& rule, bool untimed)
{
    QByteArray s;
    const QByteArray every = QByteArray::number(rule.interval);
    const auto weekdays = [&] {
        for (const auto& d : rule.byDay)
            s += ' ' + QByteArray(kWeekdays[d.weekday]);
    };
    switch (rule.freq) {
    case CTavDbDateICalRule::Daily:
        s = "D" + every;
        break;
    case CTavDbDateICalRule::Weekly:
        s = "W" + every;
        weekdays();
        break;
    case CTavDbDateICalRule::Monthly:
        if (!rule.byDay.isEmpty()) {
            const auto& d = rule.byDay.first();
            s = "MP" + every + ' ' + QByteArray::number(std::abs(d.ordinal)) + (d.ordinal < 0 ? "- " : "+ ") +
                kWeekdays[d.weekday];
        } else {
            s = "MD" + every + ' ' + QByteArray::number(rule.byMonthDay.value(0));
        }
        break;
    case CTavDbDateICalRule::Yearly:
        s = "YM" + every + ' ' + QByteArray::number(rule.byMonth.value(0));
        break;
    default:
        return {};
    }
    s += ' ';
    s += rule.until.isValid() ? stampText(rule.until, untimed ? 0 : 86399, false) : QByteArray("#0");
    return s;
}

int secondsOf(TavTime t)
{
    return CTavDbTime::toTime(t).msecsSinceStartOfDay() / 1000;
}
} // namespace

CTavDbDateICalRule CTavDbDateVCal::ParseRule(QByteArrayView text, QByteArray* untilText)
{
    CTavDbDateICalRule rule;
    QList<QByteArrayView> tokens;
    text = text.trimmed();
    for (qsizetype i = 0, from = 0; i <= text.size(); ++i)
        if (i == text.size() || text[i] == ' ' || text[i] == '\t') {
            if (i > from)
                tokens << text.sliced(from, i - from);
            from = i + 1;
        }
    const QString shown = QString::fromLatin1(text.first(std::min<qsizetype>(text.size(), 40)));
    const auto bad = [&](const QString& why) {
        rule.unsupported = why;
        return rule;
    };
    if (tokens.isEmpty())
        return bad(QStringLiteral("繰り返しの規則が空です"));
    QByteArrayView head = tokens.takeFirst();
    qsizetype letters = 0;
    while (letters < head.size() && std::isalpha(static_cast<unsigned char>(head[letters])))
        ++letters;
    const QByteArray kind = head.first(letters).toByteArray().toUpper();
    if (!allDigits(head.sliced(letters)))
        return bad(QStringLiteral("繰り返しの規則 \"%1\" が読めません").arg(shown));
    rule.interval = head.sliced(letters).toInt();
    if (rule.interval < 1)
        return bad(QStringLiteral("繰り返しの間隔が読めません"));
    // Without a duration a vCalendar rule occurs twice.
    rule.count = 2;
    if (!tokens.isEmpty()) {
        const QByteArrayView last = tokens.last();
        if (last.startsWith('#')) {
            if (!allDigits(last.sliced(1)))
                return bad(QStringLiteral("繰り返しの回数が読めません"));
            rule.count = last.sliced(1).toInt();
            tokens.removeLast();
        } else if (last.size() >= 8 && allDigits(last.first(8))) {
            rule.count = 0;
            *untilText = last.toByteArray();
            tokens.removeLast();
        }
    }
    int ordinal = 0;
    for (QByteArrayView t : tokens) {
        if (t.endsWith('$'))
            t.chop(1);
        if (t.isEmpty())
            continue;
        if (std::isalpha(static_cast<unsigned char>(t[0])) && weekdayOf(t) < 0 && !CTavDbAscii::same(t, "LD"))
            return bad(QStringLiteral("入れ子の繰り返しには対応していません"));
        const int weekday = weekdayOf(t);
        const bool sign = t.endsWith('+') || t.endsWith('-');
        const QByteArrayView number = sign ? t.first(t.size() - 1) : t;
        if (kind == "W" && weekday >= 0) {
            rule.byDay.append({0, weekday});
        } else if (kind == "MP" && sign && allDigits(number)) {
            ordinal = t.endsWith('-') ? -number.toInt() : number.toInt();
        } else if (kind == "MP" && weekday >= 0 && ordinal != 0) {
            rule.byDay.append({ordinal, weekday});
        } else if (kind == "MD" && CTavDbAscii::same(t, "LD")) {
            rule.byMonthDay.append(-1);
        } else if (kind == "MD" && allDigits(number)) {
            rule.byMonthDay.append(t.endsWith('-') ? -number.toInt() : number.toInt());
        } else if (kind == "YM" && allDigits(t)) {
            rule.byMonth.append(t.toInt());
        } else {
            return bad(QStringLiteral("繰り返しの規則 \"%1\" が読めません").arg(shown));
        }
    }
    if (kind == "D")
        rule.freq = CTavDbDateICalRule::Daily;
    else if (kind == "W")
        rule.freq = CTavDbDateICalRule::Weekly;
    else if (kind == "MP" || kind == "MD")
        rule.freq = CTavDbDateICalRule::Monthly;
    else if (kind == "YM")
        rule.freq = CTavDbDateICalRule::Yearly;
    else if (kind == "YD")
        return bad(QStringLiteral("年の何日目の繰り返しには対応していません"));
    else if (kind == "M" || kind == "H")
        return bad(QStringLiteral("毎時・毎分の繰り返しには対応していません"));
    else
        return bad(QStringLiteral("繰り返しの規則 \"%1\" が読めません").arg(shown));
    if (kind == "MP" && rule.byDay.isEmpty())
        return bad(QStringLiteral("第n曜日の指定がありません"));
    return rule;
}

TavStatus CTavDbDateVCal::Read(const QByteArray& bytes, QList<CTavDbDateICalEvent>* events,
                               QStringList* notes)
{
    CTavDbVCardLines lines(bytes);
    Clock clock;
    bool inCalendar = false;
    bool sawCalendar = false;
    bool inEvent = false;
    bool overlong = false;
    QList<QByteArray> eventLines;
    QList<CTavDbDateICalDraft> drafts;
    while (lines.next()) {
        const QByteArrayView line = lines.line();
        if (CTavDbAscii::same(line.trimmed(), "BEGIN:VCALENDAR")) {
            inCalendar = sawCalendar = true;
        } else if (CTavDbAscii::same(line.trimmed(), "END:VCALENDAR")) {
            inCalendar = false;
        } else if (inCalendar && CTavDbAscii::same(line.trimmed(), "BEGIN:VEVENT")) {
            inEvent = true;
            overlong = false;
            eventLines.clear();
        } else if (inEvent && CTavDbAscii::same(line.trimmed(), "END:VEVENT")) {
            inEvent = false;
            CTavDbDateICalDraft d = draftOf(eventLines, clock);
            if (overlong)
                d.problem = QStringLiteral("長すぎる行があります");
            drafts.append(std::move(d));
        } else if (inEvent) {
            overlong = overlong || lines.overlong();
            eventLines << lines.lineBytes();
        } else if (inCalendar) {
            CTavDbVCardProperty p;
            if (p.parse(line) && p.is("TZ"))
                clock.offset = offsetOf(p.rawValue());
            else if (p.is("PRODID"))
                clock.ownFile = p.rawValue().startsWith("-//Lumora//");
        }
    }
    if (!sawCalendar)
        return TavStatusCode::Corrupt;
    if (inEvent && notes)
        notes->append(
            QStringLiteral("ファイルが途中で終わっています: 読めたところまでの予定を読み込みました"));
    CTavDbDateICalLocal local;
    for (const CTavDbDateICalDraft& d : drafts)
        d.Build(local, events, notes);
    return TavStatusCode::Ok;
}

QByteArray CTavDbDateVCal::Write(const QList<CTavDbDateICalEvent>& events)
{
    QByteArray out = "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nPRODID:-//Lumora//Schedule//JA\r\n";
    for (const CTavDbDateICalEvent& e : events) {
        const CTavDbDateRecord& r = e.record;
        QDate first = r.GetStartDate();
        CTavDbDateICalRule rule;
        if (r.IsRepeating()) {
            rule = CTavDbDateICalRule::FromRecord(r, &first);
            if (!first.isValid())
                continue;
        }
        const bool untimed = r.GetIsUntimed();
        const int start = secondsOf(r.GetStartTime());
        out += "BEGIN:VEVENT\r\n";
        out += "DTSTART:" + stampText(first, start, untimed) + "\r\n";
        out += "DTEND:" +
               (untimed ? stampText(first.addDays(1), 0, true)
                        : stampText(first, secondsOf(r.GetEndTime()), false)) +
               "\r\n";
        out += textProperty("SUMMARY", r.GetDesc());
        if (!r.GetNote().isEmpty())
            out += textProperty("DESCRIPTION", r.GetNote());
        out += r.GetIsPrivate() ? "CLASS:PRIVATE\r\n" : "CLASS:PUBLIC\r\n";
        if (!e.categories.isEmpty())
            out += textProperty("CATEGORIES", e.categories.first());
        if (r.IsRepeating()) {
            out += "RRULE:" + ruleText(rule, untimed) + "\r\n";
            if (rule.freq == CTavDbDateICalRule::Weekly && rule.interval > 1 && rule.weekStart > 0 &&
                rule.weekStart < 7)
                out += "X-LUMORA-WKST:" + QByteArray(kWeekdays[rule.weekStart]) + "\r\n";
            if (!r.GetExceptions().isEmpty()) {
                QByteArrayList days;
                for (const QDate& d : r.GetExceptions())
                    days << stampText(d, start, untimed);
                out += "EXDATE:" + days.join(';') + "\r\n";
            }
        }
        if (r.GetIsAlarmSet()) {
            const QDateTime at = QDateTime(first, QTime::fromMSecsSinceStartOfDay(start * 1000))
                                     .addSecs(-qint64(CTavDbDateICalRule::AlarmMinutes(r)) * 60);
            const QByteArray when = stampText(at.date(), at.time().msecsSinceStartOfDay() / 1000, false);
            out += "AALARM:" + when + ";;0;\r\n";
            out += "DALARM:" + when + ";;0;\r\n";
        }
        out += "END:VEVENT\r\n";
    }
    return out + "END:VCALENDAR\r\n";
}
