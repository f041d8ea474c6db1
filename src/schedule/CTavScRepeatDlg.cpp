#include "CTavScRepeatDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "CTavDbTime.h"
#include "CTavScDatePickDlg.h"
#include "ScheduleState.h"

namespace {
QWidget* row(QWidget* parent, const QList<QWidget*>& widgets)
{
    auto* w = new QWidget(parent);
    auto* layout = new QHBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* child : widgets)
        layout->addWidget(child);
    layout->addStretch();
    return w;
}
} // namespace

CTavScRepeatDlg::CTavScRepeatDlg(QWidget* parent)
    : CTavDialogBase(parent), m_interval(new QLineEdit(this)), m_spin(new QSpinBox(this)),
      m_every(new QLabel(QStringLiteral("毎"), this)), m_unit(new QLabel(this)),
      m_noEnd(new QRadioButton(QStringLiteral("終了日なし(&Q)"), this)),
      m_hasEnd(new QRadioButton(QStringLiteral("終了日指定(&Z)"), this)),
      m_endLabel(new QLabel(QStringLiteral("終了日(&E)"), this)), m_endDate(new QDateEdit(this)),
      m_byDate(new QRadioButton(QStringLiteral("日付(&K)"), this)),
      m_byWeekday(new QRadioButton(QStringLiteral("曜日(&L)"), this)), m_start(new QLabel(this)),
      m_description(new QLabel(this))
{
    const QString kindLabels[] = {QStringLiteral("なし(&N)"), QStringLiteral("日単位(&D)"),
                                  QStringLiteral("週単位(&W)"), QStringLiteral("月単位(&M)"),
                                  QStringLiteral("年単位(&Y)")};
    auto* kinds = new QGroupBox(QStringLiteral("定期的な予定の単位"), this);
    auto* kindLayout = new QHBoxLayout(kinds);
    auto* kindGroup = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        m_kinds[i] = new QRadioButton(kindLabels[i], kinds);
        kindLayout->addWidget(m_kinds[i]);
        kindGroup->addButton(m_kinds[i], i);
    }
    connect(kindGroup, &QButtonGroup::idClicked, this, [this] {
        ShowKindControls();
        Recompute();
    });

    m_interval->setFixedWidth(36);
    m_interval->setMaxLength(2);
    m_spin->setRange(1, 99);
    m_spin->setFixedWidth(20);
    m_spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    m_spin->setStyleSheet(QStringLiteral("QSpinBox { color: transparent; }"));
    connect(m_interval, &QLineEdit::textEdited, this, &CTavScRepeatDlg::OnIntervalEdited);
    connect(m_spin, &QSpinBox::valueChanged, this, [this](int value) {
        if (m_interval->text() != QString::number(value)) {
            m_interval->setText(QString::number(value));
            m_lastInterval = m_interval->text();
            Recompute();
        }
    });
    m_intervalRow = row(this, {m_every, m_interval, m_spin, m_unit});

    auto* endGroup = new QButtonGroup(this);
    endGroup->addButton(m_noEnd);
    endGroup->addButton(m_hasEnd);
    m_endDate->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    m_endLabel->setBuddy(m_endDate);
    auto* calendar = new QPushButton(QStringLiteral("カレンダー(&C)"), this);
    calendar->setObjectName(QStringLiteral("endCalendarButton"));
    connect(calendar, &QPushButton::clicked, this, [this] {
        CTavScDatePickDlg dialog(m_endDate->date(), ScheduleState::ReadStartDayOfWeek(), nullptr, this);
        if (dialog.exec() == QDialog::Accepted && dialog.Date() >= m_endDate->minimumDate()) {
            m_endDate->setDate(dialog.Date());
            m_hasEnd->setChecked(true);
        }
    });
    connect(m_endDate, &QDateEdit::dateChanged, this, [this] { m_hasEnd->setChecked(true); });
    m_endRow = new QWidget(this);
    auto* endLayout = new QVBoxLayout(m_endRow);
    endLayout->setContentsMargins(0, 0, 0, 0);
    endLayout->addWidget(m_noEnd);
    endLayout->addWidget(row(m_endRow, {m_hasEnd, m_endLabel, m_endDate, calendar}));

    const QString dayLabels[] = {QStringLiteral("日(&1)"), QStringLiteral("月(&2)"), QStringLiteral("火(&3)"),
                                 QStringLiteral("水(&4)"), QStringLiteral("木(&5)"), QStringLiteral("金(&6)"),
                                 QStringLiteral("土(&7)")};
    QList<QWidget*> dayWidgets{new QLabel(QStringLiteral("曜日指定:"), this)};
    for (int i = 0; i < 7; ++i) {
        m_days[i] = new QCheckBox(dayLabels[i], this);
        connect(m_days[i], &QCheckBox::toggled, this, &CTavScRepeatDlg::Recompute);
        dayWidgets << m_days[i];
    }
    m_dayRow = row(this, dayWidgets);

    auto* method = new QGroupBox(QStringLiteral("指定方法"), this);
    auto* methodLayout = new QHBoxLayout(method);
    methodLayout->addWidget(m_byDate);
    methodLayout->addWidget(m_byWeekday);
    connect(m_byDate, &QRadioButton::toggled, this, &CTavScRepeatDlg::Recompute);
    m_methodRow = method;

    m_description->setObjectName(QStringLiteral("repeatDescription"));
    m_description->setFrameShape(QFrame::StyledPanel);
    m_description->setMinimumHeight(26);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kinds);
    layout->addWidget(m_intervalRow);
    layout->addWidget(m_endRow);
    layout->addWidget(m_dayRow);
    layout->addWidget(m_methodRow);
    layout->addWidget(m_start);
    layout->addWidget(m_description);
    layout->addStretch();
    layout->addWidget(buttons);
    Set(QStringLiteral("定期的な予定"), CTavDbTime::firstDate(), CTavScRepeatRule());
}

void CTavScRepeatDlg::Set(const QString& title, const QDate& start, const CTavScRepeatRule& rule)
{
    setWindowTitle(title);
    m_startDate = start;
    const int interval = rule.interval >= 1 && rule.interval <= 99 ? rule.interval : 1;
    m_lastInterval = QString::number(interval);
    m_interval->setText(m_lastInterval);
    m_spin->setValue(interval);
    m_start->setText(start.toString(QStringLiteral("yyyy  MM  dd")) + QStringLiteral(" 開始"));

    const QDate last = CTavDbTime::lastDate();
    const QDate earliest =
        rule.hasEnd && rule.endDate.isValid() && rule.endDate < start ? rule.endDate : start;
    m_endDate->setDateRange(earliest, last);
    m_endDate->blockSignals(true);
    m_endDate->setDate(rule.hasEnd && rule.endDate.isValid() ? rule.endDate : start);
    m_endDate->blockSignals(false);
    (rule.hasEnd ? m_hasEnd : m_noEnd)->setChecked(true);

    uint8_t mask = rule.kind == CTavScRepeatRule::Weekly ? rule.mask : 0;
    if (mask == 0)
        mask = static_cast<uint8_t>(1u << (start.dayOfWeek() % 7));
    for (int i = 0; i < 7; ++i) {
        m_days[i]->blockSignals(true);
        m_days[i]->setChecked(mask & (1u << i));
        m_days[i]->blockSignals(false);
    }
    m_weekIndex = CTavScRepeatRule::WeekIndexOf(start);
    m_monthIndex = start.month() - 1;
    (rule.kind == CTavScRepeatRule::Monthly && rule.method == CTavScRepeatRule::ByWeekday ? m_byWeekday
                                                                                          : m_byDate)
        ->setChecked(true);
    m_kinds[rule.kind >= 0 && rule.kind <= 4 ? rule.kind : 0]->setChecked(true);
    ShowKindControls();
    Recompute();
}

void CTavScRepeatDlg::OnIntervalEdited(const QString& text)
{
    bool digits = !text.isEmpty();
    for (const QChar c : text)
        digits = digits && c.isDigit() && c.unicode() < 128;
    if (text.isEmpty())
        return;
    if (!digits) {
        m_interval->setText(m_lastInterval);
        return;
    }
    const int value = text.toInt();
    if (value < 1)
        m_interval->setText(QStringLiteral("1"));
    else if (value > 99)
        m_interval->setText(QStringLiteral("99"));
    m_lastInterval = m_interval->text();
    m_spin->blockSignals(true);
    m_spin->setValue(m_lastInterval.toInt());
    m_spin->blockSignals(false);
    Recompute();
}

void CTavScRepeatDlg::ShowKindControls()
{
    int kind = 0;
    for (int i = 0; i < 5; ++i) {
        if (m_kinds[i]->isChecked())
            kind = i;
    }
    const QString units[] = {QString(), QStringLiteral("日"), QStringLiteral("週 "), QStringLiteral("月 "),
                             QStringLiteral("年")};
    m_unit->setText(units[kind]);
    m_intervalRow->setVisible(kind != CTavScRepeatRule::None);
    m_endRow->setVisible(kind != CTavScRepeatRule::None);
    m_dayRow->setVisible(kind == CTavScRepeatRule::Weekly);
    m_methodRow->setVisible(kind == CTavScRepeatRule::Monthly);
}

CTavScRepeatRule CTavScRepeatDlg::Rule() const
{
    CTavScRepeatRule rule;
    for (int i = 0; i < 5; ++i) {
        if (m_kinds[i]->isChecked())
            rule.kind = i;
    }
    const int interval = m_interval->text().toInt();
    rule.interval = rule.kind == CTavScRepeatRule::None ? 0 : qBound(1, interval, 99);
    rule.hasEnd = m_hasEnd->isChecked();
    rule.endDate = m_endDate->date();
    rule.method = m_byDate->isChecked() ? CTavScRepeatRule::ByDate : CTavScRepeatRule::ByWeekday;
    if (rule.kind == CTavScRepeatRule::Weekly) {
        for (int i = 0; i < 7; ++i) {
            if (m_days[i]->isChecked())
                rule.mask |= static_cast<uint8_t>(1u << i);
        }
    }
    rule.weekIndex = m_weekIndex;
    rule.monthIndex = m_monthIndex;
    return rule;
}

QString CTavScRepeatDlg::Description() const
{
    return m_description->text();
}

void CTavScRepeatDlg::Recompute()
{
    CTavScRepeatRule rule = Rule();
    if (rule.kind == CTavScRepeatRule::None)
        rule.interval = 1;
    m_description->setText(rule.Describe(m_startDate));
}
