#include "CTavDbAddrSortKeys.h"

#include <algorithm>

#include "CTavDbAddrRecord.h"

namespace {
constexpr CTavDbAddrSortKeys::Level kNameOrder[] = {
    CTavDbAddrSortKeys::LastLevel, CTavDbAddrSortKeys::FirstLevel, CTavDbAddrSortKeys::CompanyLevel};
constexpr CTavDbAddrSortKeys::Level kCompanyOrder[] = {
    CTavDbAddrSortKeys::CompanyLevel, CTavDbAddrSortKeys::LastLevel, CTavDbAddrSortKeys::FirstLevel};
} // namespace

CTavDbAddrSortKeys::CTavDbAddrSortKeys() : m_collator(QLocale(QLocale::Japanese, QLocale::Japan)) {}

const QString& CTavDbAddrSortKeys::LevelText(const CTavDbAddrRecord& card, Level level)
{
    switch (level) {
    case LastLevel:
        return card.GetLastNameYomi().isEmpty() ? card.GetLastName() : card.GetLastNameYomi();
    case FirstLevel:
        return card.GetFirstNameYomi().isEmpty() ? card.GetFirstName() : card.GetFirstNameYomi();
    default:
        return card.GetCompanyYomi().isEmpty() ? card.GetCompany() : card.GetCompanyYomi();
    }
}

const QString& CTavDbAddrSortKeys::LeadingText(const CTavDbAddrRecord& card, bool byCompany)
{
    const Level* order = byCompany ? kCompanyOrder : kNameOrder;
    for (int i = 0; i < LevelCount; ++i) {
        const QString& text = LevelText(card, order[i]);
        if (!text.isEmpty())
            return text;
    }
    return card.GetLastName(); // empty
}

const CTavDbAddrSortKeys::Entry& CTavDbAddrSortKeys::entryFor(const CTavDbAddrRecord& card)
{
    Entry& e = m_cache[card.GetUniqueId()];
    for (int l = 0; l < LevelCount; ++l) {
        const QString& text = LevelText(card, static_cast<Level>(l));
        // QString comparison first: most cards have not changed since the last sort.
        if (!e.key[l] || e.text[l] != text) {
            e.text[l] = text;
            e.key[l] = m_collator.sortKey(text);
        }
    }
    return e;
}

void CTavDbAddrSortKeys::Sort(std::vector<CTavDbPcRecord*>& cards, bool byCompany)
{
    struct Item
    {
        CTavDbPcRecord* record;
        const QCollatorSortKey* keys[LevelCount];
        int count;
    };
    const Level* order = byCompany ? kCompanyOrder : kNameOrder;
    std::vector<Item> items;
    items.reserve(cards.size());
    for (CTavDbPcRecord* rec : cards) {
        const Entry& e = entryFor(static_cast<const CTavDbAddrRecord&>(*rec));
        Item item{rec, {}, 0};
        for (int i = 0; i < LevelCount; ++i) {
            const int l = order[i];
            if (item.count == 0 && e.text[l].isEmpty())
                continue; // leading empty level
            item.keys[item.count++] = &*e.key[l];
        }
        items.push_back(item);
    }
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        const int n = std::min(a.count, b.count);
        for (int i = 0; i < n; ++i) {
            const int c = a.keys[i]->compare(*b.keys[i]);
            if (c != 0)
                return c < 0;
        }
        return a.count < b.count;
    });
    for (size_t i = 0; i < items.size(); ++i)
        cards[i] = items[i].record;
}

void CTavDbAddrSortKeys::Prune(int liveCount)
{
    if (m_cache.size() > static_cast<size_t>(liveCount) * 2 + 1024)
        m_cache.clear();
}
