// CTavDbStoreBase: the journal of an edit, and putting records back for undo and redo.
#include <QSet>
#include <algorithm>

#include "CTavDbEditJournal.h"
#include "CTavDbStoreBase.h"

bool CTavDbStoreBase::BeginEdit(const QList<uint32_t>& editedInPlace)
{
    if (m_journal)
        return false;
    m_journal = std::make_unique<CTavDbEditJournal>(m_records, m_categories, ExtraState(), m_generation);
    for (uint32_t id : editedInPlace)
        capture(id);
    return true;
}

void CTavDbStoreBase::Touch(uint32_t uniqueId)
{
    capture(uniqueId);
}

void CTavDbStoreBase::capture(uint32_t uniqueId)
{
    if (m_journal)
        m_journal->Capture(uniqueId, m_byId.value(uniqueId));
}

void CTavDbStoreBase::NoteUpdate(const CTavDbPcRecord& record)
{
    const uint32_t id = record.GetUniqueId();
    if (!m_journal || m_journal->Has(id))
        return;
    // The stored record itself, not touched before: its old state is gone.
    if (m_byId.value(id) == &record)
        m_journal->MarkIncomplete();
    capture(id);
}

void CTavDbStoreBase::MarkExtraChanged()
{
    m_extraChanged = true;
    if (m_journal)
        m_journal->MarkExtraChanged();
}

CTavDbEdit CTavDbStoreBase::EndEdit()
{
    if (!m_journal)
        return CTavDbEdit();
    const std::unique_ptr<CTavDbEditJournal> journal = std::move(m_journal);
    return journal->Finish(m_records, m_categories, ExtraState());
}

TavStatus CTavDbStoreBase::ApplyStates(const CTavDbEdit& edit, CTavDbEdit::Side side)
{
    if (m_journal)
        return TavStatusCode::Refused;
    if (edit.Generation() != m_generation)
        return TavStatusCode::Conflict;
    const CTavDbEdit::State& state = edit.state(side);
    QSet<uint32_t> touched;
    touched.reserve(static_cast<qsizetype>(state.records.size()));
    // Pending changes as an edit by hand would leave them: the file still holds what was
    // removed since the last write, and lacks what was added.
    for (const CTavDbEdit::Record& r : state.records) {
        touched.insert(r.id);
        const bool held = m_byId.contains(r.id);
        if (r.record) {
            m_changed.insert(r.id);
            if (!held && !m_removed.remove(r.id))
                m_added.insert(r.id);
            m_lastUniqueId = std::max(m_lastUniqueId, r.id); // ids are never given twice
        } else if (held) {
            m_changed.remove(r.id);
            if (!m_added.remove(r.id))
                m_removed.insert(r.id);
        }
    }
    // The untouched records keep their order; the restored ones go to their positions.
    CTavDbStoreOrder::Records kept;
    kept.reserve(m_records.size());
    for (auto& rec : m_records)
        if (!touched.contains(rec->GetUniqueId()))
            kept.push_back(std::move(rec));
    CTavDbStoreOrder::Records result;
    result.reserve(kept.size() + state.records.size());
    std::vector<char> restored;
    restored.reserve(result.capacity());
    size_t next = 0;
    for (const CTavDbEdit::Record& r : state.records) {
        if (!r.record)
            break; // the absent ones come last
        while (static_cast<int>(result.size()) < r.position && next < kept.size()) {
            result.push_back(std::move(kept[next++]));
            restored.push_back(0);
        }
        result.push_back(r.record->Clone());
        restored.push_back(1);
    }
    for (; next < kept.size(); ++next) {
        result.push_back(std::move(kept[next]));
        restored.push_back(0);
    }
    m_records = std::move(result);
    placeRestored(restored);

    if (state.categories != m_categories) {
        m_categories = state.categories;
        m_categoriesChanged = true;
    }
    if (m_order.CategoryFilter() != CTavDbPcRecord::kAllCategories &&
        !FindCategoryById(m_order.CategoryFilter()))
        m_order.SetCategoryFilter(CTavDbPcRecord::kAllCategories);
    if (edit.ChangesExtra()) {
        RestoreExtraState(state.extra);
        m_extraChanged = true;
    }
    rebuildIndex();
    InvalidateView();
    recordsChanged();
    return TavStatusCode::Ok;
}

void CTavDbStoreBase::placeRestored(const std::vector<char>& restored)
{
    // A restored record keeps the file key it had when it was captured while that still lies
    // between its neighbours'; a write may have numbered the order again since.
    const int size = static_cast<int>(m_records.size());
    for (int i = 0; i < size;) {
        if (!restored[i]) {
            ++i;
            continue;
        }
        int end = i;
        while (end < size && restored[end])
            ++end;
        if (!CTavDbStoreOrder::KeysFit(m_records, i, end - i) &&
            !CTavDbStoreOrder::SpreadKeys(m_records, i, end - i))
            m_orderChanged = true;
        i = end;
    }
}
