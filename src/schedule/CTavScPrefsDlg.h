#pragma once

#include "CTavDialogBase.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QSpinBox;
class ScheduleState;

// The schedule's own preferences ("datebook" keys): the first hour of the grids, the first day
// of the week and how much past data goes to the handheld. OK writes them and the schedule
// windows follow.
class CTavScPrefsDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    static constexpr int kLastStartHour = 13;

    explicit CTavScPrefsDlg(ScheduleState& state, QWidget* parent = nullptr);

    QComboBox* StartTimeBox() const { return m_startTime; }
    QComboBox* StartDayBox() const { return m_startDay; }
    QGroupBox* TransferGroup() const { return m_transfer; }
    QCheckBox* LimitBox() const { return m_limit; }
    // 1..99; what is typed outside that range becomes its nearest end.
    QSpinBox* PeriodBox() const { return m_period; }
    QComboBox* UnitBox() const { return m_unit; }
    QCheckBox* DateBookBox() const { return m_dateBook; }
    QCheckBox* QuillosBox() const { return m_quillos; }

    void accept() override;

private:
    void Load();
    void Save() const;
    void UpdateTransferControls();

    ScheduleState& m_state;
    QComboBox* m_startTime;
    QComboBox* m_startDay;
    QGroupBox* m_transfer;
    QCheckBox* m_limit;
    QSpinBox* m_period;
    QComboBox* m_unit;
    QCheckBox* m_dateBook;
    QCheckBox* m_quillos;
};
