#pragma once

#include "CTavDbTodoRecord.h"
#include "CTavDialogBase.h"

class CTavApp;
class CTavTodoDateBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "ToDo編集ダイアログ": every field of one task. On OK the checks run in their order and the
// dialog closes only when all pass; Task() then holds the edited task (the fields the dialog
// does not show keep the values it was given).
class CTavTodoEditDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    static inline const QString kNewTitle = QStringLiteral("To Do 新規作成ダイアログ");
    static inline const QString kEditTitle = QStringLiteral("To Do 編集ダイアログ");

    CTavTodoEditDlg(CTavApp& app, const CTavDbTodoRecord& task, bool isNew, QWidget* parent = nullptr);

    // A new task's defaults (priority, category, dates) for the current filters.
    static CTavDbTodoRecord NewTask(CTavApp& app, uint32_t categoryFilter);

    const CTavDbTodoRecord& Task() const { return m_task; }

    // The controls, for tests.
    QLineEdit* TitleEdit() const;
    QComboBox* PriorityBox() const;
    CTavTodoDateBox* StartBox() const;
    CTavTodoDateBox* DueBox() const;
    QComboBox* CategoryBox() const;
    QCheckBox* PrivateBox() const;
    QPlainTextEdit* NoteEdit() const;
    QPushButton* RepeatButton() const;

protected:
    void accept() override;

private:
    CTavApp& m_app;
    CTavDbTodoRecord m_task;
};
