#include "CTavDbDateRecord.h"

#include <algorithm>

#include "CTavDbText.h"
#include "CTavSqliteStatement.h"

namespace {
QString exceptionsText(const QList<QDate>& dates)
{
    QStringList keys;
    keys.reserve(dates.size());
    for (const QDate& d : dates)
        keys << CTavDbTime::dayKey(d);
    return keys.join(u',');
}

QList<QDate> exceptionsFromText(const QString& text)
{
    QList<QDate> dates;
    for (const QString& key : text.split(u',', Qt::SkipEmptyParts)) {
        const QDate d = CTavDbTime::fromDayKey(key);
        if (d.isValid())
            dates << d;
    }
    return dates;
}

bool within(int value, int low, int high)
{
    return value >= low && value <= high;
}
} // namespace

void CTavDbDateRecord::GetIcon(QString& name, uint32_t& type, int& id) const
{
    name = m_f.iconName;
    type = m_f.iconType;
    id = m_f.iconId;
}

void CTavDbDateRecord::SetIcon(const QString& name, uint32_t type, int id)
{
    m_f.iconName = name;
    m_f.iconType = type;
    m_f.iconId = id;
}

void CTavDbDateRecord::GetTextColor(bool& set, uint32_t& color) const
{
    set = m_f.colorSet;
    color = m_f.color;
}

void CTavDbDateRecord::SetTextColor(bool set, uint32_t color)
{
    m_f.colorSet = set;
    m_f.color = color;
}

void CTavDbDateRecord::CopyRepeatRule(const CTavDbDateRecord& from)
{
    m_f.kind = from.m_f.kind;
    m_f.interval = from.m_f.interval;
    m_f.endDate = from.m_f.endDate;
    m_f.firstDayOfWeek = from.m_f.firstDayOfWeek;
    m_f.dayIndex = from.m_f.dayIndex;
    m_f.weekMask = from.m_f.weekMask;
    m_f.weekIndex = from.m_f.weekIndex;
    m_f.monthIndex = from.m_f.monthIndex;
    m_f.dayNumber = from.m_f.dayNumber;
}

void CTavDbDateRecord::SetExceptions(const QList<QDate>& dates)
{
    m_f.exceptions.clear();
    for (const QDate& d : dates)
        if (d.isValid())
            m_f.exceptions << d;
    std::sort(m_f.exceptions.begin(), m_f.exceptions.end());
    m_f.exceptions.erase(std::unique(m_f.exceptions.begin(), m_f.exceptions.end()), m_f.exceptions.end());
}

bool CTavDbDateRecord::AddException(const QDate& date)
{
    if (!date.isValid())
        return false;
    const auto it = std::lower_bound(m_f.exceptions.begin(), m_f.exceptions.end(), date);
    if (it != m_f.exceptions.end() && *it == date)
        return false;
    m_f.exceptions.insert(it, date);
    return true;
}

bool CTavDbDateRecord::IsException(const QDate& date) const
{
    return std::binary_search(m_f.exceptions.begin(), m_f.exceptions.end(), date);
}

TavStatus CTavDbDateRecord::Validate() const
{
    const bool ok =
        CTavDbText::mbLength(m_f.desc) <= kMaxDescBytes && CTavDbText::mbLength(m_f.note) <= kMaxNoteBytes &&
        CTavDbText::mbLength(m_f.iconName) <= kMaxIconNameBytes &&
        CTavDbText::mbLength(m_f.sheet) <= kMaxSheetNameBytes && CTavDbTime::inRange(GetStartDate()) &&
        (m_f.untimed || m_f.end >= m_f.start) && within(m_f.alarmAdvance, 0, kMaxAlarmAdvance) &&
        within(m_f.alarmUnit, AlarmMinutes, AlarmDays) && within(m_f.iconId, 0, 0xFFFF) &&
        within(m_f.kind, RepeatNone, RepeatYearly) && within(m_f.interval, 0, kMaxInterval) &&
        m_f.weekMask <= 0x7F && within(m_f.dayIndex, 0, 6) && within(m_f.weekIndex, 0, kLastWeek) &&
        within(m_f.monthIndex, 0, 11) && within(m_f.dayNumber, 0, 31) && within(m_f.firstDayOfWeek, 0, 6) &&
        m_f.endDate >= 0;
    return ok ? TavStatusCode::Ok : TavStatusCode::InvalidArgument;
}

void CTavDbDateRecord::Reset()
{
    CTavDbPcRecord::Reset();
    m_f = Fields();
}

bool CTavDbDateRecord::IsEqualPdt(const CTavDbPcRecord& other) const
{
    const auto* o = dynamic_cast<const CTavDbDateRecord*>(&other);
    return o && CTavDbPcRecord::IsEqualPdt(other) && m_f == o->m_f;
}

void CTavDbDateRecord::BindFields(CTavSqliteStatement& st) const
{
    st.bind(m_f.desc)
        .bind(m_f.note)
        .bind(static_cast<int64_t>(m_f.start))
        .bind(static_cast<int64_t>(m_f.end));
    st.bind(m_f.untimed).bind(m_f.alarm).bind(m_f.alarmAdvance).bind(m_f.alarmUnit);
    st.bind(m_f.iconName).bind(m_f.iconType).bind(m_f.iconId).bind(m_f.colorSet).bind(m_f.color);
    st.bind(m_f.kind)
        .bind(m_f.interval)
        .bind(static_cast<int>(m_f.weekMask))
        .bind(m_f.dayIndex)
        .bind(m_f.weekIndex);
    st.bind(m_f.monthIndex)
        .bind(m_f.dayNumber)
        .bind(m_f.firstDayOfWeek)
        .bind(static_cast<int64_t>(m_f.endDate));
    st.bind(exceptionsText(m_f.exceptions)).bind(m_f.sheet);
}

void CTavDbDateRecord::ReadFields(CTavSqliteStatement& st)
{
    m_f.desc = st.text();
    m_f.note = st.text();
    m_f.start = st.int32();
    m_f.end = st.int32();
    m_f.untimed = st.boolean();
    m_f.alarm = st.boolean();
    m_f.alarmAdvance = st.int32();
    m_f.alarmUnit = st.int32();
    m_f.iconName = st.text();
    m_f.iconType = st.uint32();
    m_f.iconId = st.int32();
    m_f.colorSet = st.boolean();
    m_f.color = st.uint32();
    m_f.kind = st.int32();
    m_f.interval = st.int32();
    m_f.weekMask = static_cast<uint8_t>(st.uint32());
    m_f.dayIndex = st.int32();
    m_f.weekIndex = st.int32();
    m_f.monthIndex = st.int32();
    m_f.dayNumber = st.int32();
    m_f.firstDayOfWeek = st.int32();
    m_f.endDate = st.int32();
    SetExceptions(exceptionsFromText(st.text()));
    m_f.sheet = st.text();
}
