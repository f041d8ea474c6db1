#include "CTavCardDriveDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "CTavApp.h"
#include "CTavDriveMap.h"
#include "CTavFileDlg.h"
#include "CTavHelp.h"
#include "CTavOptions.h"
#include "CTavRegOption.h"
#include "TavCommandIds.h"
#include "TavStrings.h"

namespace {
const QString kHelpPage = QStringLiteral("contents.html");
} // namespace

CTavCardDriveDlg::CTavCardDriveDlg(CTavApp& app, QWidget* parent)
    : CTavDialogBase(parent), m_app(app), m_drives(std::make_unique<CTavDriveMap>(app.Options().registry())),
      m_drive(new QComboBox(this)),
      m_bind(new QPushButton(QStringLiteral("フォルダを割り当てる(&F)..."), this)),
      m_unbind(new QPushButton(QStringLiteral("割り当てを解除(&R)"), this))
{
    setWindowTitle(QStringLiteral("メモリースティック"));
    m_drive->setObjectName(QStringLiteral("id%1").arg(IdDrive));
    m_drive->setMinimumWidth(260);
    m_drive->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_bind->setObjectName(QStringLiteral("bindFolder"));
    m_bind->setAutoDefault(false);
    m_bind->setToolTip(
        QStringLiteral("カードの内容を写したフォルダに、空いているドライブ文字を割り当てます"));
    connect(m_bind, &QPushButton::clicked, this, &CTavCardDriveDlg::chooseFolder);
    m_unbind->setObjectName(QStringLiteral("unbindFolder"));
    m_unbind->setAutoDefault(false);
    connect(m_unbind, &QPushButton::clicked, this, &CTavCardDriveDlg::unbindSelected);
    connect(m_drive, &QComboBox::currentIndexChanged, this, &CTavCardDriveDlg::updateUnbind);
    fill(CTavOptions::instance().FlekDrive());

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("ドライブ :"), this));
    row->addWidget(m_drive, 1);
    auto* bindRow = new QHBoxLayout;
    bindRow->addStretch();
    bindRow->addWidget(m_unbind);
    bindRow->addWidget(m_bind);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavCardDriveDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavCardDriveDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(bindRow);
    layout->addWidget(buttons);

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [] { CTavHelp::ShowHelp(kHelpPage); });
}

CTavCardDriveDlg::~CTavCardDriveDlg() = default;

void CTavCardDriveDlg::fill(const QString& select)
{
    m_drive->clear();
    for (const QString& root : m_drives->availableRoots()) {
        m_drive->addItem(m_drives->displayName(root), root);
        if (root.compare(select, Qt::CaseInsensitive) == 0)
            m_drive->setCurrentIndex(m_drive->count() - 1);
    }
    if (select.isEmpty() || m_drive->findData(CTavDriveMap::rootOf(CTavDriveMap::letterOf(select))) < 0)
        m_drive->setCurrentIndex(-1);
    updateUnbind();
}

void CTavCardDriveDlg::updateUnbind()
{
    const QChar letter = CTavDriveMap::letterOf(SelectedDrive());
    bool bound = false;
    for (const CTavDriveMap::Drive& drive : m_drives->drives())
        bound = bound || (drive.letter == letter && drive.userBound);
    m_unbind->setEnabled(bound);
}

void CTavCardDriveDlg::unbindSelected()
{
    const QString root = SelectedDrive();
    if (root.isEmpty() || !m_drives->resetBinding(CTavDriveMap::letterOf(root))) {
        m_app.ShowMessage(this, QStringLiteral("ドライブ %1 の割り当てを解除できませんでした。").arg(root),
                          TavStr::ProductName, TavMsg::Ok | TavMsg::IconExclamation);
        return;
    }
    fill(QString());
}

QString CTavCardDriveDlg::SelectedDrive() const
{
    return m_drive->currentIndex() < 0 ? QString() : m_drive->currentData().toString();
}

bool CTavCardDriveDlg::BindFolder(const QString& folder)
{
    QString root = m_drives->rootBoundTo(folder);
    if (root.isEmpty()) {
        const QChar letter = m_drives->freeLetter();
        if (letter.isNull() || !m_drives->bind(letter, folder)) {
            m_app.ShowMessage(
                this, QStringLiteral("空いているドライブ文字がないため、フォルダを割り当てられません。"),
                TavStr::ProductName, TavMsg::Ok | TavMsg::IconExclamation);
            return false;
        }
        root = CTavDriveMap::rootOf(letter);
    }
    fill(root);
    return true;
}

void CTavCardDriveDlg::chooseFolder()
{
    CTavFileDlg dlg(CTavFileDlg::Open, QStringLiteral("カードとして読むフォルダの選択"), QString(), this);
    dlg.SetHelpPage(kHelpPage);
    dlg.FileDialog()->setFileMode(QFileDialog::Directory);
    dlg.FileDialog()->setOption(QFileDialog::ShowDirsOnly, true);
    dlg.SetInitialFolder(QDir::homePath());
    if (dlg.exec() != QDialog::Accepted)
        return;
    const QFileInfo chosen(dlg.PathName());
    if (chosen.isDir())
        BindFolder(chosen.absoluteFilePath());
}

void CTavCardDriveDlg::accept()
{
    const QString root = SelectedDrive();
    if (root.isEmpty()) {
        m_app.ShowMessage(this, QStringLiteral("メモリースティックドライブが選択されていません。"),
                          TavStr::ProductName, TavMsg::Ok | TavMsg::IconExclamation);
        return;
    }
    if (m_app.Options().SetFKDrive(root))
        CTavOptions::instance().SetFlekDrive(root);
    CTavDialogBase::accept();
}
