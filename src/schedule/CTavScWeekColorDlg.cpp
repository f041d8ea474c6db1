#include "CTavScWeekColorDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "CTavScColorDlg.h"
#include "ScheduleState.h"

namespace {
QString colorName(TavColorRef c)
{
    return QColor(TavRed(c), TavGreen(c), TavBlue(c)).name();
}
} // namespace

CTavScWeekColorDlg::CTavScWeekColorDlg(ScheduleState& state, QWidget* parent)
    : CTavDialogBase(parent), m_state(state), m_on(state.DayStyle().WeekdayOn()),
      m_colors(state.DayStyle().WeekdayColors())
{
    setWindowTitle(QStringLiteral("曜日"));
    static const char16_t* const names[] = {u"日曜日", u"月曜日", u"火曜日", u"水曜日",
                                            u"木曜日", u"金曜日", u"土曜日"};
    auto* group = new QGroupBox(QStringLiteral("曜日の色設定"), this);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < 7; ++i) {
        auto* button = new QPushButton(QString::fromUtf16(names[i]), group);
        button->setObjectName(QStringLiteral("weekday%1").arg(i));
        button->setMinimumSize(88, 30);
        grid->addWidget(button, i / 4, i % 4);
        connect(button, &QPushButton::clicked, this, [this, i] { PickColor(i); });
        m_buttons.append(button);
        ShowDay(i);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

TavColorRef CTavScWeekColorDlg::CaptionColor(TavColorRef back)
{
    const int mean = (TavRed(back) + TavGreen(back) + TavBlue(back)) / 3;
    return mean < 128 ? TavRgb(0xFF, 0xFF, 0xFF) : TavRgb(0, 0, 0);
}

void CTavScWeekColorDlg::ShowDay(int weekday)
{
    // A day without colour keeps the plain button face.
    const TavColorRef back = m_on[weekday] ? m_colors[weekday] : TavRgb(0xFF, 0xFF, 0xFF);
    m_buttons[weekday]->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid #808080; padding: 4px; }")
            .arg(colorName(back), colorName(CaptionColor(back))));
}

void CTavScWeekColorDlg::PickColor(int weekday)
{
    CTavScColorDlg dialog(m_on[weekday], m_colors[weekday], this, CTavScColorDlg::TextPalette());
    if (m_state.RunModal(dialog) != QDialog::Accepted)
        return;
    m_on[weekday] = dialog.IsSet();
    m_colors[weekday] = dialog.IsSet() ? dialog.Color() : 0;
    ShowDay(weekday);
}

void CTavScWeekColorDlg::accept()
{
    m_state.DayStyle().SetWeekdayColors(m_on, m_colors);
    CTavDialogBase::accept();
    emit m_state.changed();
}
