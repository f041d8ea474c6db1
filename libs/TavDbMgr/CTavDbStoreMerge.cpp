#include "CTavDbStoreMerge.h"

#include <QSet>
#include <algorithm>
#include <iterator>
#include <limits>
#include <map>

#include "CTavDbFileUtil.h"
#include "CTavDbStoreBase.h"
#include "CTavDbStoreOrder.h"

namespace {
template <typename List> auto findId(List& list, uint32_t id) -> decltype(&list.first())
{
    for (auto& c : list)
        if (c.GetID() == id)
            return &c;
    return nullptr;
}

const CTavDbCategory* findName(const QList<CTavDbCategory>& list, const QString& name)
{
    for (const CTavDbCategory& c : list)
        if (c.GetName() == name)
            return &c;
    return nullptr;
}
} // namespace

TavStatus CTavDbStoreMerge::Rebase(CTavSqliteDb& db)
{
    std::unique_ptr<CTavDbStoreBase> file = m_store.NewStore();
    if (m_store.m_schema.Check(db) != TavStatusCode::Ok || m_store.readFrom(db, *file) != TavStatusCode::Ok)
        return TavStatusCode::Conflict;
    if (!mergeCategories(file->m_categories))
        return TavStatusCode::Conflict;
    m_store.m_categoriesChanged = !(m_categories == file->m_categories);
    m_store.m_baseCategories = file->m_categories;
    m_store.m_categories = m_categories;
    if (m_store.m_extraChanged)
        m_store.MergeExtraFrom(*file, m_store.m_baseExtra);
    else
        m_store.CopyExtraFrom(*file);
    m_store.m_baseExtra = file->ExtraState();
    m_store.m_seenFile = CTavDbFileUtil::fileState(m_store.m_filePath);
    mergeRecords(*file);
    m_store.InvalidateView();
    m_store.recordsChanged();
    return TavStatusCode::Ok;
}

bool CTavDbStoreMerge::mergeCategories(const QList<CTavDbCategory>& theirs)
{
    const QList<CTavDbCategory>& base = m_store.m_baseCategories;
    const QList<CTavDbCategory>& ours = m_store.m_categories;
    m_categories = theirs;
    for (const CTavDbCategory& was : base)
        if (!findId(ours, was.GetID()))
            m_categories.removeIf([&was](const CTavDbCategory& c) { return c.GetID() == was.GetID(); });
    for (const CTavDbCategory& c : ours) {
        const CTavDbCategory* was = findId(base, c.GetID());
        const bool renamed = was && was->GetName() != c.GetName();
        if (was) {
            if (CTavDbCategory* now = findId(m_categories, c.GetID())) {
                const CTavDbCategory* other = findName(m_categories, c.GetName());
                if (renamed && other && other != now)
                    return false; // both sides gave that name to different categories
                if (renamed)
                    now->SetName(c.GetName());
                m_ownCategory.insert(c.GetID(), c.GetID());
                continue;
            }
            if (!renamed)
                continue; // the other writer deleted it
        }
        // Ours alone (or renamed here after the other writer deleted it): one category with a
        // category of theirs of that name, else a new one.
        if (const CTavDbCategory* same = findName(m_categories, c.GetName())) {
            m_ownCategory.insert(c.GetID(), same->GetID());
            continue;
        }
        if (m_categories.size() >= CTavDbStoreBase::kMaxCategories)
            return false;
        uint32_t id = findId(m_categories, c.GetID()) ? 1 : c.GetID();
        while (id == CTavDbPcRecord::kAllCategories || findId(m_categories, id))
            ++id;
        int index = 1;
        while (std::any_of(m_categories.begin(), m_categories.end(),
                           [index](const CTavDbCategory& o) { return o.GetIndex() == index; }))
            ++index;
        CTavDbCategory added(c);
        added.SetID(id);
        added.SetIndex(index);
        added.SetDirty(true);
        m_categories.append(added);
        std::sort(
            m_categories.begin(), m_categories.end(),
            [](const CTavDbCategory& a, const CTavDbCategory& b) { return a.GetIndex() < b.GetIndex(); });
        m_ownCategory.insert(c.GetID(), id);
    }
    return true;
}

void CTavDbStoreMerge::placeCategory(CTavDbPcRecord& record, bool own)
{
    const uint32_t was = record.GetCategoryID();
    uint32_t now = own ? m_ownCategory.value(was, CTavDbPcRecord::kUnfiled) : was;
    if (!findId(m_categories, now))
        now = CTavDbPcRecord::kUnfiled;
    if (now == was)
        return;
    record.SetCategoryID(now);
    if (!own)
        m_store.m_changed.insert(record.GetUniqueId()); // in a category deleted here
}

void CTavDbStoreMerge::mergeRecords(CTavDbStoreBase& file)
{
    CTavDbStoreBase& s = m_store;
    // After a renumbering here our order wins: the keys are ours, and records new in the file
    // follow the record they follow there.
    const bool ownOrder = s.m_orderChanged;
    if (ownOrder)
        CTavDbStoreOrder::Renumber(s.m_records);
    std::map<uint32_t, std::unique_ptr<CTavDbPcRecord>> known; // ours the file held at loading
    CTavDbStoreOrder::Records merged;
    CTavDbStoreOrder::Records added; // after the file's records: theirs first on equal keys
    std::vector<CTavDbPcRecord*> renumber;
    QSet<uint32_t> fileIds;
    const auto fileHolds = [&](uint32_t id) {
        if (fileIds.isEmpty())
            for (const auto& rec : file.m_records)
                fileIds.insert(rec->GetUniqueId());
        return fileIds.contains(id);
    };
    for (auto& rec : s.m_records) {
        const uint32_t id = rec->GetUniqueId();
        if (!s.m_added.contains(id)) {
            known.emplace(id, std::move(rec));
            continue;
        }
        placeCategory(*rec, true);
        // Ids up to the file's last one when we last read or wrote it were given out before
        // then (a record brought back by undo): only later ones may be the other writer's too.
        if (id <= file.m_lastUniqueId && (id > s.m_fileLastUniqueId || fileHolds(id))) {
            // The file has used this id since: a new one once the merged ids are known.
            s.m_changed.remove(id);
            s.m_added.remove(id);
            rec->SetUniqueId(0);
            renumber.push_back(rec.get());
        }
        added.push_back(std::move(rec));
    }
    int64_t anchor = std::numeric_limits<int64_t>::min();
    for (auto& rec : file.m_records) {
        const uint32_t id = rec->GetUniqueId();
        if (s.m_removed.contains(id))
            continue;
        const auto mine = known.find(id);
        if (mine != known.end() && ownOrder)
            anchor = mine->second->m_storeSeq;
        if (mine != known.end() && s.m_changed.contains(id)) {
            placeCategory(*mine->second, true);
            merged.push_back(std::move(mine->second));
        } else {
            if (ownOrder)
                rec->m_storeSeq = anchor;
            placeCategory(*rec, false);
            merged.push_back(std::move(rec));
            if (mine != known.end())
                s.m_retired.push_back(std::move(mine->second));
        }
        if (mine != known.end())
            known.erase(mine);
    }
    // Left are records the other writer deleted: our edits bring them back.
    for (auto& [id, rec] : known) {
        if (s.m_changed.contains(id)) {
            placeCategory(*rec, true);
            merged.push_back(std::move(rec));
        } else {
            s.m_retired.push_back(std::move(rec));
        }
    }
    std::move(added.begin(), added.end(), std::back_inserter(merged));
    std::stable_sort(merged.begin(), merged.end(),
                     [](const auto& a, const auto& b) { return a->m_storeSeq < b->m_storeSeq; });
    for (size_t i = 1; i < merged.size(); ++i)
        if (merged[i - 1]->m_storeSeq >= merged[i]->m_storeSeq)
            s.m_orderChanged = true; // equal keys: the whole order is numbered again
    s.m_records = std::move(merged);
    s.m_lastUniqueId = std::max(s.m_lastUniqueId, file.m_lastUniqueId);
    s.rebuildIndex();
    s.m_byId.remove(0);
    for (CTavDbPcRecord* rec : renumber) {
        const uint32_t id = s.nextUniqueId();
        rec->SetUniqueId(id);
        s.m_byId.insert(id, rec);
        s.m_changed.insert(id);
        s.m_added.insert(id);
    }
}
