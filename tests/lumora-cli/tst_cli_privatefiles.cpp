#include <QDirIterator>
#include <QProcess>
#include <QtTest>

#include <sys/stat.h>

#include "CTavDbMemo.h"
#include "CTavDbUser.h"
#include "TestDataDir.h"

namespace {
void runProgram(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    QVERIFY2(p.waitForFinished(60000), qPrintable(program));
}

// The folders (root included) and files of the tree that are not the owner's alone; with
// loosen, each is made readable by all instead.
QStringList looseEntries(const QString& root, bool loosen = false)
{
    QStringList loose;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    for (QString path = root; !path.isEmpty(); path = it.hasNext() ? it.next() : QString()) {
        const QByteArray name = QFile::encodeName(path);
        struct stat st = {};
        ::lstat(name.constData(), &st);
        const bool folder = S_ISDIR(st.st_mode);
        if (loosen)
            ::chmod(name.constData(), folder ? 0755 : 0644);
        else if ((folder || S_ISREG(st.st_mode)) && (st.st_mode & 07777) != (folder ? 0700u : 0600u))
            loose << path + QStringLiteral(" %1").arg(st.st_mode & 07777, 0, 8);
    }
    return loose;
}
} // namespace

class CliPrivateFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ::umask(022); }
    void onlyTheOwnerReads_data();
    void onlyTheOwnerReads();
};

void CliPrivateFilesTest::onlyTheOwnerReads_data()
{
    QTest::addColumn<bool>("loosenFirst");
    QTest::newRow("files the programs and the store make") << false;
    QTest::newRow("a tree left readable by all, then a start") << true;
}

void CliPrivateFilesTest::onlyTheOwnerReads()
{
    QFETCH(bool, loosenFirst);
    TestDataDir dir;
    const QString config = dir.filePath(QStringLiteral("config"));
    qputenv("LUMORA_RUNTIME_DIR", (config + QStringLiteral("/run")).toUtf8());
    const QString cli = QStringLiteral(LUMORA_CLI_PROGRAM);
    runProgram(cli, {QStringLiteral("demo")});
#ifdef LUMORA_HOTSYNC_PROGRAM
    runProgram(QStringLiteral(LUMORA_HOTSYNC_PROGRAM), {QStringLiteral("end")});
    QVERIFY(QFile::exists(config + QStringLiteral("/HotSync/HotSyncLog.txt")));
#endif

    // This process keeps umask 022 (and no start tightens after it): the store's own writes
    // must be private without help.
    CTavDbUser users;
    users.SetCurrUserName(users.GetUserNameList().value(0));
    CTavDbMemo memo;
    memo.AttachUsers(&users);
    QCOMPARE(memo.Load(), TavStatusCode::Ok);
    CTavDbMemoRecord record;
    record.SetMemo(QStringLiteral("住所の控え"));
    QCOMPARE(memo.AddRecord(record), TavStatusCode::Ok);
    QCOMPARE(memo.Write(), TavStatusCode::Ok);
    const QList<uint32_t> ids{memo.GetRecord(0)->GetUniqueId()};
    QCOMPARE(memo.ExportBackupFile(users.GetCurrUserPath() + QStringLiteral("Export/memo.mpc"), ids),
             TavStatusCode::Ok);
    QCOMPARE(memo.ExportCsvFile(users.GetCurrUserPath() + QStringLiteral("memo.csv"), ids),
             TavStatusCode::Ok);

    const QString outside = dir.filePath(QStringLiteral("outside.txt"));
    if (loosenFirst) {
        looseEntries(dir.dataPath(), true);
        looseEntries(config, true);
        QVERIFY(QFile(outside).open(QIODevice::WriteOnly));
        QFile::link(outside, dir.dataPath() + QStringLiteral("link.txt"));
        runProgram(cli, {QStringLiteral("users")});
    }
    const QStringList loose = looseEntries(dir.dataPath()) + looseEntries(config);
    QVERIFY2(loose.isEmpty(), qPrintable(loose.join(u',')));
    if (loosenFirst) // a start follows no link out of the tree
        QVERIFY(QFile::permissions(outside) & QFileDevice::ReadOther);
}

QTEST_GUILESS_MAIN(CliPrivateFilesTest)
#include "tst_cli_privatefiles.moc"
