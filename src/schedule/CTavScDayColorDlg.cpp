#include "CTavScDayColorDlg.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "CTavDbTime.h"
#include "CTavScColorDlg.h"
#include "CTavScDatePickDlg.h"
#include "ScheduleState.h"

CTavScDayColorDlg::CTavScDayColorDlg(ScheduleState& state, const QDate& date, QWidget* parent)
    : CTavDialogBase(parent), m_state(state), m_date(new QDateEdit(this)),
      m_calendar(new QPushButton(QStringLiteral("カレンダー(&G)..."), this)), m_swatch(new QLabel(this)),
      m_colorButton(new QPushButton(QStringLiteral("色の指定(&C)..."), this))
{
    setWindowTitle(QStringLiteral("日の色の指定"));
    m_date->setDateRange(CTavDbTime::firstDate(), CTavDbTime::lastDate());
    m_date->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    m_date->setDate(CTavDbTime::inRange(date) ? date : CTavDbTime::firstDate());
    m_swatch->setFixedSize(72, 24);
    m_swatch->setAlignment(Qt::AlignCenter);
    m_swatch->setObjectName(QStringLiteral("daySwatch"));
    auto* dateLabel = new QLabel(QStringLiteral("日付(&D):"), this);
    dateLabel->setBuddy(m_date);

    auto* grid = new QGridLayout;
    grid->addWidget(dateLabel, 0, 0);
    grid->addWidget(m_date, 0, 1);
    grid->addWidget(m_calendar, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("色:"), this), 1, 0);
    grid->addWidget(m_swatch, 1, 1, Qt::AlignLeft);
    grid->addWidget(m_colorButton, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(m_date, &QDateEdit::dateChanged, this, &CTavScDayColorDlg::ShowStoredColor);
    connect(m_calendar, &QPushButton::clicked, this, &CTavScDayColorDlg::PickDate);
    connect(m_colorButton, &QPushButton::clicked, this, &CTavScDayColorDlg::PickColor);
    ShowStoredColor();
}

QDate CTavScDayColorDlg::Date() const
{
    return m_date->date();
}

void CTavScDayColorDlg::ShowStoredColor()
{
    // A colour the user picked here stays when the date changes after it.
    if (m_picked)
        return;
    TavColorRef color = 0;
    m_set = CTavScDayStyle::OwnColor(m_state.Store(), Date(), &color);
    m_color = m_set ? color : 0;
    ShowSwatch();
}

void CTavScDayColorDlg::ShowSwatch()
{
    if (!m_set) {
        m_swatch->setText(QStringLiteral("未設定"));
        m_swatch->setStyleSheet(QStringLiteral("QLabel { border: 1px solid #808080; background: white; }"));
        return;
    }
    m_swatch->setText(QString());
    const QColor c(TavRed(m_color), TavGreen(m_color), TavBlue(m_color));
    m_swatch->setStyleSheet(
        QStringLiteral("QLabel { border: 1px solid #808080; background: %1; }").arg(c.name()));
}

void CTavScDayColorDlg::PickDate()
{
    CTavScDatePickDlg dialog(Date(), m_state.startDayOfWeek, &m_state.Store(), this);
    if (m_state.RunModal(dialog) == QDialog::Accepted && CTavDbTime::inRange(dialog.Date()))
        m_date->setDate(dialog.Date());
}

void CTavScDayColorDlg::PickColor()
{
    CTavScColorDlg dialog(m_set, m_color, this, CTavScColorDlg::TextPalette());
    if (m_state.RunModal(dialog) != QDialog::Accepted)
        return;
    m_set = dialog.IsSet();
    m_color = m_set ? dialog.Color() : 0;
    m_picked = true;
    ShowSwatch();
}
