#pragma once

#include <QColor>
#include <QDate>

#include "CTavDialogBase.h"

class CTavDbFreePdbObjectManager;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

// The sheet's details ("手書きメモ詳細設定"): dates of the file, title, schedule date, alarm
// and background colour. Apply writes them into the sheet's records.
class CTavFreeEditDetailDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    // The range dates of a sheet may take.
    static QDate FirstDay() { return QDate(1970, 1, 2); }
    static QDate LastDay() { return QDate(2031, 12, 31); }

    // large: the schedule's variant, whose date, alarm and background are not the user's to set.
    CTavFreeEditDetailDlg(CTavDbFreePdbObjectManager& sheet, bool large, QWidget* parent = nullptr);

    // Writes the fields into the misc-info record (made when missing) and, for memo sheets, the
    // background into the canvas record.
    void Apply();

    QLineEdit* TitleEdit() const { return m_title; }
    QDateEdit* ScheduleDate() const { return m_date; }
    QTimeEdit* ScheduleTime() const { return m_time; }
    QPushButton* ScheduleCalendar() const { return m_dateButton; }
    QCheckBox* AlarmBox() const { return m_alarm; }
    QDateEdit* AlarmDate() const { return m_alarmDate; }
    QTimeEdit* AlarmTime() const { return m_alarmTime; }
    QPushButton* BackgroundButton() const { return m_background; }
    QLabel* SizeLabel() const { return m_size; }
    QLabel* CreatedLabel() const { return m_created; }
    QColor Background() const { return m_color; }

private:
    void pickDate(QDateEdit* edit);
    void showAlarm();
    void showBackground();

    CTavDbFreePdbObjectManager& m_sheet;
    QColor m_color;
    QLabel* m_created;
    QLabel* m_modified;
    QLineEdit* m_title;
    QDateEdit* m_date;
    QTimeEdit* m_time;
    QPushButton* m_dateButton;
    QCheckBox* m_alarm;
    QDateEdit* m_alarmDate;
    QTimeEdit* m_alarmTime;
    QPushButton* m_alarmButton;
    QPushButton* m_background;
    QLabel* m_size;
};
