#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavCategoryDlg.h"
#include "CTavDbClock.h"
#include "CTavDbMemo.h"
#include "CTavFrameActions.h"
#include "CTavHelp.h"
#include "CTavHelpWindow.h"
#include "CTavStoreCategorySource.h"
#include "TavStrings.h"

namespace {
// Where a link to href shows in the browser, scrolled into view; a null point when absent.
QPoint linkPoint(QTextBrowser* browser, const QString& href)
{
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(browser->document());
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            browser->setTextCursor(cursor);
            browser->ensureCursorVisible();
            return browser->cursorRect(cursor).center();
        }
    }
    return QPoint();
}

QString helpDir()
{
    return QStringLiteral(LUMORA_SOURCE_DIR "/resources/help");
}

// The local pages a help page links to (fragments dropped).
QStringList localLinks(const QString& page)
{
    QFile file(QDir(helpDir()).filePath(page));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString html = QString::fromUtf8(file.readAll());
    QStringList links;
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    for (const QRegularExpressionMatch& m : href.globalMatch(html)) {
        const QString link = m.captured(1).section(u'#', 0, 0);
        if (!link.isEmpty() && !link.contains(u':'))
            links << link;
    }
    return links;
}
} // namespace

// The help pages and the program's own help window, shown when no browser starts.
class TestHelp : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void ownWindowWhenNoBrowser();
    void windowStaysUsableFromModalDialog();
    void desktopOpenerVerdict_data();
    void desktopOpenerVerdict();
    void pagesLinkedBothWays();
    void eachWindowOpensItsPage();

private:
    CTavMainFrame* frame() const { return m_app->MainFrame(); }

    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    QList<QUrl> m_opened;
    bool m_browserWorks = false;
};

void TestHelp::init()
{
    QVERIFY(AppTestEnv::StartAt(QDateTime(QDate(2024, 3, 9), QTime(10, 0)), m_env, m_app));
    m_app->SwitchModule(TavModule::Reference); // F1 opens the memo-sheet page, reference section
    m_opened.clear();
    m_browserWorks = false;
    CTavHelp::SetUrlOpener([this](const QUrl& url) {
        m_opened << url;
        return m_browserWorks;
    });
}

void TestHelp::cleanup()
{
    AppTestEnv::Close(m_app);
    QVERIFY(!CTavHelp::Window()); // went with the main frame
    m_env.reset();
    CTavDbClock::Release();
}

void TestHelp::ownWindowWhenNoBrowser()
{
    QTest::keyClick(frame(), Qt::Key_F1);
    QCOMPARE(m_opened.size(), 1); // the browser was tried first
    CTavHelpWindow* window = CTavHelp::Window();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Lumora ヘルプ"));
    QCOMPARE(window->CurrentPage(), m_opened.first());
    QCOMPARE(window->CurrentPage().fileName(), QStringLiteral("handwrite.html"));
    QCOMPARE(frame()->StatusPane()->text(), CTavHelp::OwnWindowStatus);
    QTextBrowser* browser = window->Browser();
    AppTestEnv::Screenshot(window, QStringLiteral("help-index"));

    // A click on a link moves to that page; back, forward and contents follow the history.
    const QPoint link = linkPoint(browser, QStringLiteral("schedule.html"));
    QVERIFY(!link.isNull());
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, link);
    QCOMPARE(window->CurrentPage().fileName(), QStringLiteral("schedule.html"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("予定表")));
    AppTestEnv::Screenshot(window, QStringLiteral("help-schedule"));
    auto action = [window](const char* name) { return window->findChild<QAction*>(QLatin1String(name)); };
    QVERIFY(action("helpBack")->isEnabled());
    QVERIFY(!action("helpForward")->isEnabled());
    action("helpBack")->trigger();
    QCOMPARE(window->CurrentPage().fileName(), QStringLiteral("handwrite.html"));
    action("helpForward")->trigger();
    QCOMPARE(window->CurrentPage().fileName(), QStringLiteral("schedule.html"));
    action("helpContents")->trigger();
    QCOMPARE(window->CurrentPage().fileName(), QStringLiteral("handwrite.html"));

    // Web addresses go to the opener and leave the page alone.
    emit browser->anchorClicked(QUrl(QStringLiteral("https://example.org/kiro")));
    QCOMPARE(m_opened.last(), QUrl(QStringLiteral("https://example.org/kiro")));
    QCOMPARE(window->CurrentPage().fileName(), QStringLiteral("handwrite.html"));

    // F1 again: the same window comes back to the contents, the browser is not tried again.
    browser->setSource(browser->source().resolved(QUrl(QStringLiteral("memo.html"))));
    window->showMinimized();
    frame()->activateWindow();
    const qsizetype tries = m_opened.size();
    frame()->Actions().Trigger(TavCmd::Help);
    QCOMPARE(CTavHelp::Window(), window);
    QCOMPARE(window->CurrentPage().fileName(), QStringLiteral("handwrite.html"));
    QVERIFY(!window->isMinimized());
    QCOMPARE(m_opened.size(), tries);
    QCOMPARE(frame()->findChildren<CTavHelpWindow*>().size(), 1);

    // Closed, it leaves the status bar, and the browser is tried first again.
    window->close();
    QCOMPARE(frame()->StatusPane()->text(), TavStr::ReadyStatus);
    m_browserWorks = true;
    QTest::keyClick(frame(), Qt::Key_F1);
    QCOMPARE(m_opened.size(), tries + 1);
    QVERIFY(!window->isVisible());
}

void TestHelp::windowStaysUsableFromModalDialog()
{
    // A modal dialog blocks every window but its own: the help window belongs to the dialog
    // while it is open, and outlives it.
    CTavStoreCategorySource source(m_app->MemoStore(), CTavCategorySource::MemoPad);
    auto dialog = std::make_unique<CTavCategoryDlg>(source, frame());
    dialog->show();
    auto* help = dialog->findChild<QPushButton*>(QStringLiteral("helpButton"));
    QVERIFY(help);
    help->click();
    CTavHelpWindow* window = CTavHelp::Window();
    QVERIFY(window);
    QCOMPARE(window->parentWidget(), dialog.get());
    dialog->accept();
    dialog.reset();
    QCOMPARE(CTavHelp::Window(), window);
    QCOMPARE(window->parentWidget(), frame());
    QVERIFY(window->isVisible());
    QCOMPARE(window->CurrentPage().fileName(), QStringLiteral("index.html"));
}

void TestHelp::desktopOpenerVerdict_data()
{
    QTest::addColumn<int>("exitCode"); // -1: no xdg-open on the path
    QTest::addColumn<bool>("ownWindow");
    QTest::newRow("no xdg-open") << -1 << true;
    QTest::newRow("xdg-open finds no browser") << 3 << true;
    QTest::newRow("xdg-open opens the page") << 0 << false;
}

void TestHelp::desktopOpenerVerdict()
{
    QFETCH(int, exitCode);
    QFETCH(bool, ownWindow);
    // A stand-in xdg-open on a path of its own; nothing else can be started from there.
    const QString bin = m_env->Dir().filePath(QStringLiteral("bin"));
    const QString argFile = m_env->Dir().filePath(QStringLiteral("xdg-open-arg"));
    QVERIFY(QDir().mkpath(bin));
    if (exitCode >= 0) {
        QFile script(bin + QStringLiteral("/xdg-open"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\nexit %2\n")
                         .arg(argFile)
                         .arg(exitCode)
                         .toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.toUtf8());
    CTavHelp::SetUrlOpener(nullptr);
    QTest::keyClick(frame(), Qt::Key_F1);
    qputenv("PATH", path);
    QTRY_VERIFY_WITH_TIMEOUT(!qApp->findChild<QProcess*>(QStringLiteral("desktopOpener")), 20000);

    QCOMPARE(CTavHelp::Window() && CTavHelp::Window()->isVisible(), ownWindow);
    QCOMPARE(frame()->StatusPane()->text() == CTavHelp::OwnWindowStatus, ownWindow);
    if (exitCode >= 0) {
        QFile arg(argFile);
        QVERIFY(arg.open(QIODevice::ReadOnly));
        QCOMPARE(QFileInfo(QString::fromUtf8(arg.readAll())).fileName(), QStringLiteral("handwrite.html"));
    }
}

void TestHelp::pagesLinkedBothWays()
{
    const QStringList pages = QDir(helpDir()).entryList({QStringLiteral("*.html")}, QDir::Files);
    QVERIFY(pages.contains(QStringLiteral("index.html")));
    const QStringList fromIndex = localLinks(QStringLiteral("index.html"));
    for (const QString& page : pages) {
        const QStringList links = localLinks(page);
        for (const QString& link : links)
            QVERIFY2(QFileInfo::exists(QDir(helpDir()).filePath(link)), qPrintable(page + " -> " + link));
        if (page == QStringLiteral("index.html"))
            continue;
        QVERIFY2(fromIndex.contains(page), qPrintable(page + " is not in the contents"));
        QVERIFY2(links.contains(QStringLiteral("index.html")), qPrintable(page + " has no way back"));
    }
}

// F1 opens the page of the window in front, the contents where a window has none.
void TestHelp::eachWindowOpensItsPage()
{
    m_browserWorks = true;
    const QList<std::pair<int, QString>> pages{{TavModule::Day, QStringLiteral("schedule.html")},
                                               {TavModule::Week, QStringLiteral("calendar.html")},
                                               {TavModule::Month, QStringLiteral("calendar.html")},
                                               {TavModule::Year, QStringLiteral("calendar.html")},
                                               {TavModule::Address, QStringLiteral("address.html")},
                                               {TavModule::Todo, QStringLiteral("todo.html")},
                                               {TavModule::MemoPad, QStringLiteral("memo.html")},
                                               {TavModule::FreeMemo, QStringLiteral("handwrite.html")},
                                               {TavModule::Reference, QStringLiteral("handwrite.html")}};
    for (const auto& [module, page] : pages) {
        m_app->SwitchModule(module);
        frame()->Actions().Action(TavCmd::Help)->trigger();
        QCOMPARE(m_opened.last().fileName(), page);
    }
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
