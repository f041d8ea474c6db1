#pragma once

#include <QList>
#include <any>
#include <cstdint>
#include <memory>
#include <vector>

#include "CTavDbCategory.h"
#include "CTavDbPcRecord.h"

// One finished edit of a store: the state of every record it touched and of the category
// table, before and after. Applying one side (CTavDbStoreBase::ApplyStates) puts the store back
// in that state, unique ids and store order included, whatever was written in between.
class CTavDbEdit
{
public:
    enum Side
    {
        Before,
        After
    };
    struct Record
    {
        uint32_t id = 0;
        int position = -1;                            // in the store order of that side
        std::shared_ptr<const CTavDbPcRecord> record; // null: the store does not hold the id
    };
    struct State
    {
        std::vector<Record> records; // present ones first, by position, then the absent ones
        QList<CTavDbCategory> categories;
        std::any extra; // the store's own tables, when the edit changed them
    };

    // Nothing changed: no record, category or table of the store differs.
    bool IsEmpty() const { return m_empty; }
    // False when the store changed in a way the edit could not record (a stored record edited
    // in place before the store was told, or records reordered behind its back): such an edit
    // must not be undone, and older ones no longer fit the store either.
    bool IsComplete() const { return m_complete; }
    bool ChangesExtra() const { return m_extraChanged; }
    const State& state(Side side) const { return side == Before ? m_before : m_after; }
    // The store's history count when the edit was made: a load or a merge of another writer's
    // changes makes older edits unusable.
    uint64_t Generation() const { return m_generation; }

private:
    friend class CTavDbEditJournal;
    State m_before;
    State m_after;
    uint64_t m_generation = 0;
    bool m_empty = true;
    bool m_complete = true;
    bool m_extraChanged = false;
};
