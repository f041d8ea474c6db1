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
    // What "設定(&S)" says: tasks repeat only as the handheld sets them.
    static inline const QString kRepeatNote =
        QStringLiteral("定期的なToDoはハンドヘルドで設定してください。\nLumora では表示のみ行います。");

    CTavTodoEditDlg(CTavApp& app, const CTavDbTodoRecord& task, bool isNew, QWidget* parent = nullptr);

    // A new task's defaults for the current filters: priority 1 (listed under every priority
    // filter), the category the outline shows (unfiled while it shows all), no dates.
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
    QLabel* RepeatText() const { return m_repeatText; }
    QLabel* SheetLabel() const { return m_sheetLabel; }
    QPushButton* SheetPickButton() const { return m_sheetPick; }
    QPushButton* SheetUnlinkButton() const { return m_sheetUnlink; }
    QPlainTextEdit* ClipboardEdit() const { return m_clipboard; }
    QPushButton* ClipboardClearButton() const { return m_clipboardClear; }

    // HotSync waits while the dialog is up.
    int exec() override;
    void accept() override;

private:
    void buildLayout();
    void showTask();
    void showSheet();
    void updateRepeat();
    void pickSheet();
    // The checks of OK in their order; false (the user was told) when one fails.
    bool check();
    void warn(const QString& text);

    CTavApp& m_app;
    CTavDbTodoRecord m_task;
    QString m_sheet;
    QLineEdit* m_title;
    QComboBox* m_priority;
    CTavTodoDateBox* m_start;
    CTavTodoDateBox* m_due;
    QLabel* m_repeatText;
    QPushButton* m_repeat;
    QComboBox* m_category;
    QCheckBox* m_private;
    QLabel* m_sheetLabel;
    QPushButton* m_sheetPick;
    QPushButton* m_sheetUnlink;
    QPlainTextEdit* m_note;
    QPlainTextEdit* m_clipboard;
    QPushButton* m_clipboardClear;
};
