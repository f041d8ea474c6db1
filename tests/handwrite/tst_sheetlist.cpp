#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavDbAddrRecord.h"
#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "CTavDbDateRecord.h"
#include "CTavDbTodo.h"
#include "CTavDbTodoRecord.h"
#include "CTavDbUser.h"
#include "CTavFrameActions.h"
#include "CTavFreeCategoryCommand.h"
#include "CTavFreeCategorySource.h"
#include "CTavFreeCommands.h"
#include "CTavFreeDoc.h"
#include "CTavFreeEditDlg.h"
#include "CTavFreeFrame.h"
#include "CTavFreeLeftView.h"
#include "CTavFreeRightView.h"
#include "CTavFreeSheetManager.h"
#include "CTavMainFrame.h"
#include "CTavOptions.h"
#include "CTavProfile.h"
#include "TavCommandIds.h"
#include "TavFreeCommandIds.h"
#include "sheet/CTavDbFreeMiscInfoObject.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbHwriteObject.h"

using Manager = CTavDbFreePdbObjectManager;

namespace {
const QString kUser = QStringLiteral("Hanako");

// A sheet with a few strokes, its thumbnail, and the given details.
void makeSheet(const QString& path, const QString& title, int category, const QDateTime& when,
               bool alarm = false)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    Manager sheet;
    QCOMPARE(sheet.Create(path, Manager::TypeSheet), TavStatusCode::Ok);
    CTavDbFreeMiscInfoObject* info = sheet.GetMiscInfo();
    info->SetTitle(title);
    info->SetCategoryId(category);
    info->SetScheduleDateTime(when);
    info->SetAlarm(alarm);
    for (int n = 0; n < 3 + title.size() % 4; ++n) {
        auto* stroke = sheet.AddNew<CTavDbHwriteObject>();
        stroke->SetPen(2, n % 2 ? QColor(Qt::red) : QColor(Qt::black));
        for (int i = 0; i < 40; ++i)
            stroke->AddPoint({20 + i * 6, 40 + n * 60 + (i % 5) * 4});
    }
    sheet.SetThumbnail(sheet.CreateThumbnailBitmap(Manager::PageRect, Manager::PageRect.size()));
    QCOMPARE(sheet.SaveAsFile(path, true), TavStatusCode::Ok);
}

QDateTime day(int y, int m, int d)
{
    return QDateTime(QDate(y, m, d), QTime(9, 30));
}
} // namespace

// The memo-sheet window over sheet files the test writes into the user's folders.
class TestSheetList : public QObject
{
    Q_OBJECT
    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    QString m_current;
    QString m_past;

    CTavFreeFrame& frame() { return *static_cast<CTavFreeFrame*>(m_app->Frame(TavSlot::FreeMemo)); }
    CTavFreeDoc& doc() { return *frame().FreeDoc(); }
    CTavFreeLeftView& list() { return *frame().LeftView(); }
    QString sheet(const QString& name) { return QDir(m_current).filePath(name); }
    QString pastSheet(const QString& name) { return QDir(m_past).filePath(name); }
    QStringList titles()
    {
        QStringList t;
        for (const CTavFreeSheetEntry& e : doc().Entries())
            t << e.title;
        return t;
    }
    QString selectedTitle()
    {
        const CTavFreeSheetEntry* e = doc().Entry(list().ShownRow());
        return e ? e->title : QString();
    }
    void select(const QString& title)
    {
        for (int row = 0; row < doc().Count(); ++row)
            if (doc().Entry(row)->title == title)
                list().SelectRow(row);
    }
    void start()
    {
        m_app = m_env->Start();
        QVERIFY(m_app);
        m_app->SwitchModule(TavModule::FreeMemo);
        m_app->MainFrame()->resize(1100, 720);
        m_app->MainFrame()->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_app->MainFrame()));
        QCoreApplication::processEvents();
    }

private slots:
    void init()
    {
        CTavDbClock::SetFixed(QDateTime(QDate(2024, 11, 20), QTime(10, 30)));
        m_env = std::make_unique<AppTestEnv>();
        AppTestEnv::AddUser(kUser);
        CTavDbUser users;
        QCOMPARE(users.SetCurrUserName(kUser), TavStatusCode::Ok);
        m_current = users.GetCurrUserPath() + QStringLiteral("Quillos");
        m_past = users.GetCurrUserPath() + QStringLiteral("PastData/Quillos");
        makeSheet(sheet("a.pdb"), QStringLiteral("会議"), 1, day(2024, 10, 5), true);
        makeSheet(sheet("b.pdb"), QStringLiteral("買い物"), 2, day(2024, 11, 1));
        makeSheet(sheet("c.pdb"), QStringLiteral("会議"), 1, day(2024, 9, 3));
        makeSheet(sheet("d.pdb"), QStringLiteral("地図"), 77, day(2024, 12, 24), true);
        makeSheet(pastSheet("e.pdb"), QStringLiteral("旅行の計画"), 0, day(2024, 12, 1));
    }
    void cleanup()
    {
        if (m_app)
            AppTestEnv::Finish(m_env, m_app);
        CTavOptions::instance().Reset();
    }

    // Both folders are listed; other files are skipped; a damaged sheet shows what is whole,
    // is told once, and is left as it was on disk, even through a save of everything.
    void scanSortAndSelection()
    {
        Manager other;
        QCOMPARE(other.Create(sheet("x.pdb"), Manager::TypeReference), TavStatusCode::Ok);
        QCOMPARE(other.SaveAsFile(sheet("x.pdb"), true), TavStatusCode::Ok);
        QFile text(sheet("notes.pdb"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a database at all");
        text.close();
        makeSheet(sheet("f.pdb"), QStringLiteral("切れた"), 0, day(2024, 8, 8));
        QByteArray cut = TestDataDir::ReadFile(sheet("f.pdb"));
        cut.chop(30);
        QFile broken(sheet("f.pdb"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(cut);
        broken.close();

        start();
        QCOMPARE(titles(), QStringList({QStringLiteral("切れた"), QStringLiteral("会議"),
                                        QStringLiteral("会議"), QStringLiteral("買い物"),
                                        QStringLiteral("旅行の計画"), QStringLiteral("地図")}));
        // Without a transfer limit the start brought the past sheet back.
        QVERIFY(QFile::exists(sheet("e.pdb")) && !doc().Entry(4)->inPastFolder);
        makeSheet(pastSheet("h.pdb"), QStringLiteral("年末"), 0, day(2024, 12, 30));
        doc().Reload();
        QCOMPARE(doc().Count(), 7);
        QVERIFY(doc().Entry(6)->inPastFolder);
        QFile::remove(pastSheet("h.pdb"));
        doc().Reload();
        QTRY_VERIFY(m_env->Messages().join(u'\n').contains(QStringLiteral("f.pdb")));
        QCOMPARE(m_env->Messages().size(), 1);
        doc().Reload();
        QCOMPARE(m_env->Messages().size(), 1);

        // Equal titles keep the scan order both ways; the selected sheet stays selected.
        list().SelectRow(doc().IndexOfPath(sheet("c.pdb")));
        const QString chosen = sheet("c.pdb");
        frame().Commands().OnSort(6);
        QCOMPARE(doc().IndexOfPath(sheet("a.pdb")) + 1, doc().IndexOfPath(sheet("c.pdb")));
        QCOMPARE(doc().Entry(list().ShownRow())->path, chosen);
        frame().Commands().OnSort(7);
        QCOMPARE(doc().IndexOfPath(sheet("a.pdb")) + 1, doc().IndexOfPath(sheet("c.pdb")));
        QCOMPARE(doc().Entry(list().ShownRow())->path, chosen);
        frame().Commands().OnSort(1);
        QCOMPARE(titles().first(), QStringLiteral("地図"));
        doc().Reload();
        QCOMPARE(doc().Entry(list().ShownRow())->path, chosen);
        QCOMPARE(frame().RightView()->ShownPath(), chosen);

        // The filter keeps one category; its change sorts by the first key.
        frame().CategoryBox()->setCurrentIndex(frame().CategoryBox()->findData(1));
        emit frame().CategoryBox()->activated(frame().CategoryBox()->currentIndex());
        QCOMPARE(titles(), QStringList({QStringLiteral("会議"), QStringLiteral("会議")}));
        QCOMPARE(doc().SortKey(), 0);
        QCOMPARE(doc().Entry(0)->path, sheet("c.pdb"));
        frame().CategoryBox()->setCurrentIndex(0);
        emit frame().CategoryBox()->activated(0);

        // Cells and the preview of a sheet whose category has no name.
        select(QStringLiteral("地図"));
        const int row = list().ShownRow();
        QCOMPARE(list().CellText(row, CTavFreeLeftView::KindCategory), QStringLiteral("Unknown Category"));
        QCOMPARE(list().CellText(row, CTavFreeLeftView::KindEventTime),
                 QStringLiteral("2024/12/24 09:30:00"));
        QVERIFY(frame().RightView()->AlarmShown());
        QCOMPARE(frame().RightView()->CategoryText(), QStringLiteral("Unknown Category"));
        QVERIFY(!frame().RightView()->PageImage().isNull());
        AppTestEnv::Screenshot(m_app->MainFrame(), QStringLiteral("sheetlist"));

        const QByteArray damaged = TestDataDir::ReadFile(sheet("f.pdb"));
        QVERIFY(m_app->SaveAll());
        QCOMPARE(TestDataDir::ReadFile(sheet("f.pdb")), damaged);
        QCOMPARE(TestDataDir::ReadFile(sheet("f.pdb")), cut);

        // Nothing left: an empty list and a cleared preview.
        list().SelectAllRows();
        CTavOptions::instance().SetCheckDelete(0);
        frame().Trigger(TavFreeCmd::Delete);
        QCOMPARE(doc().Count(), 0);
        QVERIFY(frame().RightView()->ShownPath().isEmpty());
        QVERIFY(!frame().Action(TavFreeCmd::EditSheet)->isEnabled());
    }

    // Deletes and moves to a category are undo steps; undo puts the files back byte for byte.
    void deleteAndMoveUndo()
    {
        start();
        CTavFrameActions& actions = m_app->MainFrame()->Actions();
        const QByteArray a = TestDataDir::ReadFile(sheet("a.pdb")), b = TestDataDir::ReadFile(sheet("b.pdb"));

        frame().Commands().OnDelete();
        QCOMPARE(m_env->Messages().value(0), CTavFreeCommands::NothingSelectedMessage());

        select(QStringLiteral("買い物"));
        list().SelectRows({list().ShownRow(), doc().IndexOfPath(sheet("a.pdb"))});
        m_env->AnswerMessage(TavMsg::IdNo);
        frame().Trigger(TavFreeCmd::Delete);
        QCOMPARE(doc().Count(), 5);
        m_env->AnswerMessage(TavMsg::IdYes);
        frame().Trigger(TavFreeCmd::Delete);
        QCOMPARE(m_env->Messages().last(), CTavFreeCommands::DeleteQuestion());
        QCOMPARE(doc().Count(), 3);
        QVERIFY(!QFile::exists(sheet("a.pdb")) && !QFile::exists(sheet("b.pdb")));
        actions.UpdateCommandUI();
        QVERIFY(actions.Action(TavCmd::EditUndo)->text().contains(QStringLiteral("手書きメモの削除")));
        actions.Trigger(TavCmd::EditUndo);
        QCOMPARE(doc().Count(), 5);
        QCOMPARE(TestDataDir::ReadFile(sheet("a.pdb")), a);
        QCOMPARE(TestDataDir::ReadFile(sheet("b.pdb")), b);
        actions.Trigger(TavCmd::EditRedo);
        QVERIFY(!QFile::exists(sheet("a.pdb")));
        actions.Trigger(TavCmd::EditUndo);

        // Move two sheets to "パーソナル" (position 2 of the named categories).
        list().SelectRows({doc().IndexOfPath(sheet("a.pdb")), doc().IndexOfPath(sheet("c.pdb"))});
        const QByteArray c = TestDataDir::ReadFile(sheet("c.pdb"));
        frame().Commands().OnMoveToCategory(2);
        QCOMPARE(doc().Entry(doc().IndexOfPath(sheet("a.pdb")))->categoryId, 2);
        QCOMPARE(doc().Entry(doc().IndexOfPath(sheet("c.pdb")))->categoryId, 2);
        QCOMPARE(list().SelectedPaths().size(), 2);
        actions.Trigger(TavCmd::EditUndo);
        QCOMPARE(TestDataDir::ReadFile(sheet("a.pdb")), a);
        QCOMPARE(TestDataDir::ReadFile(sheet("c.pdb")), c);
        actions.Trigger(TavCmd::EditRedo);
        QCOMPARE(doc().Entry(doc().IndexOfPath(sheet("c.pdb")))->categoryId, 2);
        // A sheet saved again since keeps that save when the move is taken back.
        QVERIFY(CTavFreeCategoryCommand::SetCategory(sheet("c.pdb"), 1));
        const QByteArray saved = TestDataDir::ReadFile(sheet("c.pdb"));
        actions.Trigger(TavCmd::EditUndo);
        QCOMPARE(TestDataDir::ReadFile(sheet("c.pdb")), saved);
        QCOMPARE(TestDataDir::ReadFile(sheet("a.pdb")), a);

        // A deleted sheet's file goes for good once its step leaves the stack.
        list().SelectRow(doc().IndexOfPath(sheet("d.pdb")));
        CTavOptions::instance().SetCheckDelete(0);
        frame().Trigger(TavFreeCmd::Delete);
        const QString aside = m_app->Users().GetCurrUserPath() + QStringLiteral(".QuillosDeleted");
        QCOMPARE(QDir(aside).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
        doc().UndoStack().clear();
        QCOMPARE(QDir(aside).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 0);
        QVERIFY(!QFile::exists(sheet("d.pdb")));
    }

    // New and edit go through the editor; the list follows what it wrote.
    void newAndEdit()
    {
        start();
        QString written;
        m_env->AnswerDialog([&written](CTavDialogBase& d) {
            auto* editor = qobject_cast<CTavFreeEditDlg*>(&d);
            if (!editor)
                return int(QDialog::Rejected);
            written = editor->Path();
            makeSheet(written, QStringLiteral("新しいメモ"), 0, day(2024, 11, 20));
            return int(QDialog::Rejected);
        });
        frame().Trigger(TavFreeCmd::NewSheet);
        QVERIFY(written.startsWith(m_current) && written.endsWith(QStringLiteral(".pdb")));
        QCOMPARE(doc().Count(), 6);
        QCOMPARE(selectedTitle(), QStringLiteral("新しいメモ"));

        list().SelectAllRows();
        frame().Trigger(TavFreeCmd::EditSheet);
        QCOMPARE(m_env->Messages().value(0), CTavFreeCommands::SeveralSelectedMessage());
        select(QStringLiteral("買い物"));
        m_env->AnswerDialog(AppTestEnv::PressCancel());
        frame().Trigger(TavFreeCmd::EditSheet);
        QVERIFY(m_env->AllAnswersUsed());
        QCOMPARE(selectedTitle(), QStringLiteral("買い物"));
    }

    // The transfer limit archives old sheets that nothing links and brings them back when it
    // is off; a sheet an event, a week, a To Do item or a card links stays however old.
    void archiveAndRestore()
    {
        makeSheet(sheet("w.pdb"), QStringLiteral("週の予定"), 0, day(2024, 8, 1));
        makeSheet(sheet("t.pdb"), QStringLiteral("やること"), 0, day(2024, 8, 2));
        makeSheet(sheet("n.pdb"), QStringLiteral("名刺"), 0, day(2024, 8, 3));
        start();
        CTavDbDateRecord event;
        event.SetDesc(QStringLiteral("打ち合わせ"));
        event.SetStartTime(CTavDbTime::fromDateTime(day(2024, 9, 3)));
        event.SetEndTime(CTavDbTime::fromDateTime(day(2024, 9, 3).addSecs(3600)));
        event.SetSheetName(QStringLiteral("c"));
        QCOMPARE(m_app->DateStore().AddRecord(event), TavStatusCode::Ok);
        CTavDbDateWeekRecord week(2024, 31);
        week.SetSheetName(QStringLiteral("w"));
        QCOMPARE(m_app->DateStore().AddWeekInfo(week), TavStatusCode::Ok);
        CTavDbTodoRecord item;
        item.SetQuilloName(QStringLiteral("t"));
        QCOMPARE(m_app->TodoStore().AddRecord(item), TavStatusCode::Ok);
        CTavDbAddrRecord card;
        card.SetField(CTavDbAddrRecord::LastName, QStringLiteral("山田"));
        card.SetQuilloName(QStringLiteral("n"));
        QCOMPARE(m_app->AddrStore().AddRecord(card), TavStatusCode::Ok);

        // Limit: one month back from 2024-11-20.
        CTavProfile::WriteProfileInt(QStringLiteral("datebook"), QStringLiteral("KiroTransfer"), 1);
        CTavProfile::WriteProfileInt(QStringLiteral("datebook"), QStringLiteral("KiroTransferNum"), 1);
        CTavProfile::WriteProfileInt(QStringLiteral("datebook"), QStringLiteral("KiroTransferUnit"), 2);
        select(QStringLiteral("買い物"));
        QVERIFY(m_app->SaveAll());
        QVERIFY(QFile::exists(pastSheet("a.pdb")) && !QFile::exists(sheet("a.pdb")));
        for (const char* linked : {"c.pdb", "w.pdb", "t.pdb", "n.pdb"})
            QVERIFY2(QFile::exists(sheet(linked)), linked);
        QVERIFY(QFile::exists(sheet("b.pdb")) && QFile::exists(sheet("d.pdb")));
        QVERIFY(QFile::exists(sheet("e.pdb"))); // newer than the limit: back for the handheld
        QCOMPARE(doc().Count(), 8);
        QVERIFY(doc().Entry(doc().IndexOfPath(pastSheet("a.pdb")))->inPastFolder);
        QCOMPARE(selectedTitle(), QStringLiteral("買い物"));

        const qint64 far = CTavDbTime::fromDateTime(day(2030, 1, 1));
        QCOMPARE(doc().Archive(far), 3); // b, d and e; the linked ones stay, a is there already
        QCOMPARE(doc().Restore(far), 0);
        // A deleted card links nothing.
        const uint32_t cardId = m_app->AddrStore().AllRecords().front()->GetUniqueId();
        QCOMPARE(m_app->AddrStore().DeleteRecord(cardId, true), TavStatusCode::Ok);
        QCOMPARE(doc().Archive(far), 1);
        // A newer sheet of an archived one's name (the handheld's, after a HotSync) replaces it.
        makeSheet(sheet("d.pdb"), QStringLiteral("新しい d"), 0, day(2024, 11, 1));
        QVERIFY(TestDataDir::DateAhead(sheet("d.pdb")));
        const QByteArray newer = TestDataDir::ReadFile(sheet("d.pdb"));
        QCOMPARE(doc().Archive(far), 1);
        QCOMPARE(TestDataDir::ReadFile(pastSheet("d.pdb")), newer);

        // Off: a restart brings every past sheet back, but never over another sheet of its name.
        makeSheet(sheet("b.pdb"), QStringLiteral("別の b"), 0, day(2024, 11, 1));
        const QByteArray other = TestDataDir::ReadFile(sheet("b.pdb"));
        CTavProfile::WriteProfileInt(QStringLiteral("datebook"), QStringLiteral("KiroTransfer"), 0);
        AppTestEnv::Close(m_app);
        start();
        QCOMPARE(QDir(m_past).entryList({QStringLiteral("*.pdb")}), QStringList{QStringLiteral("b.pdb")});
        QCOMPARE(TestDataDir::ReadFile(sheet("b.pdb")), other);
        QCOMPARE(doc().Count(), 9);
    }

    // Import copies the memo sheets of a folder (a taken name gets a new one); export copies
    // the selected sheets, or all listed ones.
    void importAndExport()
    {
        start();
        QTemporaryDir outside;
        const QDir from(outside.filePath(QStringLiteral("from"))), to(outside.filePath(QStringLiteral("to")));
        QDir().mkpath(to.path());
        makeSheet(from.filePath("a.pdb"), QStringLiteral("持ち込み"), 2, day(2024, 11, 2));
        makeSheet(from.filePath("z.pdb"), QStringLiteral("別の人の"), 0, day(2024, 11, 3));
        QFile other(from.filePath("o.pdb"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("no sheet");
        other.close();
        select(QStringLiteral("地図"));

        m_env->AnswerDialog(AppTestEnv::ChooseFile(from.path()));
        frame().Trigger(TavFreeCmd::Import);
        QCOMPARE(doc().Count(), 7);
        QVERIFY(QFile::exists(sheet("z.pdb")) && !QFile::exists(sheet("o.pdb")));
        QCOMPARE(doc().Entry(doc().IndexOfPath(sheet("a.pdb")))->title, QStringLiteral("会議"));
        QVERIFY(titles().contains(QStringLiteral("持ち込み")));
        // The sheet renamed for a taken name carries the new name to the handheld as well.
        const QString renamed = doc().Entries().at(titles().indexOf(QStringLiteral("持ち込み"))).path;
        CTavDbFreePdbObjectManager imported;
        QCOMPARE(imported.LoadFromFile(renamed), TavStatusCode::Ok);
        QCOMPARE(imported.GetDatabase().GetName(), QFileInfo(renamed).completeBaseName());
        QCOMPARE(selectedTitle(), QStringLiteral("地図"));

        list().SelectRows({doc().IndexOfPath(sheet("b.pdb")), doc().IndexOfPath(sheet("z.pdb"))});
        m_env->AnswerDialog(AppTestEnv::ChooseFile(to.path()));
        frame().Trigger(TavFreeCmd::Export);
        QCOMPARE(to.entryList(QDir::Files), QStringList({QStringLiteral("b.pdb"), QStringLiteral("z.pdb")}));
        QCOMPARE(TestDataDir::ReadFile(to.filePath("b.pdb")), TestDataDir::ReadFile(sheet("b.pdb")));
        QVERIFY(m_env->AllAnswersUsed());
    }

    // Removing a category files its sheets in both folders as unfiled, or deletes them.
    void categoryUpkeep()
    {
        start();
        CTavFreeSheetManager& sheets = m_app->SheetManager();
        makeSheet(pastSheet("g.pdb"), QStringLiteral("古い会議"), 1, day(2023, 1, 1));
        CTavFreeCategorySource source(sheets, [this](uint32_t id, bool drop) {
            drop ? doc().DeleteCategoryData(int(id)) : doc().MoveCategoryToUnfiled(int(id));
        });
        QCOMPARE(source.Remove(1, false), TavStatusCode::Ok);
        frame().CategoriesChanged();
        Manager g;
        QCOMPARE(g.LoadFromFile(pastSheet("g.pdb")), TavStatusCode::Ok);
        QCOMPARE(g.GetCategoryId(), 0);
        QCOMPARE(doc().Entry(doc().IndexOfPath(sheet("a.pdb")))->categoryId, 0);
        QCOMPARE(frame().CategoryBox()->findText(QStringLiteral("ビジネス")), -1);

        QCOMPARE(source.Remove(2, true), TavStatusCode::Ok);
        QVERIFY(!QFile::exists(sheet("b.pdb")));
        QCOMPARE(doc().Count(), 5);

        QVERIFY(m_app->SaveAll());
        CTavFreeSheetManager reread;
        QCOMPARE(reread.Load(m_app->Users().GetCurrUserPath()), TavStatusCode::Ok);
        QCOMPARE(reread.Categories().size(), 1);
        QCOMPARE(reread.CategoryName(0), QStringLiteral("未分類"));
    }
};

QTEST_MAIN(TestSheetList)
#include "tst_sheetlist.moc"
