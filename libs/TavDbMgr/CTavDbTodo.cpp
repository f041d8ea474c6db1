#include "CTavDbTodo.h"

#include <algorithm>
#include <unordered_set>

#include "CTavDbClock.h"
#include "CTavDbEnv.h"
#include "CTavDbTodoOutline.h"

CTavDbTodo::CTavDbTodo()
    : CTavDbStoreBase("todo", &CTavDbEnv::GetPdtTodoDir, "todo.ldb", CTavDbTodoRecord::kColumns, kMaxRecords)
{
    SetSortCond(CTavDbSortCond(kSortOutline));
}

TavStatus CTavDbTodo::CheckRecord(const CTavDbPcRecord& record) const
{
    const auto* task = dynamic_cast<const CTavDbTodoRecord*>(&record);
    return task && task->IsValid() ? TavStatusCode::Ok : TavStatusCode::InvalidArgument;
}

void CTavDbTodo::setLevel(CTavDbTodoRecord& task, int level)
{
    if (task.GetIndentLevel() == level)
        return;
    Touch(task.GetUniqueId());
    task.SetIndentLevel(level);
    task.setAttribute(CTavDbPcRecord::AttrDirty, true);
    MarkChanged(task.GetUniqueId());
}

TavStatus CTavDbTodo::AddRecordAfter(CTavDbTodoRecord& record, uint32_t afterUniqueId)
{
    const CTavDbTodoOutline outline(AllRecords());
    int position = outline.size();
    int highest = 0;
    int deepest = outline.lastLevel() + 1;
    if (afterUniqueId != 0) {
        const int anchor = PositionOf(afterUniqueId);
        if (anchor < 0 || !outline.isLive(anchor))
            return TavStatusCode::NotFound;
        position = outline.blockEnd(anchor);
        deepest = outline.level(anchor) + 1;
        const int next = outline.nextLive(position);
        highest = next < outline.size() ? outline.level(next) : 0;
    }
    const int wanted = record.GetIndentLevel();
    const int level = std::clamp(wanted, highest, std::min(deepest, CTavDbTodoRecord::kMaxLevel));
    record.SetIndentLevel(level);
    const TavStatus status = InsertRecord(record, position);
    if (status != TavStatusCode::Ok)
        record.SetIndentLevel(wanted);
    return status;
}

TavStatus CTavDbTodo::DeleteRecord(uint32_t uniqueId, int mode, bool archive)
{
    if (mode < DeleteAlone || mode > DeleteWithChildren)
        return TavStatusCode::InvalidArgument;
    const int pos = PositionOf(uniqueId);
    const CTavDbTodoOutline outline(AllRecords());
    if (pos < 0 || !outline.isLive(pos))
        return TavStatusCode::NotFound;
    std::vector<CTavDbTodoRecord*> children;
    for (int i = pos + 1, end = outline.blockEnd(pos); i < end; ++i)
        if (outline.isLive(i))
            children.push_back(static_cast<CTavDbTodoRecord*>(AllRecords()[i].get()));
    if (mode == DeleteAlone) {
        for (CTavDbTodoRecord* child : children)
            setLevel(*child, std::max(0, child->GetIndentLevel() - 1));
        return CTavDbStoreBase::DeleteRecord(uniqueId, archive);
    }
    if (mode == DeletePurge) {
        const bool unfinished = std::any_of(children.begin(), children.end(),
                                            [](const CTavDbTodoRecord* c) { return !c->GetCompleted(); });
        if (!outline.at(pos).GetCompleted() || unfinished)
            return TavStatusCode::Refused;
    }
    std::vector<uint32_t> ids{uniqueId};
    for (const CTavDbTodoRecord* child : children)
        ids.push_back(child->GetUniqueId());
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
        const TavStatus status = CTavDbStoreBase::DeleteRecord(*it, archive);
        if (status != TavStatusCode::Ok)
            return status;
    }
    return TavStatusCode::Ok;
}

bool CTavDbTodo::blockListed(int from, int end, ListedSet& listed) const
{
    // Mostly the block's first task is listed; only hidden blocks need the whole view.
    if (IndexOf(AllRecords()[from]->GetUniqueId()) >= 0)
        return true;
    if (listed.empty())
        for (int i = 0, n = GetCount(); i < n; ++i)
            listed.insert(GetRecord(i));
    for (int i = from + 1; i < end; ++i)
        if (listed.count(AllRecords()[i].get()))
            return true;
    return false;
}

void CTavDbTodo::moveBlock(int from, int end, int to, int delta)
{
    std::vector<CTavDbTodoRecord*> block;
    for (int i = from; i < end; ++i)
        block.push_back(static_cast<CTavDbTodoRecord*>(AllRecords()[i].get()));
    // Moving the neighbours instead gives the same order; fewer records then change.
    if (to < from && from - to < end - from)
        MoveRecordRange(to, from - to, end);
    else if (to > end && to - end < end - from)
        MoveRecordRange(end, to - end, from);
    else if (to != from && to != end)
        MoveRecordRange(from, end - from, to);
    if (delta != 0)
        for (CTavDbTodoRecord* task : block)
            if (!task->IsDeleted())
                setLevel(*task, std::max(0, task->GetIndentLevel() + delta));
}

TavStatus CTavDbTodo::MoveUpward(uint32_t uniqueId)
{
    const int pos = PositionOf(uniqueId);
    const CTavDbTodoOutline outline(AllRecords());
    if (pos < 0 || !outline.isLive(pos))
        return TavStatusCode::NotFound;
    const int level = outline.level(pos);
    const int end = outline.blockEnd(pos);
    ListedSet listed;
    for (int i = pos;;) {
        const int q = outline.previousAtOrAbove(i, level);
        if (q < 0)
            return TavStatusCode::Refused;
        if (outline.level(q) < level) {
            moveBlock(pos, end, q, outline.level(q) - level); // before the parent, at its level
            return TavStatusCode::Ok;
        }
        if (blockListed(q, i, listed)) {
            moveBlock(pos, end, q, 0);
            return TavStatusCode::Ok;
        }
        i = q; // a sibling nobody sees: pass it too
    }
}

TavStatus CTavDbTodo::MoveDownward(uint32_t uniqueId)
{
    const int pos = PositionOf(uniqueId);
    const CTavDbTodoOutline outline(AllRecords());
    if (pos < 0 || !outline.isLive(pos))
        return TavStatusCode::NotFound;
    const int level = outline.level(pos);
    const int end = outline.blockEnd(pos);
    ListedSet listed;
    int i = end;
    for (;;) {
        const int next = outline.nextLive(i);
        if (next >= outline.size() || outline.level(next) < level)
            break;
        const int nextEnd = outline.blockEnd(next);
        if (blockListed(next, nextEnd, listed)) {
            moveBlock(pos, end, nextEnd, 0);
            return TavStatusCode::Ok;
        }
        i = nextEnd;
    }
    const int parent = outline.parentOf(pos);
    if (parent < 0)
        return TavStatusCode::Refused;
    moveBlock(pos, end, i, outline.level(parent) - level); // after the parent's sub-items
    return TavStatusCode::Ok;
}

bool CTavDbTodo::IsHoldChildren(uint32_t uniqueId) const
{
    GetCount(); // the view's walk over the outline finds the parents
    const CTavDbPcRecord* task = FindRecord(uniqueId);
    return task && m_parents.contains(task);
}

bool CTavDbTodo::IsDispChildren(uint32_t uniqueId) const
{
    const int pos = PositionOf(uniqueId);
    if (pos < 0)
        return false;
    const CTavDbTodoOutline outline(AllRecords());
    const Day day = dayAt(CTavDbClock::Now());
    for (int i = pos + 1, end = outline.blockEnd(pos); i < end; ++i)
        if (outline.isLive(i) && !(PassesFilters(outline.at(i)) && passesOwnFilters(outline.at(i), day)))
            return false;
    return true;
}

void CTavDbTodo::SetShowCompleted(bool show)
{
    m_showCompleted = show;
    InvalidateView();
}

void CTavDbTodo::SetFoldingApplied(bool on)
{
    m_foldingApplied = on;
    InvalidateView();
}

void CTavDbTodo::SetDispState(DateState state, bool show)
{
    m_showState[state] = show;
    InvalidateView();
}

void CTavDbTodo::SetDispPriority(int priority)
{
    const bool valid =
        priority >= CTavDbTodoRecord::kMinPriority && priority <= CTavDbTodoRecord::kMaxPriority;
    m_dispPriority = valid ? priority : CTavDbTodoRecord::kMaxPriority;
    InvalidateView();
}

CTavDbTodo::Day CTavDbTodo::dayAt(const QDateTime& now)
{
    const QDate today = now.date();
    return {now.toSecsSinceEpoch(), today.startOfDay().toSecsSinceEpoch(),
            today.addDays(1).startOfDay().toSecsSinceEpoch()};
}

CTavDbTodo::DateState CTavDbTodo::stateOf(const CTavDbTodoRecord& task, const Day& day)
{
    // Whole days compared through today's bounds: a start day lies ahead when it begins at or
    // after tomorrow, a due day is not over while it ends at or after today's start.
    const int64_t start = task.GetStartDate();
    const int64_t due = task.GetDueDate();
    if (!task.HasStartDate())
        return !task.HasDueDate() || due >= day.todayStart ? StateActive : StateDelayed;
    if (!task.HasDueDate()) {
        // Start only: still before while now has not passed the start day's first second.
        const bool before =
            start >= day.tomorrowStart || (start >= day.todayStart && day.now <= day.todayStart);
        return before ? StateBefore : StateActive;
    }
    if (start >= day.tomorrowStart)
        return StateBefore;
    return due >= day.todayStart ? StateActive : StateDelayed;
}

CTavDbTodo::DateState CTavDbTodo::GetDateState(const CTavDbTodoRecord& task, const QDateTime& now)
{
    return stateOf(task, dayAt(now));
}

bool CTavDbTodo::passesOwnFilters(const CTavDbTodoRecord& task, const Day& day) const
{
    return (m_showCompleted || !task.GetCompleted()) && task.GetPriority() <= m_dispPriority &&
           m_showState[stateOf(task, day)];
}

void CTavDbTodo::FilterView(std::vector<CTavDbPcRecord*>& view) const
{
    const Day day = dayAt(CTavDbClock::Now());
    // One walk in store order finds the tasks with sub-items and leaves out the tasks under a
    // listed folded ancestor.
    struct Ancestor
    {
        int level;
        bool hides;
    };
    std::vector<Ancestor> ancestors;
    std::vector<CTavDbPcRecord*> listed;
    listed.reserve(view.size());
    size_t next = 0;
    m_parents.clear();
    m_parents.reserve(qsizetype(AllRecords().size() / 2));
    const CTavDbPcRecord* previous = nullptr;
    int previousLevel = 0;
    for (const auto& rec : AllRecords()) {
        if (rec->IsDeleted())
            continue;
        const auto& task = static_cast<const CTavDbTodoRecord&>(*rec);
        const int level = task.GetIndentLevel();
        if (previous && level > previousLevel)
            m_parents.insert(previous);
        previous = rec.get();
        previousLevel = level;
        while (!ancestors.empty() && ancestors.back().level >= level)
            ancestors.pop_back();
        const bool folded =
            std::any_of(ancestors.begin(), ancestors.end(), [](const Ancestor& a) { return a.hides; });
        const bool passes = next < view.size() && view[next] == rec.get();
        if (passes)
            ++next;
        const bool shown = passes && !folded && passesOwnFilters(task, day);
        if (shown)
            listed.push_back(rec.get());
        ancestors.push_back({level, shown && m_foldingApplied && task.GetFolded()});
    }
    view.swap(listed);
}
