#include "CTavScFrameBase.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>

#include "CTavApp.h"
#include "CTavModuleBar.h"
#include "CTavModuleDoc.h"
#include "CTavScDisplayCommands.h"
#include "CTavScFileCommands.h"
#include "TavCommandIds.h"

namespace {
constexpr int kOpenCurrentFile = 32779;
constexpr int kOpenBackupFile = 32778;
constexpr int kRestore = 32788;
} // namespace

CTavScFrameBase::CTavScFrameBase(CTavModuleDoc* document, int slot, int view, const QString& title,
                                 QWidget* parent)
    : CTavModuleFrame(document,
                      Description{slot, view, CTavModuleBar::Schedule, title, view != TavModule::Year, false},
                      parent),
      m_view(view), m_display(new CTavScDisplayCommands(*this)), m_files(new CTavScFileCommands(*this))
{
    auto* bar = static_cast<QHBoxLayout*>(TopBar()->layout());
    const QString labels[] = {QStringLiteral("日"), QStringLiteral("週"), QStringLiteral("月"),
                              QStringLiteral("年")};
    for (int i = 0; i < 4; ++i) {
        const int target = TavModule::Day + i;
        auto* button = new QToolButton(TopBar());
        button->setText(labels[i]);
        button->setObjectName(QStringLiteral("viewButton%1").arg(target));
        button->setCheckable(true);
        button->setChecked(target == view);
        button->setAutoRaise(false);
        button->setFixedSize(36, 24);
        bar->insertWidget(i, button);
        connect(button, &QToolButton::clicked, this, [this, button, target] {
            button->setChecked(target == m_view);
            if (target != m_view)
                CTavApp::instance()->SwitchModule(target);
        });
        m_buttons.append(button);
    }
    // The year window has no backup file commands: while a backup file is open the schedule
    // shows it only in the day, week and month windows.
    if (view != TavModule::Year) {
        CTavScFileCommands* f = m_files;
        AddCommands({
            {kOpenCurrentFile, u"現在のファイルを開く(&C)", [f] { f->OnOpenCurrentFile(); }, false},
            {kOpenBackupFile, u"バックアップファイル(&O)...", [f] { f->OnOpenBackupFile(); }, false},
            {kRestore, u"復元(&R)", [f] { f->OnRestore(); }, false},
        });
    }
}

QString CTavScFrameBase::HelpPage() const
{
    // The day window has its own page; week, month and year share the calendar page.
    return m_view == TavModule::Day ? QStringLiteral("schedule.html") : QStringLiteral("calendar.html");
}

void CTavScFrameBase::FillMenu(MenuKind menu, QMenu* target)
{
    m_files->FillMenu(menu, target);
    if (menu == FileMenu && Action(kOpenBackupFile)) {
        target->addActions({Action(kOpenCurrentFile), Action(kOpenBackupFile), Action(kRestore)});
        target->addSeparator();
    }
    m_display->FillMenu(menu, target);
}

void CTavScFrameBase::UpdateCommandUI()
{
    m_display->UpdateCommandUI();
    const bool backupOpen = Document()->App().backupFileOpen() != 0;
    if (QAction* open = Action(kOpenBackupFile)) {
        open->setEnabled(!backupOpen);
        Action(kOpenCurrentFile)->setEnabled(backupOpen);
    }
    // A backup file shows in the day, week and month windows only: the year is out of reach.
    m_buttons.last()->setEnabled(!backupOpen);
}

void CTavScFrameBase::Update(int hint)
{
    if (hint == 2 && Action(kOpenBackupFile))
        m_files->LeaveBackupFile();
    else
        CTavModuleFrame::Update(hint);
}
