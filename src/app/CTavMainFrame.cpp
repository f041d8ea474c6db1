#include "CTavMainFrame.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoGroup>

#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbStoreBase.h"
#include "CTavDbText.h"
#include "CTavDbUser.h"
#include "CTavDesktopConflict.h"
#include "CTavFrameActions.h"
#include "CTavHotSyncCoordinator.h"
#include "CTavModuleDoc.h"
#include "CTavModuleFrame.h"
#include "CTavOptionsDlg.h"
#include "CTavPlatformPaths.h"
#include "CTavRegOption.h"
#include "CTavSearchPane.h"
#include "CTavSourceUserDlg.h"
#include "CTavSyncLock.h"
#include "CTavUserListWatcher.h"
#include "CTavUserSwitcher.h"
#include "TavStrings.h"

CTavMainFrame::CTavMainFrame(CTavApp& app)
    : m_app(app), m_mdi(new QMdiArea(this)), m_undoGroup(new QUndoGroup(this)),
      m_actions(new CTavFrameActions(*this)), m_hotSync(new CTavHotSyncCoordinator(*this)),
      m_users(new CTavUserSwitcher(*this))
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(TavStr::ProductName);
    m_mdi->setViewMode(QMdiArea::SubWindowView);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_mdi->setBackground(QColor(0x80, 0x80, 0x80));
    setCentralWidget(m_mdi);
    // Queued: the switch may ask about an open backup file, which is no question to ask in the
    // middle of the MDI area's own activation.
    connect(
        m_mdi, &QMdiArea::subWindowActivated, this,
        [this](QMdiSubWindow* window) { OnSubWindowActivated(qobject_cast<CTavModuleFrame*>(window)); },
        Qt::QueuedConnection);
    CreateBars();
    CreateSearch();
    m_actions->BuildMenuBar(nullptr);

    const QRect work = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    setMinimumSize(std::min(kMinWidth, work.width()), std::min(kMinHeight, work.height()));
    RestorePlacement();

    connect(&m_app, &CTavApp::backupFileOpenChanged, this, &CTavMainFrame::UpdateCommandUI);
    connect(&m_app.DesktopConflict(), &CTavDesktopConflict::started, this, &CTavMainFrame::OnDesktopConflict);
    m_app.DesktopConflict().startWatching();
    m_hotSync->Listen();
    m_userListWatcher = new CTavUserListWatcher(*this);
}

CTavMainFrame::~CTavMainFrame() = default;

void CTavMainFrame::CreateBars()
{
    m_toolBar = addToolBar(QStringLiteral("ツール バー"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_actions->FillToolBar(m_toolBar);

    m_userBar = addToolBar(QStringLiteral("ユーザ"));
    m_userBar->setObjectName(QStringLiteral("userBar"));
    auto* label = new QLabel(QStringLiteral("ユーザ:"), m_userBar);
    label->setContentsMargins(6, 0, 4, 0);
    m_userBar->addWidget(label);
    m_userBox = new QComboBox(m_userBar);
    m_userBox->setObjectName(QStringLiteral("userComboBox"));
    m_userBox->setProperty("controlId", 2005);
    m_userBox->setFixedWidth(kUserBoxWidth);
    m_userBox->setMaxVisibleItems(12);
    m_userBar->addWidget(m_userBox);
    FillUserBox();
    connect(m_userBox, &QComboBox::activated, m_users, &CTavUserSwitcher::OnUserBoxConfirmed);

    m_statusPane = new QLabel(TavStr::ReadyStatus, statusBar());
    m_statusPane->setObjectName(QStringLiteral("statusPane"));
    statusBar()->addWidget(m_statusPane, 1);
    m_datePane = new QLabel(statusBar());
    m_datePane->setObjectName(QStringLiteral("datePane"));
    m_datePane->setAlignment(Qt::AlignCenter);
    m_datePane->setMinimumWidth(m_datePane->fontMetrics().horizontalAdvance(QStringLiteral("yy/mm/dd")) + 12);
    m_datePane->setFrameShape(QFrame::Panel);
    m_datePane->setFrameShadow(QFrame::Sunken);
    statusBar()->addPermanentWidget(m_datePane);
    UpdateDatePane();
    m_dateTimer = new QTimer(this);
    connect(m_dateTimer, &QTimer::timeout, this, &CTavMainFrame::UpdateDatePane);
    m_dateTimer->start(30000);

    m_toolBar->setVisible(!m_app.Options().ToolBarHidden());
    statusBar()->setVisible(!m_app.Options().StatusBarHidden());
}

void CTavMainFrame::CreateSearch()
{
    // The tool bar row is full at the window's smallest widths; the menu bar's right end is free.
    m_searchBar = new QToolBar(QStringLiteral("検索"), this);
    m_searchBar->setObjectName(QStringLiteral("searchBar"));
    m_searchBar->setMovable(false);
    m_searchBar->setContentsMargins(0, 0, 4, 0);
    menuBar()->setCornerWidget(m_searchBar, Qt::TopRightCorner);
    m_searchBox = new QLineEdit(m_searchBar);
    m_searchBox->setObjectName(QStringLiteral("globalSearchBox"));
    m_searchBox->setPlaceholderText(QStringLiteral("すべてを検索 (Ctrl+F)"));
    m_searchBox->setClearButtonEnabled(true);
    m_searchBox->setFixedWidth(180);
    m_searchBar->addWidget(m_searchBox);

    m_searchPane = new CTavSearchPane(m_app, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_searchPane);
    m_searchPane->hide();
    m_searchPane->AttachBox(m_searchBox);

    auto* find = new QAction(this);
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, [this] {
        m_searchBox->setFocus(Qt::ShortcutFocusReason);
        m_searchBox->selectAll();
    });
    addAction(find);
}

void CTavMainFrame::UpdateDatePane()
{
    m_datePane->setText(CTavDbClock::Today().toString(QStringLiteral("yy/MM/dd")));
}

QRect CTavMainFrame::PlacementFromStored(int left, int top, int right, int bottom, const QRect& work)
{
    const int workRight = work.x() + work.width();
    const int workBottom = work.y() + work.height();
    if (top >= work.y() && top <= workBottom && left <= workRight && right >= work.x() && left < right &&
        top < bottom)
        return QRect(left, top, right - left, bottom - top);
    return QRect();
}

void CTavMainFrame::RestorePlacement()
{
    const CTavRegOption::WindowPos pos = m_app.Options().WindowPosition();
    if (pos == CTavRegOption::WindowPos{}) {
        resize(800, 600);
        return;
    }
    const QRect work = screen() ? screen()->availableGeometry() : QRect();
    const QRect placed = PlacementFromStored(pos.left, pos.top, pos.right, pos.bottom, work);
    if (placed.isNull()) {
        resize(800, 600);
        return;
    }
    setGeometry(placed);
}

void CTavMainFrame::SavePlacement()
{
    CTavRegOption& o = m_app.Options();
    const bool maximized = isMaximized();
    const QRect r = maximized ? normalGeometry() : geometry();
    o.SetWindowShowCmd(maximized ? 1 : 0);
    if (!isMinimized() && r.isValid())
        o.SetWindowPosition(CTavRegOption::WindowPos::fromRect(r));
    o.SetToolBarHidden(!m_toolBar->isVisibleTo(this));
    o.SetStatusBarHidden(!statusBar()->isVisibleTo(this));
}

void CTavMainFrame::closeEvent(QCloseEvent* event)
{
    // The save has named what it could not write; closing now would drop those edits, so the
    // user decides.
    if (!SaveOnExit() &&
        m_app.ShowMessage(this, QStringLiteral("保存できなかった変更があります。変更を捨てて終了しますか？"),
                          TavStr::ProductName,
                          TavMsg::YesNo | TavMsg::IconExclamation | TavMsg::DefButton2) != TavMsg::IdYes) {
        event->ignore();
        return;
    }
    event->accept();
}

bool CTavMainFrame::SaveOnExit()
{
    // Everything was saved before the HotSync began and nothing could change since.
    const bool saved = m_hotSync->SyncRunning() || m_app.SaveAll();
    m_app.Options().SetCurrentUser(m_app.Users().GetCurrUserName());
    SavePlacement();
    return saved;
}

void CTavMainFrame::AddModuleFrame(CTavModuleFrame* frame)
{
    m_mdi->addSubWindow(frame);
    frame->showMaximized();
    if (frame->Document())
        m_undoGroup->addStack(&frame->Document()->UndoStack());
    connect(frame, &CTavModuleFrame::commandRequested, m_actions, &CTavFrameActions::Trigger);
}

void CTavMainFrame::ActivateModuleFrame(CTavModuleFrame* frame)
{
    if (!frame)
        return;
    if (!frame->isMaximized())
        frame->showMaximized();
    m_shownFrame = frame;
    m_mdi->setActiveSubWindow(frame);
    frame->raise();
    setWindowTitle(TavStr::ProductName + QStringLiteral(" - ") + frame->windowTitle());
    m_undoGroup->setActiveStack(frame->Document() ? &frame->Document()->UndoStack() : nullptr);
    m_actions->BuildMenuBar(frame);
    UpdateCommandUI();
}

void CTavMainFrame::OnSubWindowActivated(CTavModuleFrame* frame)
{
    if (!frame || !m_shownFrame || frame == m_shownFrame || m_mdi->activeSubWindow() != frame)
        return;
    m_app.SwitchModule(frame->GetDescription().module);
    // Refused (the backup file stays open): the module shown before comes back.
    if (m_shownFrame != frame)
        ActivateModuleFrame(m_shownFrame);
}

CTavModuleFrame* CTavMainFrame::ActiveModuleFrame() const
{
    return qobject_cast<CTavModuleFrame*>(m_mdi->activeSubWindow());
}

void CTavMainFrame::RefreshAll()
{
    CTavModuleFrame* current = m_app.FrameOfModule(m_app.currentModule());
    const int order[] = {TavSlot::Day,      TavSlot::Week,    TavSlot::Month,
                         TavSlot::Year,     TavSlot::Address, TavSlot::Todo,
                         TavSlot::FreeMemo, TavSlot::MemoPad, TavSlot::Reference};
    for (int slot : order)
        if (CTavModuleFrame* f = m_app.Frame(slot); f && f != current)
            f->Update(0);
    if (current) {
        current->Update(0);
        m_app.FocusModuleView(m_app.currentModule());
    }
    m_searchPane->Refresh();
    UpdateCommandUI();
}

void CTavMainFrame::SetPrivateMode(int mode)
{
    if (mode < 0 || mode > 2)
        mode = 0;
    const QString user = m_app.Users().GetCurrUserName();
    if (mode == 0 && m_app.privateMode() != 0 && m_app.Users().IsSettingPassword(user)) {
        m_app.setReadyForSync(0);
        const bool accepted = m_app.AskPassword(user, false, this);
        m_app.setReadyForSync(1);
        if (!accepted)
            return;
    }
    m_app.Options().SetListViewerPrivate(mode);
    m_app.setPrivateModeValue(mode);
    for (CTavDbStoreBase* store : m_app.RecordStores())
        store->SetPrivateMode(mode == 2 ? 2 : 0);
    RefreshAll();
}

void CTavMainFrame::OnSaveAll()
{
    const bool saved = m_app.SaveAll();
    m_app.LoadAll();
    m_app.ReloadUserPrefs();
    m_app.SetProfilePath();
    RefreshAll();
    // A failed save has already told what went wrong in a message.
    if (saved)
        statusBar()->showMessage(TavStr::SavedStatus, kSavedStatusMs);
}

void CTavMainFrame::OnOptions()
{
    m_app.setReadyForSync(0);
    CTavOptionsDlg dlg(m_app, this);
    dlg.exec();
    m_app.setReadyForSync(1);
}

void CTavMainFrame::OnDataMigration()
{
    // The stores hold a backup file's records while one is open: nothing may be added to it.
    if (m_app.backupFileOpen())
        return;
    CTavSyncLock lock(m_app);
    CTavSourceUserDlg dlg(m_app.Users(), this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const QString source = dlg.SourceUser();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QStringList failed;
    for (CTavDbStoreBase* store : m_app.RecordStores())
        if (const TavStatus status = store->TakeOverRecords(source); status != TavStatusCode::Ok)
            failed << QStringLiteral("%1: %2").arg(
                QDir::toNativeSeparators(store->StoreFilePath(m_app.Users().GetUserPath(source))),
                status == TavStatusCode::RecordLimit
                    ? QStringLiteral("件数が上限を超えるため、移行しませんでした。")
                    : QStringLiteral("移行できませんでした (エラー %1)。").arg(status));
    for (int slot = 0; slot < TavSlot::Count; ++slot)
        if (CTavModuleDoc* doc = m_app.Document(slot))
            if (const QString problems = doc->MigrateFrom(m_app.Users().GetUserPath(source));
                !problems.isEmpty())
                failed << problems;
    // The steps before name records and files as they were before the migration.
    m_app.ClearUndoHistory();
    RefreshAll();
    QGuiApplication::restoreOverrideCursor();
    if (!failed.isEmpty())
        m_app.ShowMessage(this,
                          QStringLiteral("%1 さんのデータのうち、移行できなかったものがあります。\n\n%2")
                              .arg(source, failed.join(u'\n')),
                          TavStr::ProductName, TavMsg::IconExclamation);
}

void CTavMainFrame::OnInstallTool()
{
#ifdef LUMORA_INSTALL_BUILD_PATH
    const QString buildPath = QStringLiteral(LUMORA_INSTALL_BUILD_PATH);
#else
    const QString buildPath;
#endif
    // Like any program started from a menu: its outcome is the tool's own business.
    const QString program =
        CTavPlatformPaths::findProgram(QStringLiteral("lumora-install"), "LUMORA_INSTALL", buildPath);
    if (!program.isEmpty())
        QProcess::startDetached(program, {QStringLiteral("--user"), m_app.Users().GetCurrUserName()});
}

bool CTavMainFrame::EnsureCurrentUserListed()
{
    CTavDbUser& users = m_app.Users();
    const QString name = users.GetCurrUserName();
    QString message;
    QString current = name;
    if (users.Reload() != TavStatusCode::Ok) {
        // The users known so far stay; nothing is written over the list until it reads again.
        message =
            QStringLiteral("ユーザの一覧 %1 "
                           "を読み込めません。ユーザの追加や変更は、読み込めるようになるまでできません。")
                .arg(QDir::toNativeSeparators(CTavDbUser::ListFilePath()));
    } else if (!name.isEmpty() && !users.GetUserNameList().contains(name)) {
        // The deleted user's data are gone with its folder; another user's data must not be
        // shown without that user's password.
        current.clear();
        for (const QString& other : SortedUserNames(users.GetUserNameList())) {
            if (!users.IsSettingPassword(other)) {
                current = other;
                break;
            }
        }
        if (current.isEmpty()) {
            current = name;
            users.AddUser(name);
            users.AddUserDirectory(name);
            message = TavStr::UserDeletedRecreated.arg(name);
        } else {
            message = TavStr::UserDeletedSwitched.arg(name, current);
        }
    }
    users.SetCurrUserName(current);
    FillUserBox();
    // Callers may be answering a HotSync notification, where no modal loop may run.
    if (!message.isEmpty())
        QMetaObject::invokeMethod(
            this, [this, message] { m_app.ShowMessage(nullptr, message, TavStr::ProductName); },
            Qt::QueuedConnection);
    return current != name;
}

void CTavMainFrame::OnUsersFileChanged()
{
    if (!EnsureCurrentUserListed())
        return;
    m_app.LoadAll();
    m_app.ReloadUserPrefs();
    m_app.SetProfilePath();
    RefreshAll();
}

QStringList CTavMainFrame::SortedUserNames(QStringList names)
{
    // Byte order of the handheld's code page, with ASCII letters folded to upper case.
    auto key = [](const QString& s, bool fold) {
        QByteArray bytes = CTavDbText::toCp932(s);
        if (fold) {
            QString upper = s;
            for (QChar& c : upper)
                if (c >= u'a' && c <= u'z')
                    c = QChar(c.unicode() - 0x20);
            bytes = CTavDbText::toCp932(upper);
        }
        return bytes;
    };
    std::sort(names.begin(), names.end(), [&key](const QString& a, const QString& b) {
        if (a == b)
            return false;
        const QByteArray ua = key(a, true);
        const QByteArray ub = key(b, true);
        return ua != ub ? ua < ub : key(a, false) < key(b, false);
    });
    return names;
}

void CTavMainFrame::FillUserBox()
{
    const QSignalBlocker block(m_userBox);
    m_userBox->clear();
    m_userBox->addItems(SortedUserNames(m_app.Users().GetUserNameList()));
    m_userBox->addItem(TavStr::EditUsers);
    m_userBox->setCurrentIndex(m_userBox->findText(m_app.Users().GetCurrUserName(), Qt::MatchExactly));
}

void CTavMainFrame::OnDesktopConflict()
{
    if (m_desktopWarning)
        return;
    m_desktopWarning = true;
    while (m_app.DesktopConflict().isRunning())
        m_app.ShowMessage(nullptr, TavStr::QuitDesktop, TavStr::ProductName, TavMsg::IconStop);
    m_desktopWarning = false;
    // The other program may have removed the current user: the data follow the switch.
    OnUsersFileChanged();
}

void CTavMainFrame::UpdateCommandUI()
{
    m_actions->UpdateCommandUI();
}
