#include "CTavMemoDoc.h"

#include "CTavApp.h"
#include "CTavDbMemo.h"
#include "CTavProfile.h"

CTavMemoDoc::CTavMemoDoc(CTavApp& app, QObject* parent)
    : CTavModuleDoc(app, QStringLiteral("メモ帳"), parent), m_sortCond(CTavDbMemo::kSortSyllabary)
{
}

CTavDbMemo& CTavMemoDoc::Store() const
{
    return App().MemoStore();
}

void CTavMemoDoc::ApplyStoreOrder()
{
    Store().SetSortCond(m_sortCond);
}

void CTavMemoDoc::applyOrder(int choice)
{
    m_sortChoice = choice;
    m_sortCond.SetKey(choice == 1 ? CTavDbMemo::kSortHandheld : CTavDbMemo::kSortSyllabary);
    if (!(Store().GetSortCond() == m_sortCond))
        Store().SetSortCond(m_sortCond);
}

void CTavMemoDoc::Reload()
{
    uint32_t category = static_cast<uint32_t>(CTavProfile::GetProfileInt(
        kSection, QStringLiteral("dispCategory"), static_cast<int>(kAllCategories)));
    // A category that has gone since (deleted, another user's profile) shows everything.
    if (category != kAllCategories && !Store().FindCategoryById(category))
        category = kAllCategories;
    m_categoryFilter = category;
    Store().SetCategoryFilter(category);
    const int sort = CTavProfile::GetProfileInt(kSection, QStringLiteral("dispSort"), 0);
    applyOrder(sort == 1 ? 1 : 0);
    rebuild();
}

void CTavMemoDoc::rebuild()
{
    m_entries.clear();
    m_selected = -1;
    m_categoryNames.clear();
    CTavDbMemo& store = Store();
    for (const CTavDbCategory& c : store.GetCategories())
        m_categoryNames.insert(c.GetID(), c.GetName());
    const int count = store.GetCount();
    m_entries.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const CTavDbMemoRecord* rec = store.GetMemoRecord(i);
        CTavMemoEntry entry;
        entry.uniqueId = rec->GetUniqueId();
        entry.text = rec->GetMemo();
        // Times at or past the no-date value are not times: they list as none.
        entry.created = rec->GetCreateDateTime() >= maxDateTime ? 0 : rec->GetCreateDateTime();
        entry.updated = rec->GetUpdateDateTime() >= maxDateTime ? 0 : rec->GetUpdateDateTime();
        entry.categoryId = rec->GetCategoryID();
        entry.isPrivate = rec->GetIsPrivate() ? 1 : 0;
        m_entries.push_back(std::move(entry));
    }
    emit entriesRebuilt();
    emit entrySelected(-1);
}

const CTavMemoEntry* CTavMemoDoc::Entry(int index) const
{
    return index >= 0 && index < Count() ? &m_entries[static_cast<size_t>(index)] : nullptr;
}

int CTavMemoDoc::IndexOfId(uint32_t uniqueId) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_entries[static_cast<size_t>(i)].uniqueId == uniqueId)
            return i;
    return -1;
}

void CTavMemoDoc::Select(int index)
{
    m_selected = Entry(index) ? index : -1;
    emit entrySelected(m_selected);
}

int CTavMemoDoc::SetOrder(int choice)
{
    if (choice != 0 && choice != 1)
        return -1;
    CTavProfile::WriteProfileInt(kSection, QStringLiteral("dispSort"), choice);
    applyOrder(choice);
    rebuild();
    return choice;
}

void CTavMemoDoc::SetFilter(uint32_t categoryId)
{
    CTavProfile::WriteProfileInt(kSection, QStringLiteral("dispCategory"), static_cast<int>(categoryId));
    m_categoryFilter = categoryId;
    Store().SetCategoryFilter(categoryId);
    rebuild();
}

TavStatus CTavMemoDoc::Add(CTavDbMemoRecord& record)
{
    return Store().AddRecord(record);
}

TavStatus CTavMemoDoc::Update(int index, const CTavDbMemoRecord& record)
{
    if (!Entry(index))
        return TavStatusCode::NotFound;
    return Store().UpdateRecord(record);
}

TavStatus CTavMemoDoc::Delete(int index, bool backup)
{
    const CTavMemoEntry* entry = Entry(index);
    if (!entry)
        return TavStatusCode::NotFound;
    return Store().DeleteRecord(entry->uniqueId, backup);
}
