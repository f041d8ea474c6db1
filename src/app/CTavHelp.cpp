#include "CTavHelp.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>

#include "CTavAboutDlg.h"
#include "CTavApp.h"
#include "CTavHelpWindow.h"
#include "CTavRegOption.h"
#include "CTavSyncLock.h"
#include "CTavUrlLauncher.h"
#include "TavStrings.h"

namespace {
std::function<bool(const QUrl&)>& opener()
{
    static std::function<bool(const QUrl&)> o;
    return o;
}

QPointer<CTavHelpWindow>& helpWindow()
{
    static QPointer<CTavHelpWindow> w;
    return w;
}

QLabel* statusPane()
{
    CTavApp* app = CTavApp::instance();
    return app && app->MainFrame() ? app->MainFrame()->StatusPane() : nullptr;
}
} // namespace

void CTavHelp::ShowAbout(QWidget* parent)
{
    CTavAboutDlg dlg(parent);
    CTavSyncLock lock(CTavApp::instance());
    dlg.exec();
}

QString CTavHelp::HelpIndexPath()
{
    // Beside the program in the build tree, then where an installation puts the pages, then
    // the source tree.
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {programDir + QStringLiteral("/help/index.html"),
                                    programDir +
                                        QStringLiteral("/" LUMORA_HELP_INSTALL_RELATIVE "/index.html"),
                                    QStringLiteral(LUMORA_HELP_SOURCE_DIR "/index.html")};
    for (const QString& path : candidates)
        if (QFileInfo::exists(path))
            return QFileInfo(path).canonicalFilePath();
    return QString();
}

bool CTavHelp::ShowHelp(const QString& pageName)
{
    QString path = HelpIndexPath();
    if (path.isEmpty()) {
        if (CTavApp* app = CTavApp::instance())
            app->ShowMessage(app->MessageOwner(),
                             QStringLiteral("ヘルプのページが見つかりません。次のフォルダに help/index.html "
                                            "があるか確認してください:\n%1")
                                 .arg(QDir::toNativeSeparators(QCoreApplication::applicationDirPath())),
                             QString(), TavMsg::IconExclamation);
        return false;
    }
    if (const QFileInfo wanted(QFileInfo(path).dir(), pageName); !pageName.isEmpty() && wanted.isFile())
        path = wanted.canonicalFilePath();
    const QUrl page = QUrl::fromLocalFile(path);
    // Once the pages are in the program's window, they stay there: it is the one the user reads.
    if (helpWindow() && helpWindow()->isVisible()) {
        ShowInWindow(page);
    } else if (opener()) {
        if (!opener()(page))
            ShowInWindow(page);
    } else {
        // The refusal may come later; by then the program may be closing.
        CTavApp* app = CTavApp::instance();
        QPointer<CTavMainFrame> frame = app ? app->MainFrame() : nullptr;
        CTavUrlLauncher::Launch(page, [frame, page] {
            if (frame)
                ShowInWindow(page);
        });
    }
    return true;
}

CTavHelpWindow* CTavHelp::Window()
{
    return helpWindow();
}

void CTavHelp::ShowInWindow(const QUrl& page)
{
    CTavApp* app = CTavApp::instance();
    CTavMainFrame* frame = app ? app->MainFrame() : nullptr;
    if (!helpWindow()) {
        helpWindow() = new CTavHelpWindow(page, &CTavHelp::Open, frame);
        QObject::connect(helpWindow(), &CTavHelpWindow::closed, [] {
            if (QLabel* pane = statusPane(); pane && pane->text() == OwnWindowStatus)
                pane->setText(TavStr::ReadyStatus);
        });
    }
    QWidget* owner = app ? app->MessageOwner() : nullptr;
    helpWindow()->Present(page, owner);
    if (QLabel* pane = statusPane())
        pane->setText(OwnWindowStatus);
}

bool CTavHelp::OpenHomePage()
{
    return Open(HomePageUrl());
}

bool CTavHelp::OpenStylePage()
{
    return Open(StylePageUrl());
}

QUrl CTavHelp::HomePageUrl()
{
    return MakerPage(QStringLiteral("HomePage"), TavStr::HomePageUrl);
}

QUrl CTavHelp::StylePageUrl()
{
    return MakerPage(QStringLiteral("StylePage"), TavStr::StylePageUrl);
}

QUrl CTavHelp::MakerPage(const QString& optionName, const QString& fallback)
{
    // Peeked, not read: opening a page must not add values to the settings.
    QString stored;
    if (CTavRegOption().PeekString(optionName, &stored)) {
        const QUrl url(stored.trimmed(), QUrl::StrictMode);
        if (url.isValid() && !url.scheme().isEmpty())
            return url;
    }
    return QUrl(fallback);
}

void CTavHelp::SetUrlOpener(std::function<bool(const QUrl&)> o)
{
    opener() = std::move(o);
}

bool CTavHelp::Open(const QUrl& url)
{
    if (opener())
        return opener()(url);
    return QDesktopServices::openUrl(url);
}
