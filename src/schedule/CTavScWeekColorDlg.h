#pragma once

#include <QList>
#include <array>

#include "CTavDialogBase.h"
#include "TavColorRef.h"

class QPushButton;
class ScheduleState;

// The colours of the seven weekdays (Sunday first): one swatch button per day, each opening the
// colour dialog. OK stores them in the "datebook" settings and the schedule windows follow.
class CTavScWeekColorDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    explicit CTavScWeekColorDlg(ScheduleState& state, QWidget* parent = nullptr);

    // weekday: 0 Sunday .. 6 Saturday.
    QPushButton* DayButton(int weekday) const { return m_buttons.at(weekday); }
    const std::array<bool, 7>& On() const { return m_on; }
    const std::array<TavColorRef, 7>& Colors() const { return m_colors; }
    // White on dark swatches (mean of red, green and blue below 128), black otherwise.
    static TavColorRef CaptionColor(TavColorRef back);

    void accept() override;

private:
    void ShowDay(int weekday);
    void PickColor(int weekday);

    ScheduleState& m_state;
    std::array<bool, 7> m_on;
    std::array<TavColorRef, 7> m_colors;
    QList<QPushButton*> m_buttons;
};
