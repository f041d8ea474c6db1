#include "CTavScDiscardDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

CTavScDiscardDlg::CTavScDiscardDlg(bool archive, QWidget* parent)
    : CTavDialogBase(parent), m_period(new QComboBox(this)),
      m_archive(new QCheckBox(
          QStringLiteral("削除した予定を次回HotSync機能実行時にバックアップファイルに保存する"), this))
{
    setWindowTitle(QStringLiteral("予定の破棄"));
    m_period->addItems(
        {QStringLiteral("1週間"), QStringLiteral("2週間"), QStringLiteral("3週間"), QStringLiteral("1ヶ月")});
    m_archive->setChecked(archive);
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(m_period);
    row->addWidget(new QLabel(QStringLiteral("より古い予定を削除する"), this));
    row->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_archive);
    layout->addWidget(buttons);
}

bool CTavScDiscardDlg::Archive() const
{
    return m_archive->isChecked();
}

QDate CTavScDiscardDlg::CutOff(const QDate& today, int period)
{
    if (period >= 0 && period < 3)
        return today.addDays(-7 * (period + 1));
    int year = today.year();
    int month = today.month() - 1;
    if (month < 1) {
        month = 12;
        --year;
    }
    int day = today.day();
    while (day > 1 && !QDate::isValid(year, month, day))
        --day;
    return QDate(year, month, day);
}
