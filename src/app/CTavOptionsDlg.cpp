#include "CTavOptionsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbEnv.h"
#include "CTavDbUser.h"
#include "CTavDriveMap.h"
#include "CTavOptions.h"
#include "CTavRegOption.h"
#include "CTavUserFile.h"
#include "TavStrings.h"

CTavOptionsDlg::CTavOptionsDlg(CTavApp& app, QWidget* parent)
    : CTavDialogBase(parent), m_app(app), m_folder(new QLineEdit(CTavDbEnv::GetCorePath(), this)),
      m_confirmDelete(new QCheckBox(QStringLiteral("データを削除する前に確認する(&C)"), this)),
      m_backupDeleted(
          new QCheckBox(QStringLiteral("削除したデータをバックアップ ファイルに保存する(&R)"), this)),
      m_password(new QCheckBox(QStringLiteral("Lumora にパスワードを設定する(&P)"), this)),
      m_drive(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("オプション"));
    m_folder->setObjectName(QStringLiteral("dataFolder"));
    m_folder->setReadOnly(true);
    m_folder->setMinimumWidth(340);
    m_folder->setCursorPosition(0);
    m_confirmDelete->setObjectName(QStringLiteral("confirmDelete"));
    m_backupDeleted->setObjectName(QStringLiteral("backupDeleted"));
    m_password->setObjectName(QStringLiteral("startupPassword"));
    m_drive->setObjectName(QStringLiteral("driveBox"));
    m_drive->setMinimumWidth(90);
    m_drive->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    const CTavOptions& options = CTavOptions::instance();
    m_confirmDelete->setChecked(options.CheckDelete() != 0);
    m_backupDeleted->setChecked(options.CheckBackup() != 0);
    m_password->setChecked(CTavUserFile::ReadStartupPasswordFlag(app.Users().GetCurrUserPath()) == 1);
    // Each letter with the folder it stands for on this PC; the root alone is what is stored.
    // No entry is chosen for the user when the stored drive is not among them: OK must not
    // move the card drive to whichever letter comes first.
    const CTavDriveMap drives;
    int stored = -1;
    for (const QString& root : drives.availableRoots()) {
        m_drive->addItem(drives.displayName(root), root);
        if (root.compare(options.FlekDrive(), Qt::CaseInsensitive) == 0)
            stored = m_drive->count() - 1;
    }
    m_drive->setCurrentIndex(stored);

    auto* folderRow = new QFormLayout;
    folderRow->addRow(QStringLiteral("データ フォルダ :"), m_folder);
    auto* flek = new QGroupBox(QStringLiteral("Flek"), this);
    auto* flekRow = new QHBoxLayout(flek);
    flekRow->addWidget(new QLabel(QStringLiteral("ドライブ："), flek));
    flekRow->addWidget(m_drive);
    flekRow->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(TavStr::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavOptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavOptionsDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(folderRow);
    layout->addWidget(m_confirmDelete);
    layout->addWidget(m_backupDeleted);
    layout->addWidget(m_password);
    layout->addWidget(flek);
    layout->addWidget(buttons);
}

QString CTavOptionsDlg::SelectedDrive() const
{
    return m_drive->currentData().toString();
}

void CTavOptionsDlg::accept()
{
    const QString userPath = m_app.Users().GetCurrUserPath();
    const bool wasOn = CTavUserFile::ReadStartupPasswordFlag(userPath) == 1;
    if (!wasOn && m_password->isChecked()) {
        const QString warning =
            QStringLiteral("本体にパスワードが設定されている場合、Lumora でデータを見るには、"
                           "パスワードを入力しなければなりません。");
        if (m_app.ShowMessage(this, warning, TavStr::ProductName, TavMsg::YesNo | TavMsg::IconExclamation) !=
            TavMsg::IdYes)
            return;
    }
    if (!CTavUserFile::Write(userPath, m_password->isChecked() ? 1 : 0, CTavDbClock::NowSeconds())) {
        m_app.ShowMessage(this,
                          QStringLiteral("%1 に保存できませんでした。")
                              .arg(QDir::toNativeSeparators(CTavUserFile::FilePath(userPath))),
                          TavStr::ProductName, TavMsg::IconExclamation);
        return;
    }
    CTavOptions& options = CTavOptions::instance();
    CTavRegOption& reg = m_app.Options();
    if (reg.SetCheckDelete(m_confirmDelete->isChecked() ? 1 : 0))
        options.SetCheckDelete(m_confirmDelete->isChecked() ? 1 : 0);
    if (reg.SetCheckBackup(m_backupDeleted->isChecked() ? 1 : 0))
        options.SetCheckBackup(m_backupDeleted->isChecked() ? 1 : 0);
    if (const QString root = SelectedDrive(); !root.isEmpty() && reg.SetFKDrive(root))
        options.SetFlekDrive(root);
    CTavDialogBase::accept();
}
