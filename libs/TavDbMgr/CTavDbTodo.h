#pragma once

#include <QDateTime>
#include <QSet>
#include <unordered_set>

#include "CTavDbStoreBase.h"
#include "CTavDbTodoRecord.h"
#include "archive/CTavDbArchiveConverter.h"

// The To Do store. Tasks stay in the outline's order (sort key 4); the store moves and
// deletes a task together with its sub-items, hides the sub-items of folded tasks, and
// filters by completion, priority and date state besides category and private mode.
class CTavDbTodo final : public CTavDbStoreBase
{
public:
    static constexpr int kMaxRecords = 65535;
    static constexpr int kSortOutline = 4;
    enum DeleteMode
    {
        DeleteAlone = 0,
        DeletePurge = 1,
        DeleteWithChildren = 2
    };
    enum DateState
    {
        StateBefore = 0,
        StateActive = 1,
        StateDelayed = 2
    };

    CTavDbTodo();
    Q_DISABLE_COPY_MOVE(CTavDbTodo)

    CTavDbTodoRecord* GetTodoRecord(int index) const
    {
        return static_cast<CTavDbTodoRecord*>(GetRecord(index));
    }

    // Inserts a copy after the task and its sub-items (at the end for id 0). The new task is
    // at most one level below that task and never above the task that follows, so that no
    // other task changes its parent; its level is set accordingly in the given record too.
    TavStatus AddRecordAfter(CTavDbTodoRecord& record, uint32_t afterUniqueId);
    // Mode 0: the task alone, its sub-items move up a level. Mode 1 (purge): a completed task
    // with its sub-items, refused while one of them is not completed. Mode 2: the task with
    // every sub-item.
    TavStatus DeleteRecord(uint32_t uniqueId, int mode, bool archive);
    TavStatus DeleteRecord(uint32_t uniqueId, bool archive) override
    {
        return DeleteRecord(uniqueId, DeleteAlone, archive);
    }
    // A task moves with its sub-items over the neighbouring sibling (skipping siblings that
    // are not listed). With no sibling that way it leaves its parent: up, it goes before the
    // parent, down, it stays after the parent's sub-items; either way at the parent's level.
    // Refused (nothing changes) when a top-level task has nowhere to go.
    TavStatus MoveUpward(uint32_t uniqueId);
    TavStatus MoveDownward(uint32_t uniqueId);
    // Whether the task has sub-items at all (cheap enough to ask for every row).
    bool IsHoldChildren(uint32_t uniqueId) const;
    // Whether every sub-item passes the filters (true without sub-items). Folding is no filter.
    bool IsDispChildren(uint32_t uniqueId) const;

    void SetShowCompleted(bool show);
    bool GetShowCompleted() const { return m_showCompleted; }
    void SetDispState(DateState state, bool show);
    bool GetDispState(DateState state) const { return m_showState[state]; }
    // Whether folded tasks hide their sub-items (on by default; exports list everything).
    void SetFoldingApplied(bool on);
    bool GetFoldingApplied() const { return m_foldingApplied; }
    // Lists tasks of this priority or a more urgent one (1-5; other values count as 5).
    void SetDispPriority(int priority);
    int GetDispPriority() const { return m_dispPriority; }
    // Before the start day, active, or past the due day (a due day lasts until 23:59:59).
    static DateState GetDateState(const CTavDbTodoRecord& task, const QDateTime& now);

protected:
    std::unique_ptr<CTavDbPcRecord> NewRecord() const override
    {
        return std::make_unique<CTavDbTodoRecord>();
    }
    std::unique_ptr<CTavDbStoreBase> NewStore() const override { return std::make_unique<CTavDbTodo>(); }
    const CTavDbArchiveConverter* ArchiveConverter() const override
    {
        return &CTavDbArchiveConverter::Todo();
    }
    TavStatus CheckRecord(const CTavDbPcRecord& record) const override;
    void FilterView(std::vector<CTavDbPcRecord*>& view) const override;

private:
    struct Day
    {
        int64_t now;
        int64_t todayStart;
        int64_t tomorrowStart;
    };
    static Day dayAt(const QDateTime& now);
    static DateState stateOf(const CTavDbTodoRecord& task, const Day& day);
    bool passesOwnFilters(const CTavDbTodoRecord& task, const Day& day) const;
    // Moves [from, end) to stand before position to, shifting its levels by delta.
    void moveBlock(int from, int end, int to, int delta);
    using ListedSet = std::unordered_set<const CTavDbPcRecord*>;
    // Whether a task of [from, end) is in the current view.
    bool blockListed(int from, int end, ListedSet& listed) const;
    void setLevel(CTavDbTodoRecord& task, int level);

    // Tasks with sub-items, found by the last walk over the outline.
    mutable QSet<const CTavDbPcRecord*> m_parents;
    bool m_foldingApplied = true;
    bool m_showCompleted = true;
    bool m_showState[3] = {true, true, true};
    int m_dispPriority = CTavDbTodoRecord::kMaxPriority;
};
