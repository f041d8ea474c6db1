#include "CTavTodoDoc.h"

#include "CTavApp.h"
#include "CTavDbTodo.h"
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

// STUB: the rows are built by the outline's author.
const TodoListRow* CTavTodoDoc::Row(int index) const
{
    return index >= 0 && index < Count() ? &m_rows[size_t(index)] : nullptr;
}

CTavDbTodoRecord* CTavTodoDoc::Task(int) const
{
    return nullptr; // STUB
}

int CTavTodoDoc::IndexOfId(uint32_t) const
{
    return -1; // STUB
}

void CTavTodoDoc::SetFilter(uint32_t categoryId)
{
    m_categoryFilter = categoryId; // STUB
}

void CTavTodoDoc::Refresh()
{
    rebuild();
}

void CTavTodoDoc::rebuild()
{
    emit rowsRebuilt(); // STUB
}
