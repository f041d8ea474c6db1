#include "CTavDbDateRecord.h"

#include "CTavSqliteStatement.h"

void CTavDbDateRecord::Reset()
{
    CTavDbPcRecord::Reset();
    m_desc.clear();
    m_note.clear();
}

bool CTavDbDateRecord::IsEqualPdt(const CTavDbPcRecord& other) const
{
    const auto* o = dynamic_cast<const CTavDbDateRecord*>(&other);
    return o && CTavDbPcRecord::IsEqualPdt(other) && m_desc == o->m_desc && m_note == o->m_note;
}

void CTavDbDateRecord::BindFields(CTavSqliteStatement& st) const { st.bind(m_desc).bind(m_note); }

void CTavDbDateRecord::ReadFields(CTavSqliteStatement& st)
{
    m_desc = st.text();
    m_note = st.text();
}
