#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbClock.h"
#include "CTavDbUser.h"
#include "CTavFrameActions.h"
#include "CTavFreeBackupFolder.h"
#include "CTavFreeDoc.h"
#include "CTavFreeEditDlg.h"
#include "CTavFreeFrame.h"
#include "CTavFreeLeftView.h"
#include "CTavFreeSheetManager.h"
#include "CTavMainFrame.h"
#include "CTavProfile.h"
#include "CTavSourceUserDlg.h"
#include "TavCommandIds.h"
#include "TavFreeCommandIds.h"
#include "TavStrings.h"
#include "sheet/CTavDbFreeMiscInfoObject.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbHwriteObject.h"
#include "sheet/CTavDbMMContentsObject.h"

using Manager = CTavDbFreePdbObjectManager;

namespace {
// A sheet of one stroke dated in November 2024 (or the given year), with a pasted picture.
void makeSheet(const QString& path, const QString& title, int category, int day, const QString& picture = {},
               int year = 2024, QPoint stroke = {20, 40})
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    Manager sheet;
    QCOMPARE(sheet.Create(path, Manager::TypeSheet), TavStatusCode::Ok);
    sheet.GetMiscInfo()->SetTitle(title);
    sheet.GetMiscInfo()->SetCategoryId(category);
    sheet.GetMiscInfo()->SetScheduleDateTime(QDateTime(QDate(year, 11, day), QTime(9, 0)));
    sheet.AddNew<CTavDbHwriteObject>()->AddPoint(stroke);
    if (!picture.isEmpty())
        sheet.AddNew<CTavDbMMContentsObject>()->SetPicture(picture, QImage(),
                                                           CTavDbMMContentsObject::FlagOnPc);
    QCOMPARE(sheet.SaveAsFile(path, true), TavStatusCode::Ok);
}

QString read(const QString& path, int* category = nullptr)
{
    Manager sheet;
    if (sheet.LoadFromFile(path) != TavStatusCode::Ok || sheet.CreateObjects() <= 0)
        return QString();
    if (category)
        *category = sheet.GetCategoryId();
    return sheet.GetTitle();
}
} // namespace

// Sheets from elsewhere: a backup folder shown, edited and restored; another user's migrated.
class TestSheetTransfer : public QObject
{
    Q_OBJECT
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    QString m_user; // Hanako's folder

    CTavFreeFrame& frame() { return *static_cast<CTavFreeFrame*>(m_app->Frame(TavSlot::FreeMemo)); }
    CTavFreeDoc& doc() { return *frame().FreeDoc(); }
    bool enabled(int id) { return frame().Action(id)->isEnabled(); }
    QStringList titles()
    {
        QStringList t;
        for (const CTavFreeSheetEntry& e : doc().Entries())
            t << e.title;
        t.sort();
        return t;
    }
    void start()
    {
        m_app = m_env->Start();
        QVERIFY(m_app);
        m_app->SwitchModule(TavModule::FreeMemo);
        m_app->MainFrame()->resize(1000, 680);
        m_app->MainFrame()->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_app->MainFrame()));
    }
    void openBackup(const QString& folder)
    {
        m_env->AnswerDialog(AppTestEnv::ChooseFile(folder));
        frame().Trigger(TavFreeCmd::OpenBackupFolder);
    }

private slots:
    void init()
    {
        CTavDbClock::SetFixed(QDateTime(QDate(2024, 11, 20), QTime(10, 30)));
        m_env = std::make_unique<AppTestEnv>();
        AppTestEnv::AddUser(QStringLiteral("Hanako"));
        CTavDbUser users;
        QCOMPARE(users.SetCurrUserName(QStringLiteral("Hanako")), TavStatusCode::Ok);
        m_user = users.GetCurrUserPath();
        makeSheet(m_user + "Quillos/a.pdb", QStringLiteral("会議"), 1, 5);
        makeSheet(m_user + "Quillos/b.pdb", QStringLiteral("買い物"), 2, 6);
    }
    void cleanup()
    {
        if (m_app)
            AppTestEnv::Finish(m_env, m_app);
    }

    // A backup folder takes new sheets; restore copies its sheets over the user's, categories
    // matched by name, or without one drops unsaved category edits. Commands follow the mode.
    void backupFolder()
    {
        QTemporaryDir outside;
        const QString backup = outside.filePath(QStringLiteral("2024秋"));
        makeSheet(backup + "/a.pdb", QStringLiteral("古い会議"), 1, 1);
        makeSheet(backup + "/x.pdb", QStringLiteral("見積"), 2, 2);
        QCOMPARE(Manager::CreateCategoryDatabase(
                     backup + "/Quillo_Category.pdb",
                     {QStringLiteral("未分類"), QStringLiteral("旅行"), QStringLiteral("ビジネス")}),
                 TavStatusCode::Ok);
        start();
        // The header closes with an empty filler column.
        QCOMPARE(frame().LeftView()->Columns().Columns().last().width, CTavFreeLeftView::kFillerWidth);

        QVERIFY(enabled(TavFreeCmd::OpenBackupFolder) && !enabled(TavFreeCmd::OpenCurrentFolder));
        openBackup(outside.path());
        QCOMPARE(m_env->Messages(), QStringList{CTavFreeBackupFolder::NoSheetsMessage(outside.path())});
        openBackup(backup);
        QCOMPARE(m_app->backupFileOpen(), 1);
        QCOMPARE(titles(), QStringList({QStringLiteral("古い会議"), QStringLiteral("見積")}));
        QCOMPARE(frame().windowTitle(), QStringLiteral("2024秋 (バックアップ ファイル)"));
        // The categories are the user's: a folder shown in place of the sheets edits none.
        QVERIFY(!enabled(TavFreeCmd::OpenBackupFolder) && enabled(TavFreeCmd::OpenCurrentFolder) &&
                !enabled(TavFreeCmd::Categories));
        AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("sheet-backup"));
        m_env->AnswerDialog([](CTavDialogBase& d) {
            if (auto* editor = qobject_cast<CTavFreeEditDlg*>(&d))
                makeSheet(editor->Path(), QStringLiteral("追記"), 0, 20);
            return int(QDialog::Rejected);
        });
        frame().Trigger(TavFreeCmd::NewSheet);
        QCOMPARE(QDir(backup).entryList({QStringLiteral("Quillo_2*.pdb")}).size(), 1);

        m_env->AnswerMessage(TavMsg::IdOk);
        m_app->SwitchModule(TavModule::Address);
        QCOMPARE(m_app->backupFileOpen(), 0);
        QCOMPARE(titles(), QStringList({QStringLiteral("会議"), QStringLiteral("買い物")}));
        m_app->SwitchModule(TavModule::FreeMemo);
        openBackup(backup);
        frame().Trigger(TavFreeCmd::OpenCurrentFolder);
        QVERIFY(m_app->backupFileOpen() == 0 && doc().Count() == 2);

        openBackup(backup);
        m_env->AnswerMessage(TavMsg::IdYes);
        frame().Trigger(TavFreeCmd::Restore);
        // The question names the user's sheet the backup's "古い会議" replaces.
        QVERIFY(m_env->Messages().last().startsWith(CTavFreeBackupFolder::RestoreQuestion()));
        QVERIFY(m_env->Messages().last().endsWith(QStringLiteral("\na.pdb")));
        QCOMPARE(m_app->backupFileOpen(), 0);
        QCOMPARE(titles(), QStringList({QStringLiteral("古い会議"), QStringLiteral("見積"),
                                        QStringLiteral("買い物"), QStringLiteral("追記")}));
        int category = -1;
        read(m_user + "Quillos/a.pdb", &category);
        CTavFreeSheetManager& categories = m_app->SheetManager();
        QCOMPARE(categories.CategoryName(uint32_t(category)), QStringLiteral("旅行"));
        read(m_user + "Quillos/x.pdb", &category);
        QCOMPARE(category, 1); // the user's own "ビジネス"

        QCOMPARE(categories.Add(QStringLiteral("未保存")), TavStatusCode::Ok);
        m_env->AnswerMessage(TavMsg::IdYes);
        frame().Trigger(TavFreeCmd::Restore);
        QCOMPARE(frame().CategoryBox()->findText(QStringLiteral("未保存")), -1);
    }

    // Alone on the PC nobody is listed. Sheets of both folders come with categories and pictures
    // (the user's own pictures win), damaged ones are named, the transfer limit sorts them.
    void migration()
    {
        CTavFreeSheetManager categories; // room for one more category only
        QCOMPARE(categories.Load(m_user), TavStatusCode::Ok);
        for (int n = 0; n < 11; ++n)
            QCOMPARE(categories.Add(QStringLiteral("分類%1").arg(n)), TavStatusCode::Ok);
        QCOMPARE(categories.Save(), TavStatusCode::Ok);
        QVERIFY(TestDataDir::WriteFile(m_user + "MmContents/snd.wav", "hanako"));
        start();
        m_env->AnswerDialog([this](CTavDialogBase& d) {
            auto& dlg = static_cast<CTavSourceUserDlg&>(d);
            dlg.accept();
            return dlg.List()->count() == 0 && dlg.isVisible() ? int(QDialog::Rejected)
                                                               : int(QDialog::Accepted);
        });
        m_app->MainFrame()->Actions().Trigger(TavCmd::DataMigration);
        QCOMPARE(m_env->Messages(), QStringList{TavStr::AddUser});

        QCOMPARE(m_app->Users().AddUser(QStringLiteral("Taro")), TavStatusCode::Ok);
        const QString taro = m_app->Users().GetUserPath(QStringLiteral("Taro"));
        const QString current = taro + "Quillos/", past = taro + "PastData/Quillos/";
        QDir().mkpath(current);
        QCOMPARE(Manager::CreateCategoryDatabase(current + "Quillo_Category.pdb",
                                                 {QStringLiteral("未分類"), QStringLiteral("旅行"),
                                                  QStringLiteral("ビジネス"), QStringLiteral("趣味")}),
                 TavStatusCode::Ok);
        // A stroke off the page is put back on it: the sheet is whole and migrates.
        makeSheet(current + "s1.pdb", QStringLiteral("旅行記"), 1, 10, QStringLiteral("C:\\Taro\\pic.jpg"),
                  2024, {-400, 40});
        makeSheet(current + "s2.pdb", QStringLiteral("模型"), 3, 11, QStringLiteral("snd.wav"));
        makeSheet(current + "a.pdb", QStringLiteral("太郎の"), 0, 12);
        makeSheet(current + "broken.pdb", QStringLiteral("切れた"), 0, 12);
        QVERIFY(TestDataDir::WriteFile(current + "broken.pdb",
                                       TestDataDir::ReadFile(current + "broken.pdb").chopped(10)));
        makeSheet(past + "old.pdb", QStringLiteral("昔"), 2, 1, QString(), 2023);
        makeSheet(past + "recent.pdb", QStringLiteral("最近"), 0, 15);
        QVERIFY(TestDataDir::WriteFile(taro + "MmContents/pic.jpg", "taro picture"));
        QVERIFY(TestDataDir::WriteFile(taro + "MmContents/snd.wav", "taro"));
        CTavProfile::WriteProfileInt(QStringLiteral("datebook"), QStringLiteral("KiroTransfer"),
                                     1); // a month
        frame().LeftView()->SelectRow(doc().IndexOfPath(m_user + "Quillos/b.pdb"));
        m_env->AnswerDialog([](CTavDialogBase& d) {
            static_cast<CTavSourceUserDlg&>(d).List()->setCurrentRow(0);
            d.accept();
            return d.result();
        });
        m_app->MainFrame()->Actions().Trigger(TavCmd::DataMigration);

        QVERIFY(m_env->Messages().size() == 2 &&
                m_env->Messages().last().contains(QStringLiteral("broken.pdb")));
        QCOMPARE(QDir(m_user + "Quillos").entryList({"*.pdb"}, QDir::Files, QDir::Name),
                 QStringList({"Quillo_Category.pdb", "a.pdb", "b.pdb", "recent.pdb", "s1.pdb", "s2.pdb"}));
        QCOMPARE(QDir(m_user + "PastData/Quillos").entryList({"*.pdb"}), QStringList{"old.pdb"});
        int category = -1;
        QCOMPARE(read(m_user + "Quillos/a.pdb", &category), QStringLiteral("太郎の"));
        QCOMPARE(read(m_user + "Quillos/s1.pdb", &category), QStringLiteral("旅行記"));
        QCOMPARE(m_app->SheetManager().CategoryName(uint32_t(category)), QStringLiteral("旅行"));
        read(m_user + "Quillos/s2.pdb", &category);
        QCOMPARE(category, 0); // no room left for "趣味"
        read(m_user + "PastData/Quillos/old.pdb", &category);
        QCOMPARE(category, 1);
        QVERIFY(categories.Load(m_user) == TavStatusCode::Ok && categories.Categories().size() == 15);
        QCOMPARE(TestDataDir::ReadFile(m_user + "MmContents/pic.jpg"), QByteArray("taro picture"));
        QCOMPARE(TestDataDir::ReadFile(m_user + "MmContents/snd.wav"), QByteArray("hanako"));
        QCOMPARE(doc().Entry(frame().LeftView()->ShownRow())->path, m_user + "Quillos/b.pdb");
    }
};

QTEST_MAIN(TestSheetTransfer)
#include "tst_sheettransfer.moc"
