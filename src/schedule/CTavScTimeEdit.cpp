#include "CTavScTimeEdit.h"

CTavScTimeEdit::CTavScTimeEdit(QWidget* parent) : QTimeEdit(parent)
{
    setDisplayFormat(QStringLiteral("HH:mm"));
    setWrapping(true);
}

QTime CTavScTimeEdit::StepMinutes(const QTime& time, bool up)
{
    int hour = time.hour();
    int minute = time.minute();
    if (up) {
        minute = (minute / 5 + 1) * 5;
        if (minute >= 60)
            minute = 0;
    } else if (minute == 0) {
        hour = (hour + 23) % 24;
        minute = 55;
    } else {
        minute = (minute - 1) / 5 * 5;
    }
    return QTime(hour, minute);
}

void CTavScTimeEdit::stepBy(int steps)
{
    if (currentSection() != MinuteSection) {
        QTimeEdit::stepBy(steps);
        return;
    }
    QTime t = time();
    for (int i = 0; i < std::abs(steps); ++i)
        t = StepMinutes(t, steps > 0);
    setTime(t);
    setSelectedSection(MinuteSection);
}

QAbstractSpinBox::StepEnabled CTavScTimeEdit::stepEnabled() const
{
    if (currentSection() == MinuteSection)
        return StepUpEnabled | StepDownEnabled;
    return QTimeEdit::stepEnabled();
}
