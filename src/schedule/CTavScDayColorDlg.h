#pragma once

#include <QDate>

#include "CTavDialogBase.h"
#include "TavColorRef.h"

class QDateEdit;
class QLabel;
class QPushButton;
class ScheduleState;

// Picks a date and the colour its number and header get in every schedule window, or no
// colour of its own. The caller stores the choice (one undo step).
class CTavScDayColorDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavScDayColorDlg(ScheduleState& state, const QDate& date, QWidget* parent = nullptr);

    QDateEdit* DateEdit() const { return m_date; }
    QPushButton* CalendarButton() const { return m_calendar; }
    QPushButton* ColorButton() const { return m_colorButton; }
    QLabel* Swatch() const { return m_swatch; }

    QDate Date() const;
    bool IsSet() const { return m_set; }
    TavColorRef Color() const { return m_color; }

private:
    // The chosen date's own colour, as stored.
    void ShowStoredColor();
    void ShowSwatch();
    void PickDate();
    void PickColor();

    ScheduleState& m_state;
    QDateEdit* m_date;
    QPushButton* m_calendar;
    QLabel* m_swatch;
    QPushButton* m_colorButton;
    bool m_set = false;
    TavColorRef m_color = 0;
    bool m_picked = false; // a colour was chosen in this dialog
};
