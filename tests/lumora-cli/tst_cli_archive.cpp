#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "CliRun.h"
#include "TestDataDir.h"

class TestCliArchive : public QObject
{
    Q_OBJECT

private slots:
    void exportsAndImportsArchives()
    {
        TestDataDir dir;
        QCOMPARE(RunCli(dir, {QStringLiteral("useradd"), QStringLiteral("taro")}).exitCode, 0);
        const QByteArray memos = "{\"memo\":\"買い物\\nmilk\"}\n{\"memo\":\"second\"}\n";
        QCOMPARE(RunCli(dir, {QStringLiteral("add"), QStringLiteral("memo")}, memos).exitCode, 0);

        // Every store to its archive and its own backup file, and back in.
        for (const auto& [store, archive, backup] : {std::tuple{"schedule", "dba", "dbc"},
                                                     {"address", "aba", "abc"},
                                                     {"todo", "tda", "tdc"},
                                                     {"memo", "mpa", "mpc"}}) {
            for (const char* extension : {archive, backup}) {
                const QString file = dir.filePath(QStringLiteral("out.") + QLatin1String(extension));
                const CliResult exported =
                    RunCli(dir, {QStringLiteral("export"), QLatin1String(store), file});
                QVERIFY2(exported.exitCode == 0, qPrintable(exported.error));
                const int count = exported.lines.value(0).value(QStringLiteral("exported")).toInt();
                const CliResult imported =
                    RunCli(dir, {QStringLiteral("import"), QLatin1String(store), file});
                QVERIFY2(imported.exitCode == 0, qPrintable(imported.error));
                QCOMPARE(imported.lines.value(0).value(QStringLiteral("imported")).toInt(), count);
            }
        }
        QCOMPARE(RunCli(dir, {QStringLiteral("list"), QStringLiteral("memo")}).lines.size(), 8);

        // Another store's archive, the newer layout: refused with the file named, nothing added.
        const QString memoArchive = dir.filePath(QStringLiteral("out.mpa"));
        const CliResult wrongExtension =
            RunCli(dir, {QStringLiteral("import"), QStringLiteral("todo"), memoArchive});
        QCOMPARE(wrongExtension.exitCode, 2);
        const QString renamed = dir.filePath(QStringLiteral("memo.dat"));
        QVERIFY(QFile::copy(memoArchive, renamed));
        const CliResult wrongKind = RunCli(dir, {QStringLiteral("import"), QStringLiteral("todo"), renamed});
        QCOMPARE(wrongKind.exitCode, 1);
        QVERIFY2(wrongKind.error.contains(renamed) && wrongKind.error.contains(QLatin1String("another kind")),
                 qPrintable(wrongKind.error));
        QFile newer(dir.filePath(QStringLiteral("newer.mpa")));
        QVERIFY(newer.open(QIODevice::WriteOnly));
        newer.write(QByteArray("\xCA\xFE\xBA\xBE\x00\x01\x02\x03", 8));
        newer.close();
        const CliResult refused =
            RunCli(dir, {QStringLiteral("import"), QStringLiteral("memo"), newer.fileName()});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.error.contains(QLatin1String("newer layout")), qPrintable(refused.error));
        QCOMPARE(RunCli(dir, {QStringLiteral("list"), QStringLiteral("memo")}).lines.size(), 8);
    }
};

QTEST_GUILESS_MAIN(TestCliArchive)
#include "tst_cli_archive.moc"
