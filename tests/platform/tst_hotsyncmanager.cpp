#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "CTavHotSyncManager.h"
#include "CTavHotSyncState.h"

class TestHotSyncManager : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_round = 0;

    // A manager that only notes how it was started.
    QString writeFakeManager()
    {
        const QString path = m_dir.filePath(QStringLiteral("fake-hotsync%1").arg(m_round));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args.tmp\" && mv \"$0.args.tmp\" \"$0.args\"\n");
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    static bool writeState(const QByteArray& bytes)
    {
        QFile file(CTavHotSyncState::filePath());
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        qputenv("LUMORA_RUNTIME_DIR", m_dir.filePath(QStringLiteral("run%1").arg(++m_round)).toUtf8());
        qunsetenv("LUMORA_HOTSYNC");
    }

    void runningStateFromTheStateFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("state");
        QTest::newRow("running") << QByteArray("{\"running\":true,\"since\":\"2024-05-01T10:00:00\"}") << 0
                                 << 1;
        QTest::newRow("idle") << QByteArray("{\"running\":false}\n") << 0 << 0;
        QTest::newRow("empty") << QByteArray() << -1 << 0;
        QTest::newRow("not json") << QByteArray("running") << -1 << 0;
        QTest::newRow("text value") << QByteArray("{\"running\":\"yes\"}") << -1 << 0;
        QTest::newRow("oversized") << "{\"running\":true,\"x\":\"" + QByteArray(8000, 'x') + "\"}" << -1 << 0;
    }

    void runningStateFromTheStateFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, result);
        QFETCH(int, state);
        QVERIFY(writeState(content));
        int32_t running = -7;
        QCOMPARE(CTavHotSyncManager::GetRunningState(&running), result);
        if (result == 0)
            QCOMPARE(running, state);
        else
            QCOMPARE(running, -7); // untouched on failure
    }

    void noManagerStateMeansIdle()
    {
        int32_t running = -7;
        QCOMPARE(CTavHotSyncManager::GetRunningState(&running), 0);
        QCOMPARE(running, 0);
        QCOMPARE(CTavHotSyncManager::GetRunningState(nullptr), -1);
    }

    void stateSurvivesAWriteAndRead()
    {
        const QDateTime since(QDate(2024, 5, 1), QTime(10, 0, 5));
        CTavHotSyncState written;
        written.running = true;
        written.since = since;
        QVERIFY(CTavHotSyncState::write(written));
        CTavHotSyncState read;
        QVERIFY(CTavHotSyncState::read(&read));
        QVERIFY(read.running);
        QCOMPARE(read.since, since);
        int32_t running = 0;
        QCOMPARE(CTavHotSyncManager::GetRunningState(&running), 0);
        QCOMPARE(running, 1);
    }

    void availabilityFollowsTheManagerProgram()
    {
        qputenv("LUMORA_HOTSYNC", m_dir.filePath(QStringLiteral("missing")).toUtf8());
        QCOMPARE(CTavHotSyncManager::IsAvailable(), -1);
        QCOMPARE(CTavHotSyncManager::ShowLog(), -1);

        const QString notExecutable = m_dir.filePath(QStringLiteral("plain"));
        QFile file(notExecutable);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        qputenv("LUMORA_HOTSYNC", notExecutable.toUtf8());
        QCOMPARE(CTavHotSyncManager::IsAvailable(), -1);

        qputenv("LUMORA_HOTSYNC", writeFakeManager().toUtf8());
        QCOMPARE(CTavHotSyncManager::IsAvailable(), 0);
    }

    void managerFoundOnThePath()
    {
        const QString fake = writeFakeManager();
        const QString folder = m_dir.filePath(QStringLiteral("bin%1").arg(m_round));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(fake, folder + QStringLiteral("/lumora-hotsync")));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", folder.toUtf8() + ':' + path);
        const QString found = CTavHotSyncManager::managerProgram();
        qputenv("PATH", path);
        QCOMPARE(found, folder + QStringLiteral("/lumora-hotsync"));
    }

    void windowsStartTheManagerWithTheirOption_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("option");
        QTest::newRow("operation settings") << 0 << "--settings";
        QTest::newRow("connection settings") << 1 << "--connection";
        QTest::newRow("log") << 2 << "--log";
    }

    void windowsStartTheManagerWithTheirOption()
    {
        QFETCH(int, window);
        QFETCH(QString, option);
        const QString fake = writeFakeManager();
        qputenv("LUMORA_HOTSYNC", fake.toUtf8());
        const int result = window == 0   ? CTavHotSyncManager::ShowOperationSettings()
                           : window == 1 ? CTavHotSyncManager::ShowConnectionSettings()
                                         : CTavHotSyncManager::ShowLog();
        QCOMPARE(result, 0);
        QFile args(fake + QStringLiteral(".args"));
        QTRY_VERIFY(args.exists());
        QVERIFY(args.open(QIODevice::ReadOnly));
        QCOMPARE(args.readAll(), option.toUtf8() + '\n');
    }
};

QTEST_GUILESS_MAIN(TestHotSyncManager)
#include "tst_hotsyncmanager.moc"
