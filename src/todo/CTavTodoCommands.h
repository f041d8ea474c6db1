#pragma once

#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <functional>

class CTavDbTodoRecord;
class CTavTodoFrame;

// The To Do outline's task commands: new and edit, delete and purge, the task clipboard,
// completion, folding, levels and moves, the cell pop-ups and the context menu. Every change of
// tasks but folding is one step of the document's undo stack.
class CTavTodoCommands final : public QObject
{
    Q_OBJECT
public:
    static inline const QString kNothingSelected = QStringLiteral("選択されていません。");
    static inline const QString kSeveralSelected =
        QStringLiteral("複数の To Do が選択されています。一つの To Do を選択してください。");
    static inline const QString kFirstRowLevel = QStringLiteral("先頭の行は第一階層になります。");
    static inline const QString kChildrenFiltered =
        QStringLiteral("下の階層にフィルタにかかっていない項目があるため、削除することができません。");
    static inline const QString kNotDiscarded =
        QStringLiteral("下の階層に未完了の項目があるため、破棄できなかった項目があります。");
    // The entries of the due-date pop-up, commands 970-975.
    static const QStringList& DueChoices();
    // The message for a new task or a paste over the store's limit.
    static QString RecordLimitMessage();

    explicit CTavTodoCommands(CTavTodoFrame& frame);

    void OnNew();
    void OnEdit();
    void OnDelete();
    void OnPurge();
    void OnCopy();
    void OnPaste();
    bool CanPaste() const;
    void OnSelectAll();
    void OnCategories();
    void OnPrefs();

    void ToggleCompletion(int row);
    void ToggleFold(int row);
    void OnLevelUp() { changeLevels(-1); }
    void OnLevelDown() { changeLevels(+1); }
    void OnMoveUp();
    void OnMoveDown();

    // The cell pop-ups' choices for one task: priority 1-5; due 0-4 as the pop-up lists them,
    // 5 for the calendar; the category of index i of the store's list.
    void SetPriority(uint32_t uniqueId, int priority);
    void SetDue(uint32_t uniqueId, int choice);
    void SetCategory(uint32_t uniqueId, int categoryIndex);

    void ShowCellMenu(int row, int kind, const QPoint& globalPos);
    void ShowContextMenu(const QPoint& globalPos, int row);
    QMenu* ContextMenu() const { return m_menu; }
    QMenu* CellMenu() const { return m_cellMenu; }

    // Rebuilds the rows and selects the listed tasks of these ids (the first one current).
    void RefreshAndSelect(const QList<uint32_t>& uniqueIds);

private:
    int message(const QString& text, unsigned type);
    // Changes one task as one undo step; -1 (and nothing changed) when the store refuses.
    int updateTask(uint32_t uniqueId, const QString& stepName,
                   const std::function<void(CTavDbTodoRecord&)>& change);
    void changeLevels(int delta);
    void moveSelection(bool up);
    QMenu* menu(QPointer<QMenu>& menu, const char* name);

    CTavTodoFrame& m_frame;
    QPointer<QMenu> m_menu;
    QPointer<QMenu> m_cellMenu;
};
