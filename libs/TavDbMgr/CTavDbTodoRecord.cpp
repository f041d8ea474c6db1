#include "CTavDbTodoRecord.h"

#include <algorithm>

#include "CTavDbText.h"
#include "CTavSqliteStatement.h"

int CTavDbTodoRecord::TextBytes(const QString& text)
{
    return CTavDbText::mbLength(text) - static_cast<int>(text.count(QStringLiteral("\r\n")));
}

bool CTavDbTodoRecord::IsValid() const
{
    return m_priority >= kMinPriority && m_priority <= kMaxPriority && m_level >= 0 && m_level <= kMaxLevel &&
           TextBytes(m_desc) <= kMaxDescBytes && TextBytes(m_note) <= kMaxNoteBytes;
}

void CTavDbTodoRecord::Reset()
{
    *this = CTavDbTodoRecord();
}

bool CTavDbTodoRecord::IsEqualPdt(const CTavDbPcRecord& other) const
{
    const auto* o = dynamic_cast<const CTavDbTodoRecord*>(&other);
    return o && CTavDbPcRecord::IsEqualPdt(other) && m_desc == o->m_desc && m_note == o->m_note &&
           m_priority == o->m_priority && m_due == o->m_due && m_start == o->m_start &&
           m_completed == o->m_completed && m_level == o->m_level && m_folded == o->m_folded &&
           m_quilloName == o->m_quilloName;
}

void CTavDbTodoRecord::BindFields(CTavSqliteStatement& st) const
{
    st.bind(m_desc)
        .bind(m_note)
        .bind(m_priority)
        .bind(static_cast<int64_t>(m_due))
        .bind(static_cast<int64_t>(m_start));
    st.bind(m_completed).bind(m_level).bind(m_folded).bind(m_quilloName);
}

void CTavDbTodoRecord::ReadFields(CTavSqliteStatement& st)
{
    m_desc = st.text();
    m_note = st.text();
    // A damaged file must not give values the outline and the filters cannot handle.
    m_priority = std::clamp(st.int32(), kMinPriority, kMaxPriority);
    m_due = st.int32();
    m_start = st.int32();
    m_completed = st.boolean();
    m_level = std::clamp(st.int32(), 0, kMaxLevel);
    m_folded = st.boolean();
    m_quilloName = st.text();
}
