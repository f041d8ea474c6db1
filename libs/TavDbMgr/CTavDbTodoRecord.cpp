#include "CTavDbTodoRecord.h"

#include "CTavSqliteStatement.h"

void CTavDbTodoRecord::Reset()
{
    CTavDbPcRecord::Reset();
    m_desc.clear();
    m_note.clear();
}

bool CTavDbTodoRecord::IsEqualPdt(const CTavDbPcRecord& other) const
{
    const auto* o = dynamic_cast<const CTavDbTodoRecord*>(&other);
    return o && CTavDbPcRecord::IsEqualPdt(other) && m_desc == o->m_desc && m_note == o->m_note;
}

void CTavDbTodoRecord::BindFields(CTavSqliteStatement& st) const { st.bind(m_desc).bind(m_note); }

void CTavDbTodoRecord::ReadFields(CTavSqliteStatement& st)
{
    m_desc = st.text();
    m_note = st.text();
}
