#pragma once

#include "CTavDialogBase.h"

class QCheckBox;
class QSpinBox;
class QTreeWidget;
class ScheduleState;

// The holidays of one year as the handheld's holiday database lists them, and the switch that
// shows holidays in the schedule windows (written when the dialog closes).
class CTavScHolidayDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    explicit CTavScHolidayDlg(ScheduleState& state, QWidget* parent = nullptr);

    QCheckBox* ShowBox() const { return m_show; }
    QSpinBox* YearBox() const { return m_year; }
    QTreeWidget* List() const { return m_list; }

    void done(int result) override;

private:
    void FillList(int year);

    ScheduleState& m_state;
    QCheckBox* m_show;
    QSpinBox* m_year;
    QTreeWidget* m_list;
};
