#include "CTavDbDateICalDraft.h"

#include <algorithm>

#include "CTavDbDateICalLocal.h"
#include "CTavDbText.h"

namespace {
constexpr int kLastMinute = 23 * 3600 + 59 * 60;

// The advance as the handheld keeps it: the finest unit that holds it; one that holds it only
// rounded is rounded to the earlier alarm.
void setAlarm(CTavDbDateRecord& r, int minutes, bool* rounded)
{
    *rounded = false;
    const struct
    {
        int unit;
        int size;
    } units[] = {{CTavDbDateRecord::AlarmMinutes, 1},
                 {CTavDbDateRecord::AlarmHours, 60},
                 {CTavDbDateRecord::AlarmDays, 1440}};
    for (const auto& u : units)
        if (minutes % u.size == 0 && minutes / u.size <= CTavDbDateRecord::kMaxAlarmAdvance) {
            r.SetAlarmUnit(u.unit);
            r.SetAlarmAdvance(minutes / u.size);
            return;
        }
    *rounded = true;
    for (const auto& u : units)
        if ((minutes + u.size - 1) / u.size <= CTavDbDateRecord::kMaxAlarmAdvance) {
            r.SetAlarmUnit(u.unit);
            r.SetAlarmAdvance((minutes + u.size - 1) / u.size);
            return;
        }
    r.SetAlarmUnit(CTavDbDateRecord::AlarmDays);
    r.SetAlarmAdvance(CTavDbDateRecord::kMaxAlarmAdvance);
}

// Line ends as line feeds (or blanks where the field has one line) and no other control
// characters, which neither file format carries through.
QString cleaned(QString text, bool lines)
{
    const auto odd = [lines](QChar c) {
        return (c.unicode() < 0x20 && c != u'\t' && (c != u'\n' || !lines)) ||
               c == QChar::ReplacementCharacter;
    };
    // Most texts need no change and are not copied.
    if (std::any_of(text.cbegin(), text.cend(), odd)) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        for (QChar& c : text)
            if (c == u'\r' || (c == u'\n' && !lines))
                c = lines ? u'\n' : u' ';
            else if (c.unicode() < 0x20 && c != u'\n' && c != u'\t')
                c = u' ';
            else if (c == QChar::ReplacementCharacter)
                c = u'?'; // bytes that were no text; the handheld shows the same
    }
    // Blanks around the text do not survive every calendar program's reader.
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (!text.isEmpty() && blank(text.back()))
        text.chop(1);
    qsizetype lead = 0;
    while (lead < text.size() && blank(text.at(lead)))
        ++lead;
    return lead ? text.mid(lead) : text;
}

// Whether the text takes more bytes than the limit; a character takes two bytes at most.
bool overLimit(const QString& text, int limit)
{
    return text.size() * 2 > limit && CTavDbText::mbLength(text) > limit;
}

QString alarmText(const CTavDbDateRecord& r)
{
    const QString units[] = {QStringLiteral("分"), QStringLiteral("時間"), QStringLiteral("日")};
    return QString::number(r.GetAlarmAdvance()) + units[r.GetAlarmUnit()];
}
} // namespace

QString CTavDbDateICalDraft::Name() const
{
    QString title = summary.simplified();
    if (title.size() > 40)
        title = title.left(40) + QStringLiteral("…");
    if (title.isEmpty())
        title = QStringLiteral("(件名なし)");
    return QStringLiteral("「%1」").arg(title) +
           (startDate.isValid() ? startDate.toString(QStringLiteral("(yyyy/MM/dd)")) : QString());
}

void CTavDbDateICalDraft::Build(CTavDbDateICalLocal& local, QList<CTavDbDateICalEvent>* out,
                                QStringList* notes) const
{
    const auto refuse = [&](const QString& why) {
        if (notes)
            notes->append(Name() + QStringLiteral(": ") + why);
    };
    QStringList changes;
    if (!caution.isEmpty())
        changes << caution;
    if (!problem.isEmpty())
        return refuse(problem);
    if (!startDate.isValid())
        return refuse(QStringLiteral("開始日時がありません"));
    if (!CTavDbDateICalLocal::holdable(startDate) || (!repeats && !CTavDbTime::inRange(startDate)))
        return refuse(QStringLiteral("日付が 1970〜2031 年の範囲外です"));

    CTavDbDateICalRule ruleHere = rule;
    bool isRepeating = repeats;
    CTavDbDateRecord base;
    base.SetUntimed(untimed);
    base.SetTextColor(false, 0xFFFFFF);
    if (untimed) {
        base.SetStartTime(local.midnight(startDate));
        base.SetEndTime(base.GetStartTime());
        // An event over several whole days is the same event every day until the last.
        if (hasEnd && endDate.isValid() && endDate > startDate.addDays(1)) {
            if (repeats)
                return refuse(QStringLiteral("複数日にわたる繰り返し予定には対応していません"));
            isRepeating = true;
            ruleHere = CTavDbDateICalRule();
            ruleHere.freq = CTavDbDateICalRule::Daily;
            ruleHere.until = endDate.addDays(-1);
        }
    } else {
        base.SetStartTime(local.toTime(startDate, startSeconds));
        int endAt = startSeconds;
        if (hasEnd && endDate.isValid()) {
            if (endDate == startDate)
                endAt = std::max(endSeconds, startSeconds);
            else if (endDate > startDate) {
                endAt = kLastMinute;
                // Up to midnight is up to the day's last minute, which is all the handheld shows.
                if (endDate > startDate.addDays(1) || endSeconds > 0)
                    changes << QStringLiteral("翌日以降に終わるため終了を 23:59 にしました");
            }
        }
        base.SetEndTime(local.toTime(startDate, std::max(endAt, startSeconds)));
    }

    QString desc = cleaned(summary, false);
    if (overLimit(desc, CTavDbDateRecord::kMaxDescBytes)) {
        // Cut short, it may end in blanks again.
        desc = cleaned(CTavDbText::truncateToBytes(desc, CTavDbDateRecord::kMaxDescBytes), false);
        changes << QStringLiteral("件名を %1 バイトに切り詰めました").arg(CTavDbDateRecord::kMaxDescBytes);
    }
    QString note = cleaned(description, true);
    if (overLimit(note, CTavDbDateRecord::kMaxNoteBytes)) {
        note = cleaned(CTavDbText::truncateToBytes(note, CTavDbDateRecord::kMaxNoteBytes), true);
        changes << QStringLiteral("メモを %1 バイトに切り詰めました").arg(CTavDbDateRecord::kMaxNoteBytes);
    }
    base.SetDesc(desc);
    base.SetNote(note);
    base.SetPrivate(isPrivate);
    if (hasAlarm) {
        base.SetAlarm(true);
        bool rounded = false;
        setAlarm(base, std::max(alarmMinutes, 0), &rounded);
        if (alarmMinutes < 0)
            changes << QStringLiteral("開始後のアラームを開始時刻にしました");
        else if (rounded)
            changes << QStringLiteral("アラームを %1前にしました").arg(alarmText(base));
    }

    QList<CTavDbDateRecord> records;
    if (isRepeating) {
        if (zoneShift != 0) {
            // The zone moved the start to another day: weekdays move with it; days of the month
            // would not move the same way at the month's ends.
            if (ruleHere.freq == CTavDbDateICalRule::Monthly || ruleHere.freq == CTavDbDateICalRule::Yearly)
                return refuse(QStringLiteral("時差で日付が変わる毎月・毎年の繰り返しには対応していません"));
            for (CTavDbDateICalRule::WeekDay& d : ruleHere.byDay)
                d.weekday = ((d.weekday + zoneShift) % 7 + 7) % 7;
        }
        const QString why = ruleHere.ToRecords(base, startDate, exceptions, local, &records);
        if (!why.isEmpty())
            return refuse(why);
        if (records.isEmpty())
            return refuse(QStringLiteral("1970〜2031 年の範囲に予定がありません"));
    } else {
        records << base;
    }
    for (const QDate& day : extraDays) {
        if (!CTavDbTime::inRange(day) || exceptions.contains(day))
            continue;
        CTavDbDateRecord single = base;
        const int length = base.GetEndTime() - base.GetStartTime();
        single.SetStartTime(untimed ? local.midnight(day) : local.toTime(day, startSeconds));
        single.SetEndTime(single.GetStartTime() + length);
        records << single;
    }
    // A semicolon parts names as vCalendar lists them, also where an iCalendar writer copied them.
    QStringList names;
    for (const QString& name : categories)
        for (const QString& part : cleaned(name, false).split(u';', Qt::SkipEmptyParts))
            if (!part.trimmed().isEmpty())
                names << part.trimmed();
    for (const CTavDbDateRecord& r : records)
        out->append({r, names});
    if (records.size() > 1)
        changes << QStringLiteral("%1 件の予定に分けました").arg(records.size());
    if (notes && !changes.isEmpty())
        notes->append(Name() + QStringLiteral(": ") + changes.join(QStringLiteral("、")));
}
