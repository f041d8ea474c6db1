#pragma once

#include "CTavDbMemoRecord.h"
#include "CTavDialogBase.h"

class CTavDbMemo;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The memo editor: the text with its byte counter, the category and the private flag. OK and
// "新規" save the memo into the store; "新規" then starts a further new memo.
class CTavMemoDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    static constexpr int kMaxBytes = CTavDbMemoRecord::kMaxBytes;
    static inline const QString kNewTitle = QStringLiteral("メモ新規作成ダイアログ");
    static inline const QString kEditTitle = QStringLiteral("メモ編集ダイアログ");

    explicit CTavMemoDlg(CTavDbMemo& store, QWidget* parent = nullptr);

    // A new memo starting with a text, filed under a category.
    void StartNew(const QString& text, uint32_t categoryId);
    // An existing memo.
    void StartEdit(const CTavDbMemoRecord& record);

    static QString CounterText(int bytes);
    static QString OverLimitMessage();

    QPlainTextEdit* Edit() const { return m_edit; }
    QComboBox* CategoryBox() const { return m_category; }
    QCheckBox* PrivateBox() const { return m_private; }
    QLabel* Counter() const { return m_counter; }
    QPushButton* NewButton() const { return m_new; }
    // The unique id of the memo saved last, 0 when none was.
    uint32_t LastSavedId() const { return m_lastSaved; }

    void accept() override;
    void OnNewButton();

private:
    bool save();
    void updateCounter();

    CTavDbMemo& m_store;
    CTavDbMemoRecord m_record;
    bool m_editing = false;
    uint32_t m_lastSaved = 0;
    QPlainTextEdit* m_edit;
    QComboBox* m_category;
    QCheckBox* m_private;
    QLabel* m_counter;
    QPushButton* m_new;
};
