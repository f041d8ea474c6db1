#!/usr/bin/env python3
"""Schedule events for the benchmarks, from one fixed seed.

usage: gen_events.py N OUTDIR
  events.jsonl      one event a line: desc, note, start/end "YYYY-MM-DDTHH:MM", untimed,
                    private, category (0..5) and repeat {kind, interval, mask, week_index,
                    weekday, day_number, month_index, end_date, exceptions}
  events.cli.jsonl  the same events as `lumora-cli add schedule` reads them
  events.ics        the same events as iCalendar 2.0 (floating local times, RRULE, EXDATE)
Repeat kinds: 0 none, 1 daily, 2 weekly (mask bit 0 = Sunday), 3 monthly by weekday
(week_index 0..3, 4 = last), 4 monthly by date, 5 yearly. Exceptions are real occurrences.
Events are drawn one after the other, so the first K events are the same for every N >= K.
"""
import datetime as dt
import os
import random
import sys

from benchfiles import count_arg, escape_text, fold_line, json_lines, write_atomically

SEED = 61_2024
DAY = dt.timedelta(days=1)
FROM, TO = dt.date(2020, 1, 1), dt.date(2030, 12, 31)
LAST_DAY = dt.date(2031, 12, 31)            # the calendar's last day: rules without an end stop here
CATEGORY_NAMES = ["未分類", "仕事", "プライベート", "家族", "旅行", "習い事"]
WEEKDAYS = ["SU", "MO", "TU", "WE", "TH", "FR", "SA"]

TOPICS = ["営業会議", "週次ミーティング", "打合せ", "眼科", "大阪出張", "母の誕生日", "資源ごみの日",
          "中国語教室", "水泳", "進捗報告会", "月末締め", "歓迎会", "昼食会", "散髪", "給与振込",
          "リハビリ", "新人研修", "採用面接", "学童お迎え", "バイオリン", "課内会議", "Team standup",
          "Budget review", "1:1", "提出期限", "記念日", "定期点検", "人間ドック", "在庫確認",
          "出荷", "請求書発行", "勉強会", "自治会", "少年野球", "茶道"]
ROOMS = ["本店", "名古屋営業所", "品川", "池袋", "小会議室", "大会議室", "Teams", "川崎", "神戸",
         "仙台", "広島", "応接室"]
NOTES = ["持参：名刺、議事録", "住所 神奈川県横浜市中区1-2-3", "TEL 045-987-6543",
         "議題; 売上, 採用, 日程", "https://example.org/x?y=1,2", "パス\\共有フォルダ",
         "小雨決行", "駐輪場あり", "前々日までに出欠連絡", "会議ID 987 654 3210",
         "同席：高木さん、森さん", "10分前集合", ""]


def weekday_sun0(d):
    return d.isoweekday() % 7


def month_length(y, m):
    return ((dt.date(y + m // 12, m % 12 + 1, 1)) - dt.date(y, m, 1)).days


def month_after(y, m, k):
    n = y * 12 + m - 1 + k
    return n // 12, n % 12 + 1


def nth_weekday(y, m, week_index, weekday):
    if week_index == 4:
        last = dt.date(y, m, month_length(y, m))
        return last - (weekday_sun0(last) - weekday) % 7 * DAY
    first = dt.date(y, m, 1)
    return first + ((weekday - weekday_sun0(first)) % 7 + 7 * week_index) * DAY


def occurrences(start, rule, limit):
    """The first `limit` dates on which a rule occurs, exceptions not removed."""
    last = dt.date.fromisoformat(rule["end_date"]) if rule["end_date"] else LAST_DAY
    kind, every = rule["kind"], rule["interval"]
    found = []
    step = 0
    while len(found) < limit:
        if kind == 1:
            days = [start + step * every * DAY]
        elif kind == 2:
            week = start - weekday_sun0(start) * DAY + 7 * step * every * DAY
            days = [week + i * DAY for i in range(7) if rule["mask"] >> i & 1]
        else:
            months = every * (12 if kind == 5 else 1)
            y, m = month_after(start.year, start.month, step * months)
            if dt.date(y, m, 1) > last:
                break
            if kind == 3:
                days = [nth_weekday(y, m, rule["week_index"], rule["weekday"])]
            else:
                n = rule["day_number"]
                days = [dt.date(y, m, n)] if n <= month_length(y, m) else []
        if days and days[0] > last:
            break
        found += [d for d in days if start <= d <= last]
        step += 1
    return found[:limit]


def pick(rng, weights):
    """A key of the dict, drawn by its weight."""
    return rng.choices(list(weights), list(weights.values()))[0]


def draw_rule(rng, start, kind):
    rule = {"kind": kind, "interval": 0, "mask": 0, "week_index": 0, "weekday": 0, "day_number": 0,
            "month_index": 0, "end_date": None, "exceptions": []}
    if not kind:
        return rule
    rule["interval"] = pick(rng, {1: {1: 55, 2: 15, 3: 10, 5: 5, 7: 5, 14: 5, 30: 3, 99: 2},
                                  2: {1: 68, 2: 20, 3: 5, 4: 5, 99: 2},
                                  3: {1: 82, 2: 10, 3: 5, 6: 3},
                                  4: {1: 75, 2: 10, 3: 10, 12: 5},
                                  5: {1: 94, 2: 4, 4: 2}}[kind])
    if kind == 2:
        rule["mask"] = 1 << weekday_sun0(start)
        x = rng.random()
        if x < 0.12:
            rule["mask"] |= 0b0111110                      # working days
        elif x < 0.35:
            for day in rng.sample(range(7), rng.randint(1, 2)):
                rule["mask"] |= 1 << day
    elif kind == 3:
        rule["weekday"] = weekday_sun0(start)
        last_week = start.day + 7 > month_length(start.year, start.month)
        rule["week_index"] = 4 if start.day > 28 or (last_week and rng.random() < 0.5) else (start.day - 1) // 7
    elif kind == 4:
        rule["day_number"] = start.day
    else:
        rule["month_index"], rule["day_number"] = start.month - 1, start.day
    if rng.random() < {1: 0.65, 2: 0.5, 3: 0.35, 4: 0.35, 5: 0.1}[kind]:
        length = rng.randint(1, 20) if kind == 1 and rng.random() < 0.5 else rng.randint(7, 4 * 365)
        rule["end_date"] = min(start + length * DAY, LAST_DAY).isoformat()
    if rng.random() < 0.18:
        later = occurrences(start, rule, 50)[1:]
        if later:
            chosen = rng.sample(later, min(len(later), rng.randint(1, 3)))
            rule["exceptions"] = [d.isoformat() for d in sorted(chosen)]
    return rule


def draw_event(rng):
    kind = pick(rng, {1: 15, 2: 40, 3: 15, 4: 15, 5: 15}) if rng.random() < 0.3 else 0
    start = FROM + rng.randrange((TO - FROM).days + 1) * DAY
    untimed = rng.random() < {0: 0.12, 1: 0.1, 2: 0.08, 3: 0.2, 4: 0.3, 5: 0.75}[kind]
    begin = end = "00:00"
    if not untimed:
        minutes = pick(rng, {h: (4 if 9 <= h < 18 else 1) for h in range(6, 22)}) * 60
        minutes += pick(rng, {0: 7, 15: 1, 30: 4, 45: 1})
        finish = min(minutes + pick(rng, {15: 1, 30: 4, 60: 6, 90: 2, 120: 2, 240: 1}), 23 * 60 + 55)
        begin, end = f"{minutes // 60:02d}:{minutes % 60:02d}", f"{finish // 60:02d}:{finish % 60:02d}"
    rule = draw_rule(rng, start, kind)
    desc = rng.choice(TOPICS) + (f"＠{rng.choice(ROOMS)}" if rng.random() < 0.3 else "")
    note = "\n".join(rng.choice(NOTES) for _ in range(rng.randint(1, 3))) if rng.random() < 0.3 else ""
    return {"desc": desc, "note": note, "start": f"{start}T{begin}", "end": f"{start}T{end}",
            "untimed": untimed, "repeat": rule, "private": rng.random() < 0.1,
            "category": pick(rng, {0: 40, 1: 25, 2: 15, 3: 10, 4: 5, 5: 5})}


def cli_form(event):
    rule = event["repeat"]
    start = dt.date.fromisoformat(event["start"][:10])
    return {"desc": event["desc"], "note": event["note"], "start": event["start"] + ":00",
            "end": event["end"] + ":00", "untimed": event["untimed"], "private": event["private"],
            "category": event["category"],
            "repeat": {"kind": rule["kind"], "interval": max(rule["interval"], 1), "weekMask": rule["mask"],
                       "dayIndex": rule["weekday"] if rule["kind"] == 3 else weekday_sun0(start),
                       "weekIndex": rule["week_index"], "monthIndex": rule["month_index"],
                       "dayNumber": rule["day_number"], "firstDayOfWeek": 0, "endDate": rule["end_date"],
                       "exceptions": rule["exceptions"]}}


def ics_event(number, event):
    day = event["start"][:10].replace("-", "")
    at = event["start"][11:].replace(":", "") + "00"
    rule = event["repeat"]
    lines = ["BEGIN:VEVENT", f"UID:ev-{number:06d}@bench.invalid", "DTSTAMP:20240101T000000Z"]
    if event["untimed"]:
        next_day = (dt.date.fromisoformat(event["start"][:10]) + DAY).strftime("%Y%m%d")
        lines += [f"DTSTART;VALUE=DATE:{day}", f"DTEND;VALUE=DATE:{next_day}"]
    else:
        lines += [f"DTSTART:{day}T{at}", f"DTEND:{day}T{event['end'][11:].replace(':', '')}00"]
    lines.append("SUMMARY:" + escape_text(event["desc"]))
    if event["note"]:
        lines.append("DESCRIPTION:" + escape_text(event["note"]))
    if event["private"]:
        lines.append("CLASS:PRIVATE")
    lines.append("CATEGORIES:" + escape_text(CATEGORY_NAMES[event["category"]]))
    if rule["kind"]:
        parts = ["FREQ=" + ["", "DAILY", "WEEKLY", "MONTHLY", "MONTHLY", "YEARLY"][rule["kind"]],
                 f"INTERVAL={rule['interval']}"]
        if rule["kind"] == 2:
            parts.append("BYDAY=" + ",".join(WEEKDAYS[i] for i in range(7) if rule["mask"] >> i & 1))
        elif rule["kind"] == 3:
            nth = -1 if rule["week_index"] == 4 else rule["week_index"] + 1
            parts.append(f"BYDAY={nth}{WEEKDAYS[rule['weekday']]}")
        elif rule["kind"] == 4:
            parts.append(f"BYMONTHDAY={rule['day_number']}")
        elif rule["kind"] == 5:
            parts += [f"BYMONTH={rule['month_index'] + 1}", f"BYMONTHDAY={rule['day_number']}"]
        if rule["end_date"]:
            until = rule["end_date"].replace("-", "")
            parts.append("UNTIL=" + (until if event["untimed"] else until + "T235959"))
        parts.append("WKST=SU")
        lines.append("RRULE:" + ";".join(parts))
        if rule["exceptions"]:
            dates = [d.replace("-", "") for d in rule["exceptions"]]
            lines.append("EXDATE;VALUE=DATE:" + ",".join(dates) if event["untimed"]
                         else "EXDATE:" + ",".join(d + "T" + at for d in dates))
    lines.append("END:VEVENT")
    return b"".join(fold_line(x) for x in lines)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    count, folder = count_arg(sys.argv[1]), sys.argv[2]
    rng = random.Random(SEED)
    events = [draw_event(rng) for _ in range(count)]
    write_atomically(os.path.join(folder, "events.jsonl"), json_lines(events))
    write_atomically(os.path.join(folder, "events.cli.jsonl"), json_lines(cli_form(e) for e in events))
    calendar = [b"BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Lumora//bench events//JA\r\nCALSCALE:GREGORIAN\r\n"]
    calendar += [ics_event(i, e) for i, e in enumerate(events, 1)]
    calendar.append(b"END:VCALENDAR\r\n")
    write_atomically(os.path.join(folder, "events.ics"), b"".join(calendar))
    repeating = sum(1 for e in events if e["repeat"]["kind"])
    print(f"{count} events ({repeating} repeating) in {folder}")


if __name__ == "__main__":
    main()
