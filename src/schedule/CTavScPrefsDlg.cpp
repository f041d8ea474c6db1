#include "CTavScPrefsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "CTavProfile.h"
#include "ScheduleState.h"

namespace {
const QString kDatebook = QStringLiteral("datebook");

int readKey(const char* key, int def)
{
    return CTavProfile::GetProfileInt(kDatebook, QString::fromLatin1(key), def);
}

void writeKey(const char* key, int value)
{
    CTavProfile::WriteProfileInt(kDatebook, QString::fromLatin1(key), value);
}

// Two digits; a typed 0 (or nothing) becomes 1 rather than being refused.
class PeriodSpinBox final : public QSpinBox
{
public:
    explicit PeriodSpinBox(QWidget* parent) : QSpinBox(parent)
    {
        setRange(1, 99);
        setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
        lineEdit()->setMaxLength(2);
    }

protected:
    QValidator::State validate(QString& input, int&) const override
    {
        if (input.isEmpty())
            return QValidator::Intermediate;
        if (input.size() > 2)
            return QValidator::Invalid;
        for (QChar c : std::as_const(input))
            if (!c.isDigit())
                return QValidator::Invalid;
        return QValidator::Acceptable;
    }
};
} // namespace

CTavScPrefsDlg::CTavScPrefsDlg(ScheduleState& state, QWidget* parent)
    : CTavDialogBase(parent), m_state(state), m_startTime(new QComboBox(this)),
      m_startDay(new QComboBox(this)), m_transfer(new QGroupBox(QStringLiteral("転送データ"), this)),
      m_limit(new QCheckBox(QStringLiteral("Kiroに転送するデータを限定する(&C)"), m_transfer)),
      m_period(new PeriodSpinBox(m_transfer)), m_unit(new QComboBox(m_transfer)),
      m_dateBook(new QCheckBox(QStringLiteral("予定表(&D)"), m_transfer)),
      m_quillos(new QCheckBox(QStringLiteral("手書きメモ(&F)"), m_transfer))
{
    setWindowTitle(QStringLiteral("環境設定"));
    for (int hour = 0; hour <= kLastStartHour; ++hour)
        m_startTime->addItem(QStringLiteral("%1:00").arg(hour));
    m_startDay->addItems({QStringLiteral("日曜日"), QStringLiteral("月曜日"), QStringLiteral("火曜日"),
                          QStringLiteral("水曜日"), QStringLiteral("木曜日"), QStringLiteral("金曜日"),
                          QStringLiteral("土曜日")});
    m_unit->addItems(
        {QStringLiteral("日"), QStringLiteral("週"), QStringLiteral("月"), QStringLiteral("年")});
    m_startTime->setObjectName(QStringLiteral("startTime"));
    m_startDay->setObjectName(QStringLiteral("startDayOfWeek"));
    m_period->setObjectName(QStringLiteral("transferNumber"));

    auto* form = new QFormLayout;
    auto* startTimeLabel = new QLabel(QStringLiteral("開始時刻(&T):"), this);
    startTimeLabel->setBuddy(m_startTime);
    auto* startDayLabel = new QLabel(QStringLiteral("週の開始(&W):"), this);
    startDayLabel->setBuddy(m_startDay);
    form->addRow(startTimeLabel, m_startTime);
    form->addRow(startDayLabel, m_startDay);

    auto* period = new QHBoxLayout;
    period->addWidget(new QLabel(QStringLiteral("過去"), m_transfer));
    period->addWidget(m_period);
    period->addWidget(m_unit);
    period->addStretch();
    auto* apps = new QHBoxLayout;
    apps->addWidget(m_dateBook);
    apps->addWidget(m_quillos);
    apps->addStretch();
    auto* transferForm = new QFormLayout;
    transferForm->addRow(QStringLiteral("Kiroに転送する期間:"), period);
    transferForm->addRow(QStringLiteral("アプリケーション:"), apps);
    auto* transfer = new QVBoxLayout(m_transfer);
    transfer->addWidget(m_limit);
    transfer->addLayout(transferForm);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_transfer);
    layout->addWidget(buttons);

    Load();
    connect(m_limit, &QCheckBox::toggled, this, &CTavScPrefsDlg::UpdateTransferControls);
}

void CTavScPrefsDlg::Load()
{
    const int startTime = readKey("StartTime", 9);
    m_startTime->setCurrentIndex(startTime >= 0 && startTime <= kLastStartHour ? startTime : 9);
    m_startDay->setCurrentIndex(ScheduleState::ReadStartDayOfWeek());
    m_limit->setChecked(readKey("KiroTransfer", 0) != 0);
    const int number = readKey("KiroTransferNum", 1);
    m_period->setValue(number >= 1 && number <= 99 ? number : 1);
    const int unit = readKey("KiroTransferUnit", 2);
    m_unit->setCurrentIndex(unit >= 0 && unit <= 3 ? unit : 2);
    m_dateBook->setChecked(readKey("KiroTransferDateBook", 1) != 0);
    m_quillos->setChecked(readKey("KiroTransferQuillos", 1) != 0);
    UpdateTransferControls();
}

void CTavScPrefsDlg::UpdateTransferControls()
{
    const bool on = m_limit->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_period, m_unit, m_dateBook, m_quillos})
        w->setEnabled(on);
}

void CTavScPrefsDlg::Save() const
{
    writeKey("StartTime", m_startTime->currentIndex());
    writeKey("StartDayOfWeek", m_startDay->currentIndex());
    writeKey("KiroTransfer", m_limit->isChecked() ? 1 : 0);
    writeKey("KiroTransferNum", m_period->value());
    writeKey("KiroTransferUnit", m_unit->currentIndex());
    writeKey("KiroTransferDateBook", m_dateBook->isChecked() ? 1 : 0);
    writeKey("KiroTransferQuillos", m_quillos->isChecked() ? 1 : 0);
}

void CTavScPrefsDlg::accept()
{
    // A typed period counts even when OK is pressed before the edit is left.
    m_period->interpretText();
    Save();
    m_state.startTime = m_startTime->currentIndex();
    m_state.startDayOfWeek = m_startDay->currentIndex();
    // The handheld's working hours never end before the grid starts.
    if (m_state.startTime > m_state.handheld.endTime)
        m_state.handheld.endTime = m_state.startTime;
    const QDate day = m_state.CurrentDay();
    m_state.calendar.Build(day.year(), day.month(), m_state.startDayOfWeek);
    CTavDialogBase::accept();
    emit m_state.changed();
}
