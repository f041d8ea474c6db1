#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include "TestDataDir.h"

namespace {
struct Result
{
    int exitCode = -1;
    QList<QJsonObject> lines;
    QString error;
};

Result run(const TestDataDir& dir, const QStringList& args, const QByteArray& input = QByteArray())
{
    QProcess p;
    p.start(QStringLiteral(LUMORA_CLI_PROGRAM),
            QStringList{QStringLiteral("--data-dir"), dir.dataPath()} + args);
    p.write(input);
    p.closeWriteChannel();
    Result r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitCode();
    r.error = QString::fromUtf8(p.readAllStandardError());
    for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
        if (!line.isEmpty())
            r.lines << QJsonDocument::fromJson(line).object();
    return r;
}
} // namespace

class TestCliArchive : public QObject
{
    Q_OBJECT

private slots:
    void exportsAndImportsArchives()
    {
        TestDataDir dir;
        QCOMPARE(run(dir, {QStringLiteral("useradd"), QStringLiteral("taro")}).exitCode, 0);
        const QByteArray memos = "{\"memo\":\"買い物\\nmilk\"}\n{\"memo\":\"second\"}\n";
        QCOMPARE(run(dir, {QStringLiteral("add"), QStringLiteral("memo")}, memos).exitCode, 0);

        // Every store to its archive and its own backup file, and back in.
        for (const auto& [store, archive, backup] : {std::tuple{"schedule", "dba", "dbc"},
                                                     {"address", "aba", "abc"},
                                                     {"todo", "tda", "tdc"},
                                                     {"memo", "mpa", "mpc"}}) {
            for (const char* extension : {archive, backup}) {
                const QString file = dir.filePath(QStringLiteral("out.") + QLatin1String(extension));
                const Result exported = run(dir, {QStringLiteral("export"), QLatin1String(store), file});
                QVERIFY2(exported.exitCode == 0, qPrintable(exported.error));
                const int count = exported.lines.value(0).value(QStringLiteral("exported")).toInt();
                const Result imported = run(dir, {QStringLiteral("import"), QLatin1String(store), file});
                QVERIFY2(imported.exitCode == 0, qPrintable(imported.error));
                QCOMPARE(imported.lines.value(0).value(QStringLiteral("imported")).toInt(), count);
            }
        }
        QCOMPARE(run(dir, {QStringLiteral("list"), QStringLiteral("memo")}).lines.size(), 8);

        // Another store's archive, the newer layout: refused with the file named, nothing added.
        const QString memoArchive = dir.filePath(QStringLiteral("out.mpa"));
        const Result wrongExtension =
            run(dir, {QStringLiteral("import"), QStringLiteral("todo"), memoArchive});
        QCOMPARE(wrongExtension.exitCode, 2);
        const QString renamed = dir.filePath(QStringLiteral("memo.dat"));
        QVERIFY(QFile::copy(memoArchive, renamed));
        const Result wrongKind = run(dir, {QStringLiteral("import"), QStringLiteral("todo"), renamed});
        QCOMPARE(wrongKind.exitCode, 1);
        QVERIFY2(wrongKind.error.contains(renamed) && wrongKind.error.contains(QLatin1String("another kind")),
                 qPrintable(wrongKind.error));
        QFile newer(dir.filePath(QStringLiteral("newer.mpa")));
        QVERIFY(newer.open(QIODevice::WriteOnly));
        newer.write(QByteArray("\xCA\xFE\xBA\xBE\x00\x01\x02\x03", 8));
        newer.close();
        const Result refused = run(dir, {QStringLiteral("import"), QStringLiteral("memo"), newer.fileName()});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.error.contains(QLatin1String("newer layout")), qPrintable(refused.error));
        QCOMPARE(run(dir, {QStringLiteral("list"), QStringLiteral("memo")}).lines.size(), 8);
    }
};

QTEST_GUILESS_MAIN(TestCliArchive)
#include "tst_cli_archive.moc"
