#include "CTavFreeEditDetailDlg.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "CTavByteLimit.h"
#include "CTavDbClock.h"
#include "CTavDbTime.h"
#include "CTavFreeEditColorDlg.h"
#include "CTavFreeEditDateDlg.h"
#include "sheet/CTavDbFreeCanvasObject.h"
#include "sheet/CTavDbFreeMiscInfoObject.h"
#include "sheet/CTavDbFreePdbObjectManager.h"

namespace {
// "date hh:mm:ss" of a header date; empty for none.
QString headerDate(TavTime time)
{
    if (time == 0)
        return QString();
    const QDateTime when = CTavDbTime::toDateTime(time);
    return QStringLiteral("%1 %2:%3:%4")
        .arg(QLocale(QLocale::Japanese, QLocale::Japan).toString(when.date(), QLocale::ShortFormat))
        .arg(when.time().hour(), 2, 10, QChar(u'0'))
        .arg(when.time().minute(), 2, 10, QChar(u'0'))
        .arg(when.time().second(), 2, 10, QChar(u'0'));
}

QDateEdit* dateEdit(const QDate& date, QWidget* parent)
{
    auto* edit = new QDateEdit(date, parent);
    edit->setDateRange(CTavFreeEditDetailDlg::FirstDay(), CTavFreeEditDetailDlg::LastDay());
    edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    return edit;
}

QTimeEdit* timeEdit(const QTime& time, QWidget* parent)
{
    auto* edit = new QTimeEdit(time, parent);
    edit->setDisplayFormat(QStringLiteral("HH:mm"));
    return edit;
}
} // namespace

CTavFreeEditDetailDlg::CTavFreeEditDetailDlg(CTavDbFreePdbObjectManager& sheet, bool large, QWidget* parent)
    : CTavDialogBase(parent), m_sheet(sheet), m_color(sheet.GetBackground())
{
    setWindowTitle(QStringLiteral("手書きメモ詳細設定"));
    const CTavDbFreeMiscInfoObject* misc = sheet.GetMiscInfo();
    const QDateTime now = CTavDbClock::Now();
    QDateTime when = misc ? misc->GetScheduleDateTime() : QDateTime();
    if (!when.isValid())
        when = QDateTime(now.date(), QTime(0, 0));
    QDateTime alarm = misc && misc->IsAlarm() ? misc->GetAlarmDateTime() : QDateTime();
    if (!alarm.isValid())
        alarm = now.addSecs(3600);

    m_created = new QLabel(headerDate(sheet.GetHeader().GetCreationDate()), this);
    m_modified = new QLabel(headerDate(sheet.GetHeader().GetModificationDate()), this);
    m_title = new QLineEdit(misc ? misc->GetTitle() : QString(), this);
    CTavByteLimit::Apply(m_title, CTavDbFreeMiscInfoObject::MaxTitleBytes);
    m_title->setPlaceholderText(QStringLiteral("(タイトルなし)"));

    m_date = dateEdit(when.date(), this);
    m_time = timeEdit(when.time(), this);
    m_dateButton = new QPushButton(QStringLiteral("カレンダー(&G)"), this);
    connect(m_dateButton, &QPushButton::clicked, this, [this] { pickDate(m_date); });
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_date);
    dateRow->addWidget(m_time);
    dateRow->addWidget(m_dateButton);

    m_alarm = new QCheckBox(QStringLiteral("表示"), this);
    m_alarm->setChecked(misc && misc->IsAlarm());
    m_alarmDate = dateEdit(alarm.date(), this);
    m_alarmTime = timeEdit(alarm.time(), this);
    m_alarmButton = new QPushButton(QStringLiteral("カレンダー"), this);
    connect(m_alarmButton, &QPushButton::clicked, this, [this] { pickDate(m_alarmDate); });
    connect(m_alarm, &QCheckBox::toggled, this, &CTavFreeEditDetailDlg::showAlarm);
    auto* alarmRow = new QHBoxLayout;
    alarmRow->addWidget(m_alarm);
    alarmRow->addWidget(m_alarmDate);
    alarmRow->addWidget(m_alarmTime);
    alarmRow->addWidget(m_alarmButton);
    alarmRow->addStretch();

    m_background = new QPushButton(QStringLiteral("背景色..."), this);
    connect(m_background, &QPushButton::clicked, this, [this] {
        CTavFreeEditColorDlg dialog(m_color, this);
        if (dialog.exec() == QDialog::Accepted) {
            m_color = dialog.Color();
            showBackground();
        }
    });
    auto* backgroundRow = new QHBoxLayout;
    backgroundRow->addWidget(m_background);
    backgroundRow->addStretch();
    m_size = new QLabel(QStringLiteral("%1 bytes").arg(sheet.GetFileSize()), this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("作成日時"), m_created);
    form->addRow(QStringLiteral("更新日時"), m_modified);
    form->addRow(QStringLiteral("タイトル"), m_title);
    form->addRow(QStringLiteral("予定表関連日時"), dateRow);
    form->addRow(QStringLiteral("アラーム"), alarmRow);
    form->addRow(QStringLiteral("背景色"), backgroundRow);
    form->addRow(QStringLiteral("ファイルサイズ"), m_size);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    if (large) {
        for (QWidget* w : {static_cast<QWidget*>(m_date), static_cast<QWidget*>(m_time),
                           static_cast<QWidget*>(m_dateButton), static_cast<QWidget*>(m_alarm),
                           static_cast<QWidget*>(m_background)})
            w->setEnabled(false);
    }
    showAlarm();
    showBackground();
}

void CTavFreeEditDetailDlg::pickDate(QDateEdit* edit)
{
    CTavFreeEditDateDlg dialog(edit->date(), this);
    if (dialog.exec() == QDialog::Accepted)
        edit->setDate(dialog.Date());
}

void CTavFreeEditDetailDlg::showAlarm()
{
    const bool on = m_alarm->isChecked();
    m_alarmDate->setVisible(on);
    m_alarmTime->setVisible(on);
    m_alarmButton->setVisible(on);
}

void CTavFreeEditDetailDlg::showBackground()
{
    m_background->setIcon(CTavFreeEditColorDlg::SwatchIcon(m_color, 16));
}

void CTavFreeEditDetailDlg::Apply()
{
    CTavDbFreeMiscInfoObject* misc = m_sheet.GetMiscInfo();
    if (!misc)
        misc = m_sheet.AddNew<CTavDbFreeMiscInfoObject>();
    misc->SetTitle(m_title->text());
    misc->SetScheduleDateTime(
        QDateTime(m_date->date(), QTime(m_time->time().hour(), m_time->time().minute())));
    misc->SetAlarm(m_alarm->isChecked());
    if (m_alarm->isChecked())
        misc->SetAlarmDateTime(
            QDateTime(m_alarmDate->date(), QTime(m_alarmTime->time().hour(), m_alarmTime->time().minute())));
    if (m_sheet.GetType() == CTavDbFreePdbObjectManager::TypeSheet) {
        CTavDbFreeCanvasObject* canvas = m_sheet.GetCanvas();
        if (!canvas)
            canvas = m_sheet.AddNew<CTavDbFreeCanvasObject>();
        canvas->SetColor(m_color.red(), m_color.green(), m_color.blue(), CTavDbFreeCanvasObject::DefaultRect);
    }
}
