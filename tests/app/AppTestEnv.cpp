#include "AppTestEnv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QRadioButton>
#include <QTest>

#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbUser.h"
#include "CTavDialogBase.h"
#include "CTavExportFileDlg.h"
#include "CTavFileDlg.h"
#include "CTavHelp.h"
#include "CTavHotSyncCoordinator.h"
#include "CTavMessageBox.h"
#include "CTavModuleTemplates.h"
#include "CTavPasswordDlg.h"
#include "CTavUserFile.h"
#include "TavCommandIds.h"

AppTestEnv::AppTestEnv()
{
    // Lock files and local sockets of this run stay inside its own folder.
    QDir().mkpath(m_dir.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(m_dir.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("LUMORA_RUNTIME_DIR", m_dir.filePath(QStringLiteral("runtime")).toUtf8());
    qputenv("LUMORA_CONFLICT_PROCESSES", "lumora-test-no-such-process");
    CTavHotSyncCoordinator::SetRunningStateQuery([](int32_t* state) {
        *state = 0;
        return 0;
    });
    CTavHotSyncCoordinator::SetWatchCounter(3);
    CTavHelp::SetUrlOpener([](const QUrl&) { return true; });

    CTavMessageBox::SetHook([this](const CTavMessageRequest& request) {
        m_messages << request.text;

        m_parentTitles << (request.parent ? request.parent->windowTitle() : QString());
        // A real message box lets the windows behind it paint: records they show must live.
        if (request.parent)
            request.parent->window()->grab();
        if (qEnvironmentVariableIsSet("LUMORA_SCREENSHOT_DIR") && m_messages.size() == 1) {
            auto box = CTavMessageBox::Build(request);
            box->show();
            Screenshot(box.get(), QStringLiteral("message-box"));
        }
        if (m_messageAnswers.empty())
            return (request.type & 0xF) == TavMsg::Ok ? TavMsg::IdOk : TavMsg::IdCancel;
        const int answer = m_messageAnswers.front();
        m_messageAnswers.pop_front();
        return answer;
    });
    CTavDialogBase::SetExecHook([this](CTavDialogBase& dialog) {
        m_dialogTitles << dialog.windowTitle();
        if (m_dialogAnswers.empty()) {
            qWarning("unexpected dialog \"%s\"", qPrintable(dialog.windowTitle()));
            return static_cast<int>(QDialog::Rejected);
        }
        DialogAnswer answer = std::move(m_dialogAnswers.front());
        m_dialogAnswers.pop_front();
        dialog.show();
        return answer(dialog);
    });
}

AppTestEnv::~AppTestEnv()
{
    if (m_rival) {
        m_rival->kill();
        m_rival->waitForFinished();
    }
    CTavMessageBox::SetHook(nullptr);
    CTavDialogBase::SetExecHook(nullptr);
    CTavHotSyncCoordinator::SetRunningStateQuery(nullptr);
    CTavHelp::SetUrlOpener(nullptr);
    CTavDbEnv::SetCorePath(QString());
}

std::unique_ptr<CTavApp> AppTestEnv::Start(const QStringList& arguments, bool* started)
{
    auto app = std::make_unique<CTavApp>();
    CTavModuleTemplates::RegisterAll(*app);
    const bool ok = app->InitInstance(arguments);
    if (started)
        *started = ok;
    if (ok && app->MainFrame())
        QTest::qWait(1);
    return app;
}

void AppTestEnv::Close(std::unique_ptr<CTavApp>& app)
{
    if (!app)
        return;
    if (app->MainFrame())
        app->MainFrame()->close();
    app->ExitInstance();
    app.reset();
}

bool AppTestEnv::StartAt(const QDateTime& now, std::unique_ptr<AppTestEnv>& env,
                         std::unique_ptr<CTavApp>& app, const QString& user)
{
    CTavDbClock::SetFixed(now);
    env = std::make_unique<AppTestEnv>();
    AddUser(user);
    app = env->Start();
    return app && app->MainFrame();
}

void AppTestEnv::Finish(std::unique_ptr<AppTestEnv>& env, std::unique_ptr<CTavApp>& app)
{
    Close(app);
    env.reset();
    CTavDbClock::Release();
}

void AppTestEnv::ClearRecords()
{
    m_messages.clear();

    m_parentTitles.clear();
    m_dialogTitles.clear();
}

void AppTestEnv::AddUser(const QString& name, const QString& password, int startupFlag)
{
    CTavDbUser users;
    QVERIFY(users.AddUser(name) == TavStatusCode::Ok);
    if (!password.isEmpty())
        QVERIFY(users.SetPassword(name, password) == TavStatusCode::Ok);
    if (startupFlag >= 0)
        QVERIFY(CTavUserFile::Write(users.GetUserPath(name), startupFlag, 0));
}

AppTestEnv::DialogAnswer AppTestEnv::TypePassword(const QString& password)
{
    return [password](CTavDialogBase& dialog) {
        auto* dlg = qobject_cast<CTavPasswordDlg*>(&dialog);
        if (!dlg)
            return static_cast<int>(QDialog::Rejected);
        dlg->Edit()->setText(password);
        dlg->accept();
        return dlg->result();
    };
}

AppTestEnv::DialogAnswer AppTestEnv::PressCancel()
{
    return [](CTavDialogBase& dialog) {
        dialog.reject();
        return dialog.result();
    };
}

AppTestEnv::DialogAnswer AppTestEnv::ChooseFile(const QString& path, bool selectedOnly)
{
    return [=](CTavDialogBase& d) {
        auto* dlg = qobject_cast<CTavFileDlg*>(&d);
        if (!dlg)
            return int(QDialog::Rejected);
        if (auto* exportDlg = qobject_cast<CTavExportFileDlg*>(dlg); exportDlg && selectedOnly)
            exportDlg->SelectedButton()->click();
        dlg->FileDialog()->setDirectory(QFileInfo(path).absolutePath());
        dlg->FileDialog()->selectFile(QFileInfo(path).fileName());
        QMetaObject::invokeMethod(dlg->FileDialog(), "accept");
        return dlg->result();
    };
}

void AppTestEnv::Screenshot(QWidget* widget, const QString& name)
{
    const QString dir = qEnvironmentVariable("LUMORA_SCREENSHOT_DIR");
    if (dir.isEmpty() || !widget)
        return;
    QDir().mkpath(dir);
    widget->grab().save(dir + u'/' + name + QStringLiteral(".png"));
}

QProcess* AppTestEnv::StartRival(QString* name)
{
    *name = QStringLiteral("rival-desktop-%1").arg(QCoreApplication::applicationPid());
    const QString program = m_dir.filePath(*name);
    if (!QFile::exists(program) && !QFile::copy(QStringLiteral("/bin/sleep"), program))
        return nullptr;
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_rival = std::make_unique<QProcess>();
    m_rival->start(program, {QStringLiteral("120")});
    return m_rival->waitForStarted() ? m_rival.get() : nullptr;
}
