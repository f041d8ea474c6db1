#pragma once

#include "CTavDialogBase.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class ScheduleState;

// The holidays of one year (the handheld's holiday database, else the imported list, else the
// holiday law) with where they came from, the import of the government's list, and the switch
// that shows holidays in the schedule windows (written when the dialog closes).
class CTavScHolidayDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    explicit CTavScHolidayDlg(ScheduleState& state, QWidget* parent = nullptr);

    QCheckBox* ShowBox() const { return m_show; }
    QSpinBox* YearBox() const { return m_year; }
    QTreeWidget* List() const { return m_list; }
    QLabel* SourceLabel() const { return m_source; }
    QPushButton* ImportButton() const { return m_import; }

    void done(int result) override;

private:
    void FillList(int year);
    void Import();

    ScheduleState& m_state;
    QCheckBox* m_show;
    QSpinBox* m_year;
    QTreeWidget* m_list;
    QLabel* m_source;
    QPushButton* m_import;
    bool m_imported = false;
};
