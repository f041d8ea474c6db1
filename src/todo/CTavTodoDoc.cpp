#include "CTavTodoDoc.h"

#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbTodo.h"
#include "CTavDbTodoOutline.h"
#include "CTavProfile.h"

namespace {
// Profile colours are RGB values with red in the low byte.
QColor fromProfile(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int toProfile(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

// Most rows keep their texts from one rebuild to the next: no reference counting for those.
void share(QString& to, const QString& from)
{
    if (!to.isSharedWith(from))
        to = from;
}

TavTime startOfDay(TavTime time)
{
    return CTavDbTime::fromDate(CTavDbTime::toDate(time));
}

TavTime endOfDay(TavTime time)
{
    return CTavDbTime::fromDateAndTime(CTavDbTime::toDate(time), QTime(23, 59, 59));
}
} // namespace

CTavTodoDoc::CTavTodoDoc(CTavApp& app, QObject* parent)
    : CTavModuleDoc(app, QStringLiteral("To Do リスト"), parent)
{
    readSettings();
}

CTavDbTodo& CTavTodoDoc::Store() const
{
    return App().TodoStore();
}

void CTavTodoDoc::ApplyStoreOrder()
{
    Store().SetSortCond(CTavDbSortCond(CTavDbTodo::kSortOutline));
    Store().SetShowCompleted(m_settings.showCompleted);
    Store().SetCategoryFilter(m_categoryFilter);
}

void CTavTodoDoc::readSettings()
{
    const auto get = [](const char* key, int fallback) {
        return CTavProfile::GetProfileInt(kSection, QLatin1String(key), fallback);
    };
    m_settings.showCompleted = get("dispCompleted", 1) != 0;
    m_settings.registCompletedDate = get("registCompletedDate", 1) != 0;
    m_settings.before = fromProfile(get("dispColorBeforeRGB", 0));
    m_settings.active = fromProfile(get("dispColorActiveRGB", 0));
    m_settings.delayed = fromProfile(get("dispColorDelayedRGB", 255));
}

void CTavTodoDoc::Reload()
{
    readSettings();
    if (m_categoryFilter != kAllCategories && !Store().FindCategoryById(m_categoryFilter))
        m_categoryFilter = kAllCategories;
    ApplyStoreOrder();
    Refresh();
}

void CTavTodoDoc::SetSettings(const Settings& settings)
{
    m_settings = settings;
    const auto put = [](const char* key, int value) {
        CTavProfile::WriteProfileInt(kSection, QLatin1String(key), value);
    };
    put("dispCompleted", settings.showCompleted);
    put("registCompletedDate", settings.registCompletedDate);
    put("dispColorBeforeRGB", toProfile(settings.before));
    put("dispColorActiveRGB", toProfile(settings.active));
    put("dispColorDelayedRGB", toProfile(settings.delayed));
    Store().SetShowCompleted(settings.showCompleted);
    Refresh();
}

bool CTavTodoDoc::DeleteChildChecked() const
{
    return CTavProfile::GetProfileInt(kSection, QStringLiteral("deleteChildChecked"), 0) != 0;
}

void CTavTodoDoc::SetDeleteChildChecked(bool on)
{
    CTavProfile::WriteProfileInt(kSection, QStringLiteral("deleteChildChecked"), on);
}

bool CTavTodoDoc::DeleteBackupChecked() const
{
    return CTavProfile::GetProfileInt(kSection, QStringLiteral("deleteBackupChecked"), 1) != 0;
}

void CTavTodoDoc::SetDeleteBackupChecked(bool on)
{
    CTavProfile::WriteProfileInt(kSection, QStringLiteral("deleteBackupChecked"), on);
}

QColor CTavTodoDoc::StateColor(int state) const
{
    switch (state) {
    case CTavDbTodo::StateBefore:
        return m_settings.before;
    case CTavDbTodo::StateDelayed:
        return m_settings.delayed;
    default:
        return m_settings.active;
    }
}

const TodoListRow* CTavTodoDoc::Row(int index) const
{
    return index >= 0 && index < Count() ? &m_rows[size_t(index)] : nullptr;
}

CTavDbTodoRecord* CTavTodoDoc::Task(int index) const
{
    const TodoListRow* row = Row(index);
    return row ? static_cast<CTavDbTodoRecord*>(Store().FindRecord(row->uniqueId)) : nullptr;
}

int CTavTodoDoc::IndexOfId(uint32_t uniqueId) const
{
    // A few look-ups after a rebuild (a command selecting its tasks) scan the ids; many make
    // the index worth building.
    if (m_indexOfId.isEmpty() && ++m_lookups <= kScannedLookups) {
        const auto it = std::find(m_ids.cbegin(), m_ids.cend(), uniqueId);
        return it == m_ids.cend() ? -1 : int(it - m_ids.cbegin());
    }
    if (m_indexOfId.isEmpty() && !m_rows.empty()) {
        m_indexOfId.reserve(Count());
        for (int i = 0; i < Count(); ++i)
            m_indexOfId.insert(m_rows[size_t(i)].uniqueId, i);
    }
    return m_indexOfId.value(uniqueId, -1);
}

bool CTavTodoDoc::Masked() const
{
    return App().privateMode() == 1;
}

void CTavTodoDoc::SetFilter(uint32_t categoryId)
{
    // A category the store does not know shows every task.
    if (categoryId != kAllCategories && !Store().FindCategoryById(categoryId))
        categoryId = kAllCategories;
    m_categoryFilter = categoryId;
    Store().SetCategoryFilter(categoryId);
    rebuild();
}

void CTavTodoDoc::Refresh()
{
    rebuild();
}

void CTavTodoDoc::rebuild()
{
    m_indexOfId.clear();
    m_lookups = 0;
    CTavDbTodo& store = Store();
    QHash<uint32_t, QString> names;
    for (const CTavDbCategory& c : store.GetCategories())
        names.insert(c.GetID(), c.GetName());
    const QDateTime now = CTavDbClock::Now();
    const QColor colours[3] = {m_settings.before, m_settings.active, m_settings.delayed};
    // Tasks share few distinct days: the local-time arithmetic runs once for each of them.
    if (m_dayStarts.size() + m_dayEnds.size() > 8192) {
        m_dayStarts.clear();
        m_dayEnds.clear();
    }
    // The store tells a state from where the dates lie against today (none, before, within,
    // after): one task of each kind of date pair stands for all of that kind.
    const TavTime todayStart = CTavDbTime::fromDate(now.date());
    const TavTime tomorrowStart = CTavDbTime::fromDate(now.date().addDays(1));
    const auto where = [todayStart, tomorrowStart](TavTime time) {
        return time >= maxDateTime ? 0 : time < todayStart ? 1 : time < tomorrowStart ? 2 : 3;
    };
    int states[16];
    std::fill(std::begin(states), std::end(states), -1);
    const auto dayBound = [](QHash<TavTime, TavTime>& cache, TavTime time, TavTime (*bound)(TavTime)) {
        if (time >= maxDateTime)
            return maxDateTime;
        auto it = cache.constFind(time);
        if (it == cache.cend())
            it = cache.insert(time, bound(time));
        return *it;
    };
    const int count = store.GetCount();
    // The rows are overwritten in place: their strings' storage is reused.
    m_rows.resize(size_t(count));
    m_ids.resize(size_t(count));
    // The listed tasks come in store order: one walk along the outline tells which have
    // sub-items, without a lookup for every row.
    const CTavDbTodoOutline outline(store.AllRecords());
    int pos = 0;
    for (int i = 0; i < count; ++i) {
        const CTavDbTodoRecord* task = store.GetTodoRecord(i);
        TodoListRow& row = m_rows[size_t(i)];
        row.uniqueId = task->GetUniqueId();
        m_ids[size_t(i)] = row.uniqueId;
        share(row.title, task->GetDesc());
        row.due = dayBound(m_dayEnds, task->GetDueDate(), endOfDay);
        row.completed = task->GetCompleted();
        row.priority = task->GetPriority();
        share(row.note, task->GetNote());
        row.start = dayBound(m_dayStarts, task->GetStartDate(), startOfDay);
        row.categoryId = task->GetCategoryID();
        // The outline is drawn from the top level whatever the filters left out above it; the
        // task keeps its own level, which the next edit of it would otherwise save.
        row.level = i == 0 ? 0 : task->GetIndentLevel();
        row.folded = task->GetFolded();
        while (pos < outline.size() && &outline.at(pos) != task)
            ++pos;
        // The first row's level is drawn, not stored; a task out of order is asked for.
        if (i == 0 || pos >= outline.size()) {
            row.hasChildren = store.IsHoldChildren(row.uniqueId);
            if (pos >= outline.size())
                pos = 0;
        } else {
            const int next = outline.nextLive(pos + 1);
            row.hasChildren = next < outline.size() && outline.level(next) > outline.level(pos);
        }
        row.isPrivate = task->GetIsPrivate();
        share(row.sheetName, task->GetQuilloName());
        row.hasSheet = !row.sheetName.isEmpty();
        share(row.categoryName, names.value(row.categoryId));
        int& state = states[where(task->GetStartDate()) * 4 + where(task->GetDueDate())];
        if (state < 0)
            state = CTavDbTodo::GetDateState(*task, now);
        row.stateColor = colours[state];
    }
    emit rowsRebuilt();
}
