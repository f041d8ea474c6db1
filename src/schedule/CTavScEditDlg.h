#pragma once

#include <QDate>

#include "CTavDbDateRecord.h"
#include "CTavDialogBase.h"
#include "CTavScRepeatRule.h"

class CTavScTimeEdit;
class ScheduleState;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

// Creates or edits one event. For a changed repeating event it asks the scope and makes the
// split records itself; the caller adds or updates the record it passed after OK.
class CTavScEditDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavScEditDlg(ScheduleState& state, QWidget* parent = nullptr);

    // existing: the record is a copy of a stored event (its unique id set).
    void SetRecord(CTavDbDateRecord* record, bool existing);
    void accept() override;

    QLineEdit* TitleEdit() const { return m_title; }
    QDateEdit* DateEdit() const { return m_date; }
    CTavScTimeEdit* StartEdit() const { return m_start; }
    CTavScTimeEdit* EndEdit() const { return m_end; }
    QCheckBox* UntimedBox() const { return m_untimed; }
    QLabel* RepeatLabel() const { return m_repeatText; }
    QPushButton* RepeatButton() const { return m_repeatButton; }
    QCheckBox* AlarmBox() const { return m_alarm; }
    QSpinBox* AdvanceSpin() const { return m_advance; }
    QComboBox* UnitList() const { return m_unit; }
    QCheckBox* PrivateBox() const { return m_private; }
    QPushButton* ColorButton() const { return m_colorButton; }
    QPushButton* IconButton() const { return m_iconButton; }
    QPushButton* SheetButton() const { return m_sheetButton; }
    QPlainTextEdit* NoteEdit() const { return m_note; }
    QPlainTextEdit* ClipboardView() const { return m_clipboard; }
    const CTavScRepeatRule& Rule() const { return m_rule; }
    void SetRule(const CTavScRepeatRule& rule);
    // The event split off a repeating one on OK (this occurrence, or this and future); 0 for none.
    uint32_t SplitOffId() const { return m_splitOffId; }

private:
    QWidget* MakeRepeatRow();
    QWidget* MakeAlarmRow();
    QWidget* MakeLookRow();
    void FillControls();
    void PickColor();
    void PickIcon();
    void PickSheet();
    void PickRepeat();
    void ShowColor();
    void ShowIcon();
    void ShowSheet();
    void UpdateEnabled();
    bool Validate();
    // Every edited field written to the record; start and end on the given day, the rule moved
    // there from ruleDay, the day its weekday, week and month fields belong to.
    void WriteFields(CTavDbDateRecord& record, const QDate& day, const QDate& ruleDay) const;
    // shown: the day the edited occurrence is on afterwards.
    bool SplitRepeating(QDate& shown);
    void Warn(const QString& text);

    ScheduleState& m_state;
    CTavDbDateRecord* m_record = nullptr;
    CTavDbDateRecord m_original;
    CTavDbDateRecord m_baseline;
    bool m_existing = false;
    QDate m_shownDate; // the occurrence the editor opened on
    CTavScRepeatRule m_rule;
    QDate m_ruleDay; // the day m_rule was read or picked for
    uint32_t m_splitOffId = 0;
    bool m_colorSet = false;
    uint32_t m_color = 0xFFFFFF;
    QString m_iconName;
    int m_iconId = 0;
    QString m_sheet;
    QString m_lastTitle;
    QString m_lastNote;

    QLineEdit* m_title;
    QDateEdit* m_date;
    CTavScTimeEdit* m_start;
    CTavScTimeEdit* m_end;
    QCheckBox* m_untimed;
    QLabel* m_repeatText;
    QPushButton* m_repeatButton;
    QCheckBox* m_alarm;
    QSpinBox* m_advance;
    QComboBox* m_unit;
    QCheckBox* m_private;
    QLabel* m_swatch;
    QPushButton* m_colorButton;
    QLabel* m_icon;
    QPushButton* m_iconButton;
    QPushButton* m_iconClear;
    QLabel* m_sheetName;
    QPushButton* m_sheetButton;
    QPushButton* m_sheetClear;
    QPlainTextEdit* m_note;
    QPlainTextEdit* m_clipboard;
};
