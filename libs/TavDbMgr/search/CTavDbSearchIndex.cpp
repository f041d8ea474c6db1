#include "CTavDbSearchIndex.h"

#include "../sheet/CTavDbFreePdbObjectManager.h"
#include "CTavDbAddr.h"
#include "CTavDbAddrRecord.h"
#include "CTavDbDate.h"
#include "CTavDbDateRecord.h"
#include "CTavDbMemo.h"
#include "CTavDbMemoRecord.h"
#include "CTavDbSearchFields.h"
#include "CTavDbSearchFold.h"
#include "CTavDbTodo.h"
#include "CTavDbTodoRecord.h"

namespace M = TavSearchModule;

CTavDbSearchIndex::CTavDbSearchIndex()
    : m_sheets(CTavDbFreePdbObjectManager::TypeSheet), m_references(CTavDbFreePdbObjectManager::TypeReference)
{
    for (int m = M::First; m <= M::Last; ++m)
        m_tables[m] = std::make_unique<CTavDbSearchTable>(m);
}

CTavDbSearchIndex::~CTavDbSearchIndex() = default;

void CTavDbSearchIndex::SetStores(const CTavDbDate* date, const CTavDbAddr* addr, const CTavDbTodo* todo,
                                  const CTavDbMemo* memo)
{
    const CTavDbStoreBase* stores[] = {nullptr, date, addr, todo, nullptr, memo, nullptr};
    for (int m = M::First; m <= M::Last; ++m) {
        if (m_stores[m].store != stores[m])
            m_stores[m] = StoreSlot{stores[m], 0, false};
    }
}

void CTavDbSearchIndex::SetSheetFolders(const QString& sheets, const QString& references)
{
    m_sheetFolder = sheets;
    m_referenceFolder = references;
}

bool CTavDbSearchIndex::storeStale(int module) const
{
    const StoreSlot& slot = m_stores[module];
    if (!slot.store)
        return slot.synced || m_tables[module]->RowCount() > 0;
    return !slot.synced || slot.revision != slot.store->Revision();
}

void CTavDbSearchIndex::syncStore(int module)
{
    StoreSlot& slot = m_stores[module];
    if (!storeStale(module))
        return;
    std::vector<CTavDbSearchTable::Row> rows;
    if (slot.store) {
        const auto& records = slot.store->AllRecords();
        rows.reserve(records.size());
        for (const auto& record : records) {
            if (record->IsDeleted())
                continue;
            switch (module) {
            case M::Schedule:
                rows.push_back(CTavDbSearchFields::EventRow(static_cast<const CTavDbDateRecord&>(*record)));
                break;
            case M::Address:
                rows.push_back(CTavDbSearchFields::CardRow(static_cast<const CTavDbAddrRecord&>(*record)));
                break;
            case M::Todo:
                rows.push_back(CTavDbSearchFields::TaskRow(static_cast<const CTavDbTodoRecord&>(*record)));
                break;
            default:
                rows.push_back(CTavDbSearchFields::MemoRow(static_cast<const CTavDbMemoRecord&>(*record)));
                break;
            }
        }
        slot.revision = slot.store->Revision();
    }
    slot.synced = slot.store != nullptr;
    m_tables[module]->Update(std::move(rows));
}

void CTavDbSearchIndex::syncFolders()
{
    const bool sheets = m_sheets.Scan(m_sheetFolder);
    const bool references = m_references.Scan(m_referenceFolder);
    m_sheetsChanged = m_sheetsChanged || sheets || references;
    if (!m_sheetsChanged)
        return;
    m_tables[M::FreeMemo]->Update(m_sheets.Rows());
    m_tables[M::Reference]->Update(m_references.Rows());
    m_sheetsChanged = false;
}

bool CTavDbSearchIndex::IsStale()
{
    bool stale = false;
    for (int m : {M::Schedule, M::Address, M::Todo, M::MemoPad})
        stale = stale || storeStale(m);
    const bool sheets = m_sheets.Scan(m_sheetFolder);
    const bool references = m_references.Scan(m_referenceFolder);
    m_sheetsChanged = m_sheetsChanged || sheets || references;
    return stale || m_sheetsChanged;
}

void CTavDbSearchIndex::Refresh()
{
    for (int m : {M::Schedule, M::Address, M::Todo, M::MemoPad})
        syncStore(m);
    syncFolders();
}

CTavDbSearchResult CTavDbSearchIndex::Find(const QString& text, bool withPrivate, int limit)
{
    CTavDbSearchResult result;
    const QString query = CTavDbSearchFold::Fold(text.trimmed());
    Refresh();
    if (query.isEmpty())
        return result;
    for (int m = M::First; m <= M::Last; ++m) {
        const qsizetype first = result.hits.size();
        result.counts[m] = m_tables[m]->Find(query, withPrivate, limit, result.hits);
        for (qsizetype i = first; i < result.hits.size(); ++i) {
            CTavDbSearchHit& hit = result.hits[i];
            int label = -1;
            if (m == M::Address && hit.field >= CTavDbAddrRecord::Phone1 &&
                hit.field <= CTavDbAddrRecord::Phone5) {
                if (const auto* card =
                        static_cast<const CTavDbAddrRecord*>(m_stores[m].store->FindRecord(hit.recordId)))
                    label = card->GetPhoneLabelID(hit.field - CTavDbAddrRecord::Phone1);
            }
            hit.fieldName = CTavDbSearchFields::FieldName(m, hit.field, label);
        }
    }
    return result;
}
