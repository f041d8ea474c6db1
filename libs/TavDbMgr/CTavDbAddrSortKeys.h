#pragma once

#include <QCollator>
#include <QCollatorSortKey>
#include <optional>
#include <unordered_map>
#include <vector>

class CTavDbAddrRecord;
class CTavDbPcRecord;

// Japanese collation of address cards. A card sorts by the reading of a name where it has one,
// else by the name itself; the name order compares last name, first name, company, the
// company order company, last name, first name, and leading empty levels are skipped so that
// a card without a name sorts by its company and one without a company by its name.
// Collation keys are kept per card and made again only when its texts change, so re-sorting
// a large book costs little more than the comparisons.
class CTavDbAddrSortKeys final
{
public:
    CTavDbAddrSortKeys();
    Q_DISABLE_COPY_MOVE(CTavDbAddrSortKeys)

    // Stable sort of address cards.
    void Sort(std::vector<CTavDbPcRecord*>& cards, bool byCompany);
    // Forgets keys of cards that no longer exist once they outnumber the live cards.
    void Prune(int liveCount);
    void Clear() { m_cache.clear(); }

    // The text of each level: reading or name of the last name, first name and company.
    enum Level
    {
        LastLevel,
        FirstLevel,
        CompanyLevel,
        LevelCount
    };
    static const QString& LevelText(const CTavDbAddrRecord& card, Level level);
    // The text the card sorts by first in that order (empty when the card has no names).
    static const QString& LeadingText(const CTavDbAddrRecord& card, bool byCompany);
    // The levels of that order joined by tabs, from the first non-empty one.
    static QString SortText(const CTavDbAddrRecord& card, bool byCompany);

private:
    struct Entry
    {
        QString text[2];
        std::optional<QCollatorSortKey> key[2];
    };

    QCollator m_collator;
    std::unordered_map<uint32_t, Entry> m_cache;
};
