#pragma once

#include "CTavDialogBase.h"

class QCheckBox;
class QLabel;

// "ToDoの削除": asks before the selected tasks are deleted, whether their sub-items go too and
// whether the handheld's backup keeps them. In its purge form it asks about the completed
// tasks, which always go with their sub-items.
class CTavTodoDeleteDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    enum Form
    {
        DeleteSelected,
        PurgeCompleted
    };
    static inline const QString kTitle = QStringLiteral("ToDoの削除");
    static inline const QString kDeleteQuestion = QStringLiteral("選択したToDoを削除しますか？");
    static inline const QString kPurgeQuestion = QStringLiteral("完了した To Do を削除しますか？");

    // withChildren and childEnabled matter for the delete form only.
    CTavTodoDeleteDlg(Form form, bool withChildren, bool childEnabled, bool backup,
                      QWidget* parent = nullptr);

    bool WithChildren() const;
    bool Backup() const;
    QLabel* Question() const { return m_question; }
    QCheckBox* ChildBox() const { return m_child; }
    QCheckBox* BackupBox() const { return m_backup; }

private:
    QLabel* m_question;
    QCheckBox* m_child;
    QCheckBox* m_backup;
};
