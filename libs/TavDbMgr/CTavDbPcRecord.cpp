#include "CTavDbPcRecord.h"

void CTavDbPcRecord::Reset()
{
    m_uniqueId = 0;
    m_category = kUnfiled;
    m_attributes = 0;
}

bool CTavDbPcRecord::IsEqualPdt(const CTavDbPcRecord& other) const
{
    return m_category == other.m_category && GetIsPrivate() == other.GetIsPrivate();
}
