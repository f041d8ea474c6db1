#include "CTavDbAddrSortKeys.h"

#include <algorithm>

#include "CTavDbAddrRecord.h"

namespace {
using Level = CTavDbAddrSortKeys::Level;
constexpr Level kNameOrder[] = {CTavDbAddrSortKeys::LastLevel, CTavDbAddrSortKeys::FirstLevel,
                                CTavDbAddrSortKeys::CompanyLevel};
constexpr Level kCompanyOrder[] = {CTavDbAddrSortKeys::CompanyLevel, CTavDbAddrSortKeys::LastLevel,
                                   CTavDbAddrSortKeys::FirstLevel};
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

QString CTavDbAddrSortKeys::SortText(const CTavDbAddrRecord& card, bool byCompany)
{
    // One string for all levels, so that the collation weighs every level's letters before
    // any level's kana form or case. A tab sorts below every letter: a shorter level first.
    const Level* order = byCompany ? kCompanyOrder : kNameOrder;
    QString text;
    for (int i = 0; i < LevelCount; ++i) {
        const QString& level = LevelText(card, order[i]);
        if (text.isEmpty() && level.isEmpty())
            continue;
        if (!text.isEmpty())
            text += u'\t';
        text += level;
    }
    return text;
}

void CTavDbAddrSortKeys::Sort(std::vector<CTavDbPcRecord*>& cards, bool byCompany)
{
    using Item = std::pair<CTavDbPcRecord*, const QCollatorSortKey*>;
    const int mode = byCompany ? 1 : 0;
    std::vector<Item> items;
    items.reserve(cards.size());
    for (CTavDbPcRecord* rec : cards) {
        Entry& e = m_cache[rec->GetUniqueId()];
        QString text = SortText(static_cast<const CTavDbAddrRecord&>(*rec), byCompany);
        // Most cards have not changed since the last sort: comparing texts is cheap.
        if (!e.key[mode] || e.text[mode] != text) {
            e.key[mode] = m_collator.sortKey(text);
            e.text[mode] = std::move(text);
        }
        items.emplace_back(rec, &*e.key[mode]);
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return a.second->compare(*b.second) < 0; });
    for (size_t i = 0; i < items.size(); ++i)
        cards[i] = items[i].first;
}

void CTavDbAddrSortKeys::Prune(int liveCount)
{
    if (m_cache.size() > static_cast<size_t>(liveCount) * 2 + 1024)
        m_cache.clear();
}
