#include "CTavAddrDoc.h"

#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavDbAddrIndex.h"
#include "CTavProfile.h"
#include "CTavRegOption.h"

CTavAddrDoc::CTavAddrDoc(CTavApp& app, QObject* parent)
    : CTavModuleDoc(app, QStringLiteral("アドレス"), parent), m_sortCond(CTavDbAddr::kSortName, 2)
{
}

CTavDbAddr& CTavAddrDoc::Store() const
{
    return App().AddrStore();
}

QString CTavAddrDoc::Locale() const
{
    return App().Options().Language();
}

QStringList CTavAddrDoc::TabLabels(const QString& locale)
{
    if (locale == CTavDbAddrIndex::JapaneseLocale())
        return {QStringLiteral("あ"),   QStringLiteral("か"), QStringLiteral("さ"), QStringLiteral("た"),
                QStringLiteral("な"),   QStringLiteral("は"), QStringLiteral("ま"), QStringLiteral("や"),
                QStringLiteral("らわ"), QStringLiteral("A1"), QStringLiteral("全")};
    return {QStringLiteral("ABC"), QStringLiteral("DEF"), QStringLiteral("GHI"), QStringLiteral("JKL"),
            QStringLiteral("MNO"), QStringLiteral("PQR"), QStringLiteral("STU"), QStringLiteral("VW"),
            QStringLiteral("XYZ"), QStringLiteral("etc"), QStringLiteral("ALL")};
}

void CTavAddrDoc::applyOrder()
{
    m_sortCond = m_sortMode == 1 ? CTavDbSortCond(CTavDbAddr::kSortCompany, 1)
                                 : CTavDbSortCond(CTavDbAddr::kSortName, 2);
    if (!(Store().GetSortCond() == m_sortCond))
        Store().SetSortCond(m_sortCond);
}

void CTavAddrDoc::ApplyStoreOrder()
{
    applyOrder();
    Store().SetSearchTabIndex(m_tab);
    Store().SetCategoryFilter(m_categoryFilter);
}

void CTavAddrDoc::Reload()
{
    uint32_t category = static_cast<uint32_t>(CTavProfile::GetProfileInt(
        kSection, QStringLiteral("dispCategory"), static_cast<int>(kAllCategories)));
    // A category that has gone since (deleted, another user's profile) shows everything.
    if (category != kAllCategories && !Store().FindCategoryById(category))
        category = kAllCategories;
    m_categoryFilter = category;
    const int sort = CTavProfile::GetProfileInt(kSection, QStringLiteral("dispSort"), 0);
    m_sortMode = sort == 1 ? 1 : 0;
    const int tab = CTavProfile::GetProfileInt(kSection, QStringLiteral("aTab"), kTabAll);
    m_tab = tab >= 0 && tab < kTabCount ? tab : kTabAll;
    const QString locale = Locale();
    if (Store().GetTabLocale() != locale)
        Store().SetTabLocale(locale);
    ApplyStoreOrder();
    Refresh();
}

void CTavAddrDoc::Refresh()
{
    ++m_generation;
    rebuild();
}

CTavAddrDoc::AllRowsKey CTavAddrDoc::allRowsKey() const
{
    return {m_generation, m_sortMode, m_categoryFilter, Store().GetPrivateMode()};
}

void CTavAddrDoc::rebuild()
{
    m_indexOfId.clear();
    const bool searching = !m_search.trimmed().isEmpty();
    const AllRowsKey key = allRowsKey();
    CTavDbAddr& store = Store();
    // The rows of all cards, while still right, give every tab its rows in the same order
    // without asking the store to sort the book again.
    if (m_rowsAreAll && m_rowsKey == key) {
        m_allRows.swap(m_rows);
        m_allRowsKey = key;
    } else if (!(m_allRowsKey == key)) {
        m_allRows.clear();
        m_allRowsKey = {};
    }
    m_rows.clear();
    m_rowsAreAll = false;
    m_rowsKey = key;
    if (!searching && m_allRowsKey == key) {
        if (m_tab == kTabAll) {
            m_rows.swap(m_allRows);
            m_rowsAreAll = true;
        } else {
            for (const CTavAddrListRow& row : m_allRows)
                if (row.tab == m_tab)
                    m_rows.push_back(row);
        }
        emit rowsRebuilt();
        return;
    }
    QHash<uint32_t, QString> names;
    for (const CTavDbCategory& c : store.GetCategories())
        names.insert(c.GetID(), c.GetName());
    auto add = [this, &names, &store](const CTavDbAddrRecord& card) {
        m_rows.push_back(CTavAddrListRow::FromCard(card, names.value(card.GetCategoryID())));
        m_rows.back().tab = store.TabOf(card);
    };
    if (searching) {
        for (const CTavDbAddrRecord* card : store.Search(m_search))
            add(*card);
    } else {
        const int count = store.GetCount();
        m_rows.reserve(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            add(*store.GetAddrRecord(i));
        m_rowsAreAll = m_tab == kTabAll;
    }
    emit rowsRebuilt();
}

const CTavAddrListRow* CTavAddrDoc::Row(int index) const
{
    return index >= 0 && index < Count() ? &m_rows[static_cast<size_t>(index)] : nullptr;
}

const CTavDbAddrRecord* CTavAddrDoc::Card(int index) const
{
    const CTavAddrListRow* row = Row(index);
    return row ? static_cast<const CTavDbAddrRecord*>(Store().FindRecord(row->uniqueId)) : nullptr;
}

int CTavAddrDoc::IndexOfId(uint32_t uniqueId) const
{
    if (m_indexOfId.isEmpty() && !m_rows.empty()) {
        m_indexOfId.reserve(Count());
        for (int i = 0; i < Count(); ++i)
            m_indexOfId.insert(m_rows[static_cast<size_t>(i)].uniqueId, i);
    }
    return m_indexOfId.value(uniqueId, -1);
}

int CTavAddrDoc::SetSortMode(int mode)
{
    if (mode != 0 && mode != 1)
        return -1;
    CTavProfile::WriteProfileInt(kSection, QStringLiteral("dispSort"), mode);
    m_sortMode = mode;
    applyOrder();
    rebuild();
    return mode;
}

void CTavAddrDoc::SetTab(int tab, bool remember)
{
    m_tab = tab >= 0 && tab < kTabCount ? tab : kTabAll;
    if (remember)
        CTavProfile::WriteProfileInt(kSection, QStringLiteral("aTab"), m_tab);
    applyOrder();
    Store().SetSearchTabIndex(m_tab);
    rebuild();
}

void CTavAddrDoc::SetFilter(uint32_t categoryId)
{
    CTavProfile::WriteProfileInt(kSection, QStringLiteral("dispCategory"), static_cast<int>(categoryId));
    m_categoryFilter = categoryId;
    Store().SetCategoryFilter(categoryId);
    rebuild();
}

void CTavAddrDoc::SetSearchText(const QString& text)
{
    if (text == m_search)
        return;
    m_search = text;
    rebuild();
}

void CTavAddrDoc::SetClipboard(const QList<CTavDbAddrRecord>& cards, const QStringList& categoryNames)
{
    m_clipboard = cards;
    m_clipboardCategories = categoryNames;
}
