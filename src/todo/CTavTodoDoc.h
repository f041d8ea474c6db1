#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QStringList>
#include <vector>

#include "CTavDbTodoRecord.h"
#include "CTavModuleDoc.h"
#include "TodoListRow.h"

class CTavDbTodo;

// The To Do outline's view of the To Do store: the display settings of section "ToDo", the rows
// of the tasks the store lists, and the tasks copied for pasting.
class CTavTodoDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    static constexpr uint32_t kAllCategories = 99;
    static inline const QString kSection = QStringLiteral("ToDo");

    // The five settings of the display settings dialog. Colours are kept as QColor; the profile
    // holds them as RGB values with red in the low byte.
    struct Settings
    {
        bool showCompleted = true;       // "dispCompleted"
        bool registCompletedDate = true; // "registCompletedDate"
        QColor before = Qt::black;       // "dispColorBeforeRGB"
        QColor active = Qt::black;       // "dispColorActiveRGB"
        QColor delayed = Qt::red;        // "dispColorDelayedRGB"
        bool operator==(const Settings&) const = default;
    };

    explicit CTavTodoDoc(CTavApp& app, QObject* parent = nullptr);

    CTavDbTodo& Store() const;
    // Re-reads the settings, hands "dispCompleted" to the store and rebuilds the rows.
    void Reload() override;
    void ApplyStoreOrder() override;

    const Settings& GetSettings() const { return m_settings; }
    // Keeps and writes the five settings, hands the show-completed flag to the store and
    // rebuilds the rows.
    void SetSettings(const Settings& settings);
    // "deleteChildChecked" and "deleteBackupChecked" of the delete dialog.
    bool DeleteChildChecked() const;
    void SetDeleteChildChecked(bool on);
    bool DeleteBackupChecked() const;
    void SetDeleteBackupChecked(bool on);
    // The colour a task of that date state is drawn in (CTavDbTodo::DateState).
    QColor StateColor(int state) const;

    int Count() const { return static_cast<int>(m_rows.size()); }
    const std::vector<TodoListRow>& Rows() const { return m_rows; }
    const TodoListRow* Row(int index) const;
    // The stored task of a row, null when out of range.
    CTavDbTodoRecord* Task(int index) const;
    int IndexOfId(uint32_t uniqueId) const;
    // Whether private tasks are drawn masked (the application's private mode 1).
    bool Masked() const;

    // A category id, 99 for all.
    void SetFilter(uint32_t categoryId);
    uint32_t CategoryFilter() const { return m_categoryFilter; }

    // The tasks copied last, in row order.
    // The copied tasks with their category names, which the paste matches (the clipboard
    // outlives a user switch, and ids are each user's own).
    void SetClipboard(const QList<CTavDbTodoRecord>& tasks, const QStringList& categoryNames)
    {
        m_clipboard = tasks;
        m_clipboardCategories = categoryNames;
    }
    const QList<CTavDbTodoRecord>& ClipboardTasks() const { return m_clipboard; }
    const QStringList& ClipboardCategories() const { return m_clipboardCategories; }

    // Rebuilds the rows after a change of the tasks or the filters.
    void Refresh();

signals:
    void rowsRebuilt();

protected:
    void RefreshAfterUndo() override { Refresh(); }

private:
    void readSettings();
    void rebuild();

    Settings m_settings;
    std::vector<TodoListRow> m_rows;
    static constexpr int kScannedLookups = 16;
    std::vector<uint32_t> m_ids;              // the rows' tasks, for a quick scan
    mutable QHash<uint32_t, int> m_indexOfId; // made when many look-ups follow a rebuild
    mutable int m_lookups = 0;
    // The first and last second of the days of stored dates.
    QHash<TavTime, TavTime> m_dayStarts;
    QHash<TavTime, TavTime> m_dayEnds;
    uint32_t m_categoryFilter = kAllCategories;
    QList<CTavDbTodoRecord> m_clipboard;
    QStringList m_clipboardCategories;
};
