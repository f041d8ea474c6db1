#include "CTavDbSearchTable.h"

#include <QHash>
#include <QStringView>
#include <algorithm>
#include <cstring>

#include "CTavDbSearchFold.h"

namespace {
bool sameText(const QString& a, const QString& b)
{
    return a.isSharedWith(b) || a == b;
}
} // namespace

void CTavDbSearchTable::Update(std::vector<Row>&& rows)
{
    QHash<uint32_t, int> byId;
    QHash<QString, int> byPath;
    for (int i = 0; i < int(m_entries.size()); ++i) {
        const Row& row = m_entries[i].row;
        if (row.path.isEmpty())
            byId.insert(row.id, i);
        else
            byPath.insert(row.path, i);
    }
    std::vector<Entry> entries;
    entries.reserve(rows.size());
    qsizetype total = 0;
    for (Row& row : rows) {
        const int old = row.path.isEmpty() ? byId.value(row.id, -1) : byPath.value(row.path, -1);
        const Entry* previous = old >= 0 ? &m_entries[old] : nullptr;
        Entry entry;
        entry.folded.reserve(row.fields.size());
        for (const auto& [number, text] : row.fields) {
            QString folded;
            bool reused = false;
            if (previous) {
                for (qsizetype f = 0; f < previous->row.fields.size(); ++f) {
                    if (previous->row.fields[f].first == number) {
                        if (sameText(previous->row.fields[f].second, text)) {
                            folded = previous->folded[f];
                            reused = true;
                        }
                        break;
                    }
                }
            }
            if (!reused)
                folded = CTavDbSearchFold::Fold(text);
            total += folded.size() + 1;
            entry.folded.push_back(std::move(folded));
        }
        entry.row = std::move(row);
        entries.push_back(std::move(entry));
    }
    m_entries = std::move(entries);

    m_text.clear();
    m_text.reserve(total);
    m_fieldStarts.clear();
    m_fieldOwners.clear();
    for (int e = 0; e < int(m_entries.size()); ++e) {
        Entry& entry = m_entries[e];
        for (int f = 0; f < int(entry.folded.size()); ++f) {
            m_fieldStarts.push_back(int(m_text.size()));
            m_fieldOwners.emplace_back(e, f);
            m_text += entry.folded[f];
            m_text += QChar(CTavDbSearchFold::kSeparator);
        }
        entry.end = int(m_text.size());
    }
}

qsizetype CTavDbSearchTable::findFrom(const QString& query, qsizetype from) const
{
    // The first character is looked for with the vectorised search; the rest compared.
    const qsizetype n = m_text.size();
    const qsizetype m = query.size();
    const QChar first = query.front();
    const char16_t* text = reinterpret_cast<const char16_t*>(m_text.constData());
    const char16_t* rest = reinterpret_cast<const char16_t*>(query.constData()) + 1;
    while (from + m <= n) {
        const qsizetype found = QStringView(text + from, n - from - m + 1).indexOf(first);
        if (found < 0)
            return -1;
        from += found;
        if (std::memcmp(text + from + 1, rest, size_t(m - 1) * sizeof(char16_t)) == 0)
            return from;
        ++from;
    }
    return -1;
}

int CTavDbSearchTable::Find(const QString& foldedQuery, bool withPrivate, int limit,
                            QList<CTavDbSearchHit>& hits) const
{
    if (foldedQuery.isEmpty())
        return 0;
    int count = 0;
    qsizetype at = 0;
    while ((at = findFrom(foldedQuery, at)) >= 0) {
        const auto slot = std::upper_bound(m_fieldStarts.begin(), m_fieldStarts.end(), int(at)) - 1;
        const Entry& entry = m_entries[m_fieldOwners[slot - m_fieldStarts.begin()].first];
        // One hit per record: go on after its last field.
        const qsizetype matched = at;
        at = entry.end;
        if (entry.row.isPrivate && !withPrivate)
            continue;
        if (limit <= 0 || count < limit)
            hits.append(makeHit(entry, matched, int(foldedQuery.size())));
        ++count;
    }
    return count;
}

CTavDbSearchHit CTavDbSearchTable::makeHit(const Entry& entry, qsizetype at, int queryLength) const
{
    const auto slot = std::upper_bound(m_fieldStarts.begin(), m_fieldStarts.end(), int(at)) - 1;
    const int index = m_fieldOwners[slot - m_fieldStarts.begin()].second;
    const QString& text = entry.row.fields[index].second;
    // Where the folded range lies in the field's own text (voiced marks may have joined).
    std::vector<int> starts;
    CTavDbSearchFold::Fold(text, &starts);
    const int begin = int(at - *slot);
    CTavDbSearchHit hit;
    hit.module = m_module;
    hit.recordId = entry.row.id;
    hit.filePath = entry.row.path;
    hit.title = entry.row.title;
    hit.date = entry.row.date;
    hit.field = entry.row.fields[index].first;
    hit.text = text;
    hit.start = starts[begin];
    hit.length = starts[begin + queryLength] - hit.start;
    return hit;
}
