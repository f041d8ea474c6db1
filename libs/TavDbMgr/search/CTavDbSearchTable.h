#pragma once

#include <QDate>
#include <QString>
#include <QVarLengthArray>
#include <utility>
#include <vector>

#include "CTavDbSearchHit.h"

// One module's searchable records, their fields folded once and kept end to end in one text,
// so that a query is one scan. Updating reuses the folded form of every field whose text did
// not change.
class CTavDbSearchTable final
{
public:
    struct Row
    {
        uint32_t id = 0;
        QString path;
        bool isPrivate = false;
        QString title;
        QDate date;
        QVarLengthArray<std::pair<int, QString>, 4> fields; // field number, text (empty ones left out)
    };

    explicit CTavDbSearchTable(int module) : m_module(module) {}

    // Takes the records as they are now, in listing order.
    void Update(std::vector<Row>&& rows);
    int RowCount() const { return int(m_entries.size()); }

    // Adds a hit per record holding the folded query (up to limit hits, 0 for all) and answers
    // how many records hold it.
    int Find(const QString& foldedQuery, bool withPrivate, int limit, QList<CTavDbSearchHit>& hits) const;

private:
    struct Entry
    {
        Row row;
        std::vector<QString> folded; // per field of row
        int end = 0;                 // where the entry's fields end in m_text
    };
    qsizetype findFrom(const QString& query, qsizetype from) const;
    CTavDbSearchHit makeHit(const Entry& entry, qsizetype at, int queryLength) const;

    int m_module;
    std::vector<Entry> m_entries;
    QString m_text;                                 // the folded fields, each followed by a separator
    std::vector<int> m_fieldStarts;                 // where each field begins in m_text
    std::vector<std::pair<int, int>> m_fieldOwners; // entry and field index of each
};
