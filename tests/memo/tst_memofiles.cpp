#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>
#include <QTest>

#include "CTavMemoFileCommands.h"
#include "CTavSqliteDb.h"
#include "MemoFixture.h"
#include "TavMemoCommandIds.h"
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {
// The live memos of a store, sorted; the private ones only when asked. The desktop's archives
// keep no creation time, so it is left out for them.
QStringList memos(const CTavDbMemo& store, bool withPrivate = true, bool withTime = true)
{
    QStringList list;
    for (const auto& rec : store.AllRecords()) {
        const auto& m = static_cast<const CTavDbMemoRecord&>(*rec);
        if (!m.IsDeleted() && (withPrivate || !m.GetIsPrivate()))
            list << QStringLiteral("%1|%2|%3|%4")
                        .arg(m.GetMemo(), store.FindCategoryById(m.GetCategoryID())->GetName(),
                             QString::number(m.GetIsPrivate()),
                             withTime ? QString::number(m.GetCreateDateTime()) : QString());
    }
    list.sort();
    return list;
}
} // namespace

// Import, export, backup files and the clipboard.
class TestMemoFiles : public QObject
{
    Q_OBJECT
    MemoFixture m_f;
    QString path(const QString& name) { return m_f.Env().Dir().filePath(name); }

private slots:
    void init() { m_f.Start(); }
    void cleanup() { m_f.Stop(); }

    void roundTrips_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::newRow("CSV, extension in capitals") << u"MEMOS.CSV"_s << u"MEMOS.CSV"_s;
        QTest::newRow("backup file") << u"memos.mpc"_s << u"memos.mpc"_s;
        QTest::newRow("no extension: the chosen type's") << u"memos"_s << u"memos.mpc"_s;
        QTest::newRow("desktop backup file, in capitals") << u"memos.MPA"_s << u"memos.MPA"_s;
    }
    void roundTrips()
    {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        const bool archive = name.endsWith(u".MPA");
        const QStringList before = memos(m_f.Store(), true, !archive);
        m_f.Env().AnswerDialog(AppTestEnv::ChooseFile(path(typed)));
        m_f.Frame().Trigger(TavMemoCmd::Export);
        QVERIFY(QFile::exists(path(name)));
        for (const CTavMemoEntry& e : std::vector<CTavMemoEntry>(m_f.Doc().Entries()))
            m_f.Store().DeleteRecord(e.uniqueId, false);
        m_f.Env().AnswerDialog(AppTestEnv::ChooseFile(path(name)));
        m_f.Frame().Trigger(TavMemoCmd::Import);
        QCOMPARE(memos(m_f.Store(), true, !archive), before);
        QCOMPARE(m_f.Doc().Count(), MemoFixture::kMemoCount);
        QCOMPARE(m_f.Env().Messages().last(),
                 QStringLiteral("メモ帳の更新中...\n%1件のデータをインポートしました。")
                     .arg(MemoFixture::kMemoCount));
        // An unknown extension neither imports nor exports, and says nothing.
        QVERIFY(!m_f.Frame().FileCommands().ImportFile(path(QStringLiteral("memos.txt"))));
        QVERIFY(!m_f.Frame().FileCommands().ExportFile(path(QStringLiteral("memos.txt")), false));
        QVERIFY(!QFile::exists(path(QStringLiteral("memos.txt"))));
        QCOMPARE(m_f.Env().Messages().size(), 2); // the export's and the import's
    }

    void backupOfAllAndPrivateMemos_data()
    {
        QTest::addColumn<QString>("password"); // the user's; empty: none
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("typed"); // empty: not asked; "-": Cancel
        QTest::addColumn<bool>("withPrivate");
        QTest::newRow("masked, password given") << "himitsu" << 1 << "himitsu" << true;
        QTest::newRow("masked, cancelled") << "himitsu" << 1 << "-" << false;
        QTest::newRow("hidden, wrong password") << "himitsu" << 2 << "wrong" << false;
        QTest::newRow("hidden, user without a password") << QString() << 2 << QString() << true;
    }
    void backupOfAllAndPrivateMemos()
    {
        QFETCH(QString, password);
        QFETCH(int, mode);
        QFETCH(QString, typed);
        QFETCH(bool, withPrivate);
        m_f.SetPrivateMode(mode);
        m_f.SetPassword(password);
        m_f.Env().AnswerDialog(AppTestEnv::ChooseFile(path(QStringLiteral("all.mpc"))));
        if (!typed.isEmpty())
            m_f.Env().AnswerDialog(typed == u"-" ? AppTestEnv::PressCancel()
                                                 : AppTestEnv::TypePassword(typed));
        m_f.Frame().Trigger(TavMemoCmd::Export);
        QVERIFY(m_f.Env().AllAnswersUsed());
        CTavDbMemo backup;
        QCOMPARE(backup.ImportBackupFile(path(QStringLiteral("all.mpc"))), TavStatusCode::Ok);
        QCOMPARE(memos(backup), memos(m_f.Store(), withPrivate));
        // Whatever stayed out is said, with its number.
        QCOMPARE(m_f.Env().Messages().size(), 1);
        QCOMPARE(m_f.Env().Messages().first().contains(QStringLiteral("1 件")), !withPrivate);
    }

    void brokenBackupFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("random bytes") << u"random"_s << u"メモ帳のバックアップファイル"_s;
        QTest::newRow("cut short") << u"truncated"_s << u"壊れている"_s;
        QTest::newRow("another program's database") << u"foreign"_s << u"メモ帳のバックアップファイル"_s;
    }
    // Importing it changes nothing and says which file and what is wrong with it.
    void brokenBackupFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString broken = path(QStringLiteral("broken.mpc"));
        if (kind == QLatin1String("random")) {
            QByteArray bytes(4096, '\0');
            QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
            QFile file(broken);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        } else if (kind == QLatin1String("truncated")) {
            QCOMPARE(m_f.Store().ExportBackupFile(broken, {m_f.Doc().Entry(0)->uniqueId}), TavStatusCode::Ok);
            QVERIFY(QFile::resize(broken, QFileInfo(broken).size() / 2));
        } else {
            CTavSqliteDb db;
            QCOMPARE(db.open(broken, true), SQLITE_OK);
            QCOMPARE(db.exec("CREATE TABLE notes(body TEXT); INSERT INTO notes VALUES('x')"), SQLITE_OK);
        }
        const QStringList before = memos(m_f.Store());

        QVERIFY(!m_f.Frame().FileCommands().ImportFile(broken));
        QCOMPARE(memos(m_f.Store()), before);
        QCOMPARE(m_f.Env().Messages().size(), 1);
        const QString message = m_f.Env().Messages().first();
        QVERIFY2(message.contains(broken) && message.contains(reason), qPrintable(message));
    }

    void clipboard()
    {
        // A copied memo pastes as a new one with its category; masked private ones stay off.
        m_f.ClickRow(m_f.RowOf(QStringLiteral("{括弧}")));
        m_f.Frame().Trigger(TavMemoCmd::Copy);
        m_f.Frame().Trigger(TavMemoCmd::Paste);
        QCOMPARE(m_f.Store().GetRecordCount(), MemoFixture::kMemoCount + 1);
        const CTavMemoEntry* pasted = m_f.Doc().Entry(m_f.List().ShownRow());
        QCOMPARE(pasted->text, QStringLiteral("{括弧} と \\ を含むメモ\n二行目"));
        QCOMPARE(pasted->categoryId, m_f.CategoryId(QStringLiteral("ビジネス")));
        m_f.SetPrivateMode(1);
        m_f.ClickRow(m_f.RowOf(QStringLiteral("暗証番号")));
        m_f.Frame().Trigger(TavMemoCmd::Copy);
        QVERIFY(!QApplication::clipboard()->text().contains(QStringLiteral("金庫")));
    }
};

QTEST_MAIN(TestMemoFiles)
#include "tst_memofiles.moc"
