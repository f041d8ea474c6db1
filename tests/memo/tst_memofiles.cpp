#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

#include "CTavApp.h"
#include "CTavDbMemo.h"
#include "CTavDbText.h"
#include "CTavExportFileDlg.h"
#include "CTavImportFileDlg.h"
#include "CTavMemoClipboard.h"
#include "CTavMemoCommands.h"
#include "CTavMemoDlg.h"
#include "CTavMemoDoc.h"
#include "CTavMemoFileCommands.h"
#include "CTavMemoFrame.h"
#include "CTavMemoLeftView.h"
#include "CTavOptions.h"
#include "MemoFixture.h"
#include "TavCommandIds.h"
#include "TavMemoCommandIds.h"

namespace {
// Chooses a file in a file dialog (and the range of an export dialog) and presses its button.
AppTestEnv::DialogAnswer chooseFile(const QString& path, bool selectedOnly = false)
{
    return [=](CTavDialogBase& d) {
        auto* dlg = qobject_cast<CTavFileDlg*>(&d);
        if (!dlg)
            return int(QDialog::Rejected);
        if (auto* exportDlg = qobject_cast<CTavExportFileDlg*>(dlg); exportDlg && selectedOnly)
            exportDlg->SelectedButton()->click();
        const QFileInfo info(path);
        dlg->FileDialog()->setDirectory(info.absolutePath());
        dlg->FileDialog()->selectFile(info.fileName());
        QMetaObject::invokeMethod(dlg->FileDialog(), "accept");
        return dlg->result();
    };
}

struct Memo
{
    QString text;
    QString category;
    bool isPrivate;
    TavTime created;
    bool operator==(const Memo&) const = default;
};

QList<Memo> memos(CTavDbMemo& store)
{
    QList<Memo> list;
    for (const auto& rec : store.AllRecords()) {
        if (rec->IsDeleted())
            continue;
        const auto& m = static_cast<const CTavDbMemoRecord&>(*rec);
        list.append({m.GetMemo(), store.FindCategoryById(m.GetCategoryID())->GetName(), m.GetIsPrivate(),
                     m.GetCreateDateTime()});
    }
    std::sort(list.begin(), list.end(), [](const Memo& a, const Memo& b) { return a.text < b.text; });
    return list;
}

void deleteAll(CTavDbMemo& store)
{
    QList<uint32_t> ids;
    for (const auto& rec : store.AllRecords())
        ids << rec->GetUniqueId();
    for (uint32_t id : ids)
        store.DeleteRecord(id, false);
}
} // namespace

// Import, export, backup files, the clipboard and dropped files.
class TestMemoFiles : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_f.Start(); }
    void cleanup() { m_f.Stop(); }
    void csvAndBackupRoundTrips_data();
    void csvAndBackupRoundTrips();
    void exportSelectedOnly();
    void importCodePage932();
    void importByExtension_data();
    void importByExtension();
    void badFileChangesNothing();
    void twoMoreDoNotFit();
    void backupFileCommands();
    void clipboard();
    void droppedTextFileStartsAMemo();

private:
    QString path(const QString& name) { return m_f.Env().Dir().filePath(name); }
    MemoFixture m_f;
};

void TestMemoFiles::csvAndBackupRoundTrips_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("CSV") << "memos.csv";
    QTest::newRow("backup file") << "memos.mpc";
}

void TestMemoFiles::csvAndBackupRoundTrips()
{
    QFETCH(QString, name);
    const QList<Memo> before = memos(m_f.Store());
    m_f.Env().AnswerDialog(chooseFile(path(name)));
    m_f.Frame().Trigger(TavMemoCmd::Export);
    deleteAll(m_f.Store());
    m_f.Doc().Reload();
    m_f.Env().AnswerDialog(chooseFile(path(name)));
    m_f.Frame().Trigger(TavMemoCmd::Import);
    QVERIFY(m_f.Env().AllAnswersUsed());
    QCOMPARE(memos(m_f.Store()), before);
    QCOMPARE(m_f.Doc().Count(), MemoFixture::kMemoCount);
}

void TestMemoFiles::exportSelectedOnly()
{
    m_f.ClickRow(1);
    m_f.ClickRow(3, Qt::ControlModifier);
    const QStringList chosen{m_f.Doc().Entry(1)->text, m_f.Doc().Entry(3)->text};
    m_f.Env().AnswerDialog(chooseFile(path(QStringLiteral("two.csv")), true));
    m_f.Frame().Trigger(TavMemoCmd::Export);
    CTavDbMemo other;
    QCOMPARE(other.ImportCsvFile(path(QStringLiteral("two.csv"))), TavStatusCode::Ok);
    QStringList texts;
    for (const auto& rec : other.AllRecords())
        texts << static_cast<const CTavDbMemoRecord&>(*rec).GetMemo();
    QCOMPARE(texts, chosen);
    // While private memos are masked they stay out of an export.
    m_f.SetPrivateMode(1);
    QVERIFY(m_f.Frame().FileCommands().ExportFile(path(QStringLiteral("masked.csv")), false));
    CTavDbMemo masked;
    QCOMPARE(masked.ImportCsvFile(path(QStringLiteral("masked.csv"))), TavStatusCode::Ok);
    QCOMPARE(masked.GetRecordCount(), MemoFixture::kMemoCount - 1);
}

void TestMemoFiles::importCodePage932()
{
    QFile file(path(QStringLiteral("sjis.csv")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(CTavDbText::toCp932(
        QStringLiteral("内容,カテゴリ,プライベート,作成日時,更新日時\r\n"
                       "\"表示ソフトの\r\n予定表\",ビジネス,1,2023/04/05 06:07:08,\r\n")));
    file.close();
    QVERIFY(m_f.Frame().FileCommands().ImportFile(file.fileName()));
    const int row = m_f.RowOf(QStringLiteral("表示ソフト"));
    QVERIFY(row >= 0);
    const CTavMemoEntry* e = m_f.Doc().Entry(row);
    QCOMPARE(e->text, QStringLiteral("表示ソフトの\n予定表"));
    QCOMPARE(e->categoryId, m_f.CategoryId(QStringLiteral("ビジネス")));
    QVERIFY(e->isPrivate);
    QCOMPARE(e->created, CTavDbTime::fromDateTime(QDateTime(QDate(2023, 4, 5), QTime(6, 7, 8))));
    QCOMPARE(e->updated, e->created);
}

void TestMemoFiles::importByExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("added");
    QTest::newRow("capital extension") << "MEMO.CSV" << 1;
    QTest::newRow("unknown extension") << "memo.txt" << 0;
    QTest::newRow("no extension") << "memo" << 0;
}

void TestMemoFiles::importByExtension()
{
    QFETCH(QString, name);
    QFETCH(int, added);
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("新しいメモ\r\n");
    file.close();
    m_f.Env().AnswerDialog(chooseFile(file.fileName()));
    m_f.Frame().Trigger(TavMemoCmd::Import);
    QCOMPARE(m_f.Store().GetRecordCount(), MemoFixture::kMemoCount + added);
    QVERIFY(m_f.Env().Messages().isEmpty());
}

void TestMemoFiles::badFileChangesNothing()
{
    QFile file(path(QStringLiteral("bad.csv")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("良いメモ,新カテゴリ\r\n\"閉じない引用符\r\n");
    file.close();
    const QList<Memo> before = memos(m_f.Store());
    const int categories = m_f.Store().GetCategoryCount();
    QVERIFY(!m_f.Frame().FileCommands().ImportFile(file.fileName()));
    QCOMPARE(m_f.Env().Messages().size(), 1);
    QCOMPARE(memos(m_f.Store()), before);
    QCOMPARE(m_f.Store().GetCategoryCount(), categories);
}

void TestMemoFiles::twoMoreDoNotFit()
{
    // One record is left: importing or pasting two is refused whole.
    QFile file(path(QStringLiteral("two.csv")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("one\r\ntwo\r\n");
    file.close();
    m_f.ClickRow(0);
    m_f.ClickRow(1, Qt::ShiftModifier);
    m_f.Frame().Trigger(TavMemoCmd::Copy);
    m_f.FillTo(CTavDbMemo::kMaxRecords - 1);
    QVERIFY(!m_f.Frame().FileCommands().ImportFile(file.fileName()));
    m_f.Frame().Trigger(TavMemoCmd::Paste);
    QCOMPARE(m_f.Env().Messages(), (QStringList{CTavMemoFileCommands::ImportLimitMessage(),
                                                CTavMemoCommands::RecordLimitMessage()}));
    QCOMPARE(m_f.Store().GetRecordCount(), CTavDbMemo::kMaxRecords - 1);
}

void TestMemoFiles::backupFileCommands()
{
    CTavMemoFrame& frame = m_f.Frame();
    // A backup file of three memos, made from the current data.
    QList<uint32_t> three;
    for (int row = 0; row < 3; ++row)
        three << m_f.Doc().Entry(row)->uniqueId;
    QCOMPARE(m_f.Store().ExportBackupFile(path(QStringLiteral("old.mpc")), three), TavStatusCode::Ok);

    m_f.Env().AnswerDialog(chooseFile(path(QStringLiteral("old.mpc"))));
    frame.Trigger(TavMemoCmd::OpenBackupFile);
    QCOMPARE(m_f.App().backupFileOpen(), 1);
    QCOMPARE(frame.windowTitle(), QStringLiteral("old.mpc (バックアップ ファイル)"));
    QCOMPARE(m_f.Doc().Count(), 3);
    QVERIFY(!frame.Action(TavMemoCmd::OpenBackupFile)->isEnabled());
    QVERIFY(frame.Action(TavMemoCmd::OpenCurrentFile)->isEnabled());
    AppTestEnv::Screenshot(m_f.App().MainFrame(), QStringLiteral("memopad-backup-file"));

    // Restore reloads the backup file, not the current data; cancelling it changes nothing.
    CTavDbMemoRecord extra;
    extra.SetMemo(QStringLiteral("保存しない変更"));
    m_f.Store().AddRecord(extra);
    m_f.Env().AnswerMessage(TavMsg::IdCancel);
    frame.Trigger(TavMemoCmd::Restore);
    QCOMPARE(m_f.Store().GetRecordCount(), 4);
    m_f.Env().AnswerMessage(TavMsg::IdOk);
    frame.Trigger(TavMemoCmd::Restore);
    QCOMPARE(m_f.Store().GetRecordCount(), 3);

    frame.Trigger(TavMemoCmd::OpenCurrentFile);
    QCOMPARE(m_f.App().backupFileOpen(), 0);
    QCOMPARE(m_f.Doc().Count(), MemoFixture::kMemoCount);
}

void TestMemoFiles::clipboard()
{
    QClipboard* board = QApplication::clipboard();
    m_f.ClickRow(m_f.RowOf(QStringLiteral("{括弧}")));
    m_f.ClickRow(m_f.RowOf(QStringLiteral("暗証番号")), Qt::ControlModifier);
    m_f.Frame().Trigger(TavMemoCmd::Copy);
    QVERIFY(board->text().contains(QStringLiteral("{括弧} と \\ を含むメモ")));
    m_f.Frame().Trigger(TavMemoCmd::Paste);
    QCOMPARE(m_f.Store().GetRecordCount(), MemoFixture::kMemoCount + 2);
    QCOMPARE(m_f.List().Selection().SelectedCount(), 2); // the pasted memos
    const CTavMemoEntry* pasted = m_f.Doc().Entry(m_f.List().ShownRow());
    QCOMPARE(pasted->categoryId,
             m_f.CategoryId(pasted->isPrivate ? QStringLiteral("パーソナル") : QStringLiteral("ビジネス")));

    // Cut takes them out again; text from another program pastes as one memo.
    m_f.Frame().Trigger(TavMemoCmd::Cut);
    QCOMPARE(m_f.Store().GetRecordCount(), MemoFixture::kMemoCount);
    board->setText(QStringLiteral("他のアプリから\r\nの文章"));
    m_f.Frame().Trigger(TavMemoCmd::Paste);
    QCOMPARE(m_f.Doc().Entry(m_f.Doc().Selected())->text, QStringLiteral("他のアプリから\nの文章"));

    // While masked, private memos stay off the clipboard.
    m_f.SetPrivateMode(1);
    m_f.ClickRow(m_f.RowOf(QStringLiteral("暗証番号")));
    m_f.Frame().Trigger(TavMemoCmd::Copy);
    QVERIFY(!board->text().contains(QStringLiteral("金庫")));
}

void TestMemoFiles::droppedTextFileStartsAMemo()
{
    QFile file(path(QStringLiteral("note.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(CTavDbText::toCp932(QStringLiteral("ドロップした\r\nテキスト")));
    file.close();
    QString started;
    m_f.Env().AnswerDialog([&started](CTavDialogBase& d) {
        if (auto* dlg = qobject_cast<CTavMemoDlg*>(&d))
            started = dlg->Edit()->toPlainText();
        d.reject();
        return d.result();
    });
    QMimeData mime;
    mime.setUrls(
        {QUrl::fromLocalFile(path(QStringLiteral("other.txt"))), QUrl::fromLocalFile(file.fileName())});
    QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&m_f.Frame(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&m_f.Frame(), &drop);
    QCOMPARE(started, QStringLiteral("ドロップした\nテキスト"));
    QCOMPARE(m_f.Store().GetRecordCount(), MemoFixture::kMemoCount);
}

QTEST_MAIN(TestMemoFiles)
#include "tst_memofiles.moc"
