#include "CTavDbAddrRecord.h"

#include "CTavSqliteStatement.h"

void CTavDbAddrRecord::Reset()
{
    CTavDbPcRecord::Reset();
    m_desc.clear();
    m_note.clear();
}

bool CTavDbAddrRecord::IsEqualPdt(const CTavDbPcRecord& other) const
{
    const auto* o = dynamic_cast<const CTavDbAddrRecord*>(&other);
    return o && CTavDbPcRecord::IsEqualPdt(other) && m_desc == o->m_desc && m_note == o->m_note;
}

void CTavDbAddrRecord::BindFields(CTavSqliteStatement& st) const { st.bind(m_desc).bind(m_note); }

void CTavDbAddrRecord::ReadFields(CTavSqliteStatement& st)
{
    m_desc = st.text();
    m_note = st.text();
}
