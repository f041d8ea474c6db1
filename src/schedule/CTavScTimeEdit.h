#pragma once

#include <QTimeEdit>

// A time picker whose minute arrows move in steps of five minutes. Up from :55 gives :00 of
// the same hour; down from :00 gives :55 of the hour before. Typing sets any value.
class CTavScTimeEdit final : public QTimeEdit
{
    Q_OBJECT
public:
    explicit CTavScTimeEdit(QWidget* parent = nullptr);
    void stepBy(int steps) override;
    static QTime StepMinutes(const QTime& time, bool up);

protected:
    StepEnabled stepEnabled() const override;
};
