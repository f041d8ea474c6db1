#pragma once

#include <memory>
#include <vector>

#include "CTavDbTodoRecord.h"

// Reads the outline of tasks in store order. A task's sub-items are the live tasks after it
// with a deeper level, up to the next live task at its level or above; deleted tasks kept
// for the backup have no place in the outline and go along with the block they stand in.
class CTavDbTodoOutline final
{
public:
    using Records = std::vector<std::unique_ptr<CTavDbPcRecord>>;
    explicit CTavDbTodoOutline(const Records& records) : m_records(records) {}

    int size() const { return static_cast<int>(m_records.size()); }
    const CTavDbTodoRecord& at(int pos) const
    {
        return static_cast<const CTavDbTodoRecord&>(*m_records[pos]);
    }
    bool isLive(int pos) const { return !m_records[pos]->IsDeleted(); }
    int level(int pos) const { return at(pos).GetIndentLevel(); }

    // The first position after the task and its sub-items.
    int blockEnd(int pos) const;
    // The first live task at or after pos (size() when none).
    int nextLive(int pos) const;
    // The nearest live task before pos at the given level or above (-1 when none).
    int previousAtOrAbove(int pos, int level) const;
    // The task's parent: the nearest live task before it with a smaller level (-1 at the top).
    int parentOf(int pos) const;
    // The level of the last live task (-1 when there is none).
    int lastLevel() const;

private:
    const Records& m_records;
};
