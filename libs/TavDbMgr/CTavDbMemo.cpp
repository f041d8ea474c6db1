#include "CTavDbMemo.h"

#include "CTavDbClock.h"
#include "CTavDbEnv.h"

CTavDbMemo::CTavDbMemo()
    : CTavDbStoreBase("memo", &CTavDbEnv::GetPdtMemoDir, "memopad.ldb", CTavDbMemoRecord::kColumns, kMaxRecords),
      m_collator(QLocale(QLocale::Japanese, QLocale::Japan))
{
    SetSortCond(CTavDbSortCond(kSortSyllabary));
}

TavStatus CTavDbMemo::AddRecord(CTavDbPcRecord& record)
{
    auto& memo = static_cast<CTavDbMemoRecord&>(record);
    const TavTime now = static_cast<TavTime>(CTavDbClock::NowSeconds());
    if (memo.GetCreateDateTime() == 0)
        memo.SetCreateDateTime(now);
    if (memo.GetUpdateDateTime() == 0)
        memo.SetUpdateDateTime(memo.GetCreateDateTime());
    return CTavDbStoreBase::AddRecord(record);
}

TavStatus CTavDbMemo::UpdateRecord(const CTavDbPcRecord& record)
{
    const auto* old = static_cast<const CTavDbMemoRecord*>(FindRecord(record.GetUniqueId()));
    if (!old)
        return TavStatusCode::NotFound;
    CTavDbMemoRecord copy = static_cast<const CTavDbMemoRecord&>(record);
    if (!old->IsEqualPdt(copy))
        copy.SetUpdateDateTime(static_cast<TavTime>(CTavDbClock::NowSeconds()));
    return CTavDbStoreBase::UpdateRecord(copy);
}

void CTavDbMemo::PrepareSort()
{
    // Sort keys once per view rebuild: comparing keys is far cheaper than collating strings.
    m_sortKeys.clear();
    for (int i = 0, n = static_cast<int>(AllRecords().size()); i < n; ++i) {
        const auto* rec = static_cast<const CTavDbMemoRecord*>(AllRecords()[i].get());
        if (IsVisible(*rec))
            m_sortKeys.insert(rec, m_collator.sortKey(rec->GetMemo().left(64)));
    }
}

bool CTavDbMemo::SortLess(const CTavDbPcRecord& a, const CTavDbPcRecord& b) const
{
    const auto ka = m_sortKeys.constFind(&a);
    const auto kb = m_sortKeys.constFind(&b);
    if (ka == m_sortKeys.cend() || kb == m_sortKeys.cend())
        return false;
    return ka->compare(*kb) < 0;
}
