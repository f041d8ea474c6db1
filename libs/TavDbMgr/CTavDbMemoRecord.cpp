#include "CTavDbMemoRecord.h"

#include "CTavSqliteStatement.h"

QString CTavDbMemoRecord::GetTitle() const
{
    const qsizetype end = m_memo.indexOf(u'\n');
    QString title = end < 0 ? m_memo : m_memo.left(end);
    if (title.endsWith(u'\r'))
        title.chop(1);
    return title;
}

void CTavDbMemoRecord::Reset()
{
    CTavDbPcRecord::Reset();
    m_memo.clear();
    m_created = m_updated = 0;
}

bool CTavDbMemoRecord::IsEqualPdt(const CTavDbPcRecord& other) const
{
    const auto* o = dynamic_cast<const CTavDbMemoRecord*>(&other);
    return o && CTavDbPcRecord::IsEqualPdt(other) && m_memo == o->m_memo;
}

void CTavDbMemoRecord::BindFields(CTavSqliteStatement& st) const
{
    st.bind(m_memo).bind(static_cast<int64_t>(m_created)).bind(static_cast<int64_t>(m_updated));
}

void CTavDbMemoRecord::ReadFields(CTavSqliteStatement& st)
{
    m_memo = st.text();
    m_created = st.int32();
    m_updated = st.int32();
}
