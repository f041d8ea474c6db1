#include "CTavStartup.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QScopeGuard>
#include <QSplashScreen>

#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavDbEnv.h"
#include "CTavDbMemo.h"
#include "CTavDbTodo.h"
#include "CTavDbUser.h"
#include "CTavDesktopConflict.h"
#include "CTavHotSyncCoordinator.h"
#include "CTavMainFrame.h"
#include "CTavModuleDoc.h"
#include "CTavModuleFrame.h"
#include "CTavOptions.h"
#include "CTavPrivateFiles.h"
#include "CTavRegOption.h"
#include "CTavSessionEnd.h"
#include "CTavSingleInstance.h"
#include "CTavUserDlg.h"
#include "CTavUserFile.h"
#include "TavStrings.h"

namespace {
QPixmap splashPicture()
{
    QPixmap pixmap(360, 200);
    pixmap.fill(QColor(0xC6, 0xC3, 0xC6));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(0, 0, 360, 8), QColor(0x31, 0x5A, 0x9C));
    QFont font = p.font();
    font.setPixelSize(40);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x31, 0x5A, 0x9C));
    p.drawText(QRect(0, 40, 360, 70), Qt::AlignCenter, TavStr::ProductName);
    font.setPixelSize(14);
    font.setBold(false);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 110, 360, 30), Qt::AlignCenter, QStringLiteral("Kiro ハンドヘルドのデータを PC で"));
    p.drawText(QRect(0, 160, 350, 30), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("v.1.0"));
    return pixmap;
}
} // namespace

bool CTavStartup::Run(const QStringList& arguments)
{
    m_app.m_instance = std::make_unique<CTavSingleInstance>(TavStr::ProductName);
    if (!m_app.m_instance->acquire()) {
        m_app.m_instance.reset();
        return false;
    }
    // The start-up object is gone long before another start asks: the handler holds the app.
    CTavApp* app = &m_app;
    QObject::connect(m_app.m_instance.get(), &CTavSingleInstance::activationRequested, app, [app] {
        if (CTavMainFrame* frame = app->MainFrame()) {
            // Restored to what it was before, maximised included.
            if (frame->isMinimized())
                frame->setWindowState(frame->windowState() & ~Qt::WindowMinimized);
            frame->raise();
            frame->activateWindow();
        }
    });

    QSplashScreen splash(splashPicture());
    m_splash = &splash;
    if (!CTavDialogBase::HasExecHook())
        splash.show();
    const auto hideSplash = qScopeGuard([this] {
        m_splash->close();
        m_splash = nullptr;
    });

    // The program's own texts are built in; the language value picks Qt's.
    m_app.LoadLanguage(m_app.Options().Language());

    if (m_app.DesktopConflict().isRunning()) {
        m_app.ShowMessage(QApplication::activeWindow(), TavStr::QuitDesktop, TavStr::ProductName,
                          TavMsg::IconStop);
        return false;
    }
    if (ParseCommandLine(arguments) == CommandLine::Automation)
        return true;
    CTavPrivateFiles::TightenAll();
    if (!ChooseUser() || !CheckStartupPassword())
        return false;

    m_app.Env().Initialize();
    m_app.LoadAll();
    m_app.ReloadUserPrefs();
    CTavOptions::instance().LoadOptions(m_app.Options());
    m_app.SetProfilePath();

    m_app.m_mainFrame = new CTavMainFrame(m_app);
    CreateModuleWindows();
    m_app.SwitchModule(TavModule::Day);
    ShowMainFrame();
    new CTavSessionEnd(*m_app.m_mainFrame);
    return true;
}

CTavStartup::CommandLine CTavStartup::ParseCommandLine(const QStringList& arguments)
{
    // File names are ignored: the program never opens a file from its command line.
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        const QString bare = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1).toLower();
        if ((arg.startsWith(u'-') || arg.startsWith(u'/')) &&
            (bare == QLatin1String("embedding") || bare == QLatin1String("automation")))
            return CommandLine::Automation;
        if (arg == QLatin1String("--data-dir") && i + 1 < arguments.size()) {
            CTavDbEnv::SetCorePath(arguments.at(++i));
            m_app.Users().Reload();
        } else if (arg.startsWith(QLatin1String("--data-dir="))) {
            CTavDbEnv::SetCorePath(arg.mid(11));
            m_app.Users().Reload();
        }
    }
    return CommandLine::Normal;
}

bool CTavStartup::ChooseUser()
{
    CTavDbUser& users = m_app.Users();
    // With the list unread nobody's data can be found: starting empty would look like a loss.
    if (const TavStatus read = users.Reload(); read != TavStatusCode::Ok) {
        m_splash->close();
        m_app.ShowMessage(nullptr,
                          QStringLiteral("ユーザの一覧 %1 を読み込めないため、起動できません。\n"
                                         "ファイルが壊れているか、読み取りが許されていません。"
                                         "ファイルを直すか、バックアップから戻してから起動し直してください。")
                              .arg(QDir::toNativeSeparators(CTavDbUser::ListFilePath())),
                          TavStr::ProductName, TavMsg::IconStop);
        return false;
    }
    QString name = m_app.Options().CurrentUser();
    const QStringList list = users.GetUserNameList();
    if (!name.isEmpty() && !list.contains(name))
        name.clear();
    if (name.isEmpty() && !list.isEmpty())
        name = list.first();
    const bool hasPassword = !name.isEmpty() && users.IsSettingPassword(name);
    if (list.isEmpty() || hasPassword) {
        m_splash->close(); // it would cover the dialog
        CTavUserDlg dlg(CTavUserDlg::Startup, users.GetUserID(name));
        if (dlg.exec() != QDialog::Accepted)
            return false;
        name = dlg.ChosenName();
    }
    return users.SetCurrUserName(name) == TavStatusCode::Ok;
}

bool CTavStartup::CheckStartupPassword()
{
    CTavDbUser& users = m_app.Users();
    const QString name = users.GetCurrUserName();
    if (CTavUserFile::ReadStartupPasswordFlag(users.GetCurrUserPath()) != 1 || !users.IsSettingPassword(name))
        return true;
    m_splash->close();
    return m_app.AskPassword(name, true);
}

void CTavStartup::CreateModuleWindows()
{
    for (const CTavDocTemplate& t : m_app.m_templates) {
        CTavModuleDoc* doc = t.createDocument(&m_app);
        m_app.m_documents.at(t.slot) = doc;
        CTavModuleFrame* frame = t.createFrame(doc);
        m_app.SetFrame(t.slot, frame);
        m_app.m_mainFrame->AddModuleFrame(frame);
        // Store orders as each module's store expects them before the next window is made.
        if (t.resourceId == 143)
            m_app.AddrStore().SetSortCond(CTavDbSortCond(1, 2));
        else if (t.resourceId == 138)
            m_app.TodoStore().SetSortCond(CTavDbSortCond(4));
        else if (t.resourceId == 140)
            m_app.MemoStore().SetSortCond(CTavDbSortCond(5));
    }
}

void CTavStartup::ShowMainFrame()
{
    CTavMainFrame* frame = m_app.MainFrame();
    const int32_t showCmd = m_app.Options().WindowShowCmd();

    m_app.AddrStore().SetSortCond(CTavDbSortCond(1, 2));
    if (CTavModuleDoc* doc = m_app.Document(TavSlot::Address))
        doc->ApplyStoreOrder();
    m_app.MemoStore().SetSortCond(CTavDbSortCond(5));
    if (CTavModuleDoc* doc = m_app.Document(TavSlot::MemoPad))
        doc->ApplyStoreOrder();

    frame->SetPrivateMode(m_app.Options().ListViewerPrivate());

    if (showCmd != 0)
        frame->showMaximized();
    else
        frame->show();
    frame->repaint();
    m_app.FocusModuleView(TavModule::Day);

    frame->HotSync().CheckAtStartup();
}
