#include "CTavScHolidayDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "CTavDbTime.h"
#include "CTavFileDlg.h"
#include "ScheduleState.h"
#include "TavShowMessage.h"

namespace {
const QString kImportTitle = QStringLiteral("祝日一覧の取り込み");
const QString kImportFilter = QStringLiteral("CSV ファイル (*.csv)|*.csv|すべてのファイル (*.*)|*.*||");
} // namespace

CTavScHolidayDlg::CTavScHolidayDlg(ScheduleState& state, QWidget* parent)
    : CTavDialogBase(parent), m_state(state),
      m_show(new QCheckBox(QStringLiteral("休日を表示する(&H)"), this)), m_year(new QSpinBox(this)),
      m_list(new QTreeWidget(this)), m_source(new QLabel(this)),
      m_import(new QPushButton(QStringLiteral("取り込み(&I)..."), this))
{
    setWindowTitle(QStringLiteral("休日"));
    m_show->setChecked(state.DayStyle().ShowHolidays());
    m_year->setRange(CTavDbTime::firstDate().year(), CTavDbTime::lastDate().year());
    m_year->setValue(state.CurrentDay().year());
    m_year->setSuffix(QStringLiteral(" 年"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({QStringLiteral("日付"), QStringLiteral("内容")});
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->resizeSection(0, 120);
    m_list->setMinimumSize(320, 260);
    auto* listLabel = new QLabel(QStringLiteral("休日の一覧:"), this);
    listLabel->setBuddy(m_list);

    auto* top = new QHBoxLayout;
    top->addWidget(m_show);
    top->addStretch();
    top->addWidget(m_year);
    m_import->setToolTip(QStringLiteral("内閣府が公表する祝日の CSV を取り込みます"));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::AcceptRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(listLabel);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_source);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_import);
    bottom->addStretch();
    bottom->addWidget(buttons);
    layout->addLayout(bottom);

    connect(m_year, &QSpinBox::valueChanged, this, &CTavScHolidayDlg::FillList);
    connect(m_import, &QPushButton::clicked, this, &CTavScHolidayDlg::Import);
    FillList(m_year->value());
}

void CTavScHolidayDlg::FillList(int year)
{
    m_list->clear();
    // The list shows the year's holidays whether or not holidays are shown in the windows.
    CTavDbCalendarDays::Source source = CTavDbCalendarDays::Source::None;
    const auto holidays = m_state.DayStyle().Days().Holidays(year, &source);
    for (const auto& holiday : holidays)
        new QTreeWidgetItem(m_list, {holiday.date.toString(QStringLiteral("yyyy  MM  dd")), holiday.name});
    m_source->setText(source == CTavDbCalendarDays::Source::None
                          ? QStringLiteral("この年の休日はありません。")
                          : QStringLiteral("出典: %1").arg(CTavDbCalendarDays::SourceText(source)));
}

void CTavScHolidayDlg::Import()
{
    CTavFileDlg dialog(CTavFileDlg::Open, kImportTitle, kImportFilter, this);
    if (m_state.RunModal(dialog) != QDialog::Accepted)
        return;
    QString error;
    if (!m_state.DayStyle().Days().Import(dialog.PathName(), &error)) {
        TavShowMessage(this, error, QString(), TavMsg::IconExclamation);
        return;
    }
    m_imported = true;
    FillList(m_year->value());
}

void CTavScHolidayDlg::done(int result)
{
    CTavScDayStyle& style = m_state.DayStyle();
    const bool changed = style.ShowHolidays() != m_show->isChecked();
    if (changed)
        style.SetShowHolidays(m_show->isChecked());
    CTavDialogBase::done(result);
    if (changed || m_imported)
        emit m_state.changed();
}
