#pragma once

#include <QDate>

#include "CTavDialogBase.h"
#include "CTavScRepeatRule.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QWidget;

// Edits the repeat rule of an event that starts on a given day.
class CTavScRepeatDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    explicit CTavScRepeatDlg(QWidget* parent = nullptr);

    void Set(const QString& title, const QDate& start, const CTavScRepeatRule& rule);
    // The rule as the controls hold it (what OK hands back).
    CTavScRepeatRule Rule() const;
    QString Description() const;

    QRadioButton* KindRadio(int kind) const { return m_kinds[kind]; }
    QLineEdit* IntervalEdit() const { return m_interval; }
    QSpinBox* IntervalSpin() const { return m_spin; }
    QCheckBox* DayBox(int weekday) const { return m_days[weekday]; }
    QRadioButton* NoEndRadio() const { return m_noEnd; }
    QRadioButton* EndRadio() const { return m_hasEnd; }
    QDateEdit* EndDate() const { return m_endDate; }
    QRadioButton* ByDateRadio() const { return m_byDate; }
    QRadioButton* ByWeekdayRadio() const { return m_byWeekday; }
    QLabel* DescriptionLabel() const { return m_description; }
    QLabel* StartLabel() const { return m_start; }

private:
    void OnIntervalEdited(const QString& text);
    void ShowKindControls();
    void Recompute();

    QDate m_startDate;
    int m_weekIndex = 0;
    int m_monthIndex = 0;
    QString m_lastInterval = QStringLiteral("1");
    QRadioButton* m_kinds[5];
    QLineEdit* m_interval;
    QSpinBox* m_spin;
    QLabel* m_every;
    QLabel* m_unit;
    QRadioButton* m_noEnd;
    QRadioButton* m_hasEnd;
    QLabel* m_endLabel;
    QDateEdit* m_endDate;
    QWidget* m_endRow;
    QWidget* m_intervalRow;
    QWidget* m_dayRow;
    QWidget* m_methodRow;
    QCheckBox* m_days[7];
    QRadioButton* m_byDate;
    QRadioButton* m_byWeekday;
    QLabel* m_start;
    QLabel* m_description;
};
