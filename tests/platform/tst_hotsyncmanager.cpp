#include <QTemporaryDir>
#include <QTest>

#include "CTavHotSyncManager.h"
#include "CTavHotSyncState.h"
#include "TestDataDir.h"

class TestHotSyncManager : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_round = 0;

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        qputenv("LUMORA_RUNTIME_DIR", m_dir.filePath(QStringLiteral("run%1").arg(++m_round)).toUtf8());
        qunsetenv("LUMORA_HOTSYNC");
    }

    void runningStateFromTheStateFile_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("state");
        QTest::newRow("running") << QByteArray("{\"running\":true,\"since\":\"2024-05-01T10:00:00\"}") << 0
                                 << 1;
        QTest::newRow("no manager yet") << QByteArray() << 0 << 0;
        QTest::newRow("empty") << QByteArray("") << -1 << -7;
        QTest::newRow("not json") << QByteArray("running") << -1 << -7;
        QTest::newRow("text value") << QByteArray("{\"running\":\"yes\"}") << -1 << -7;
        QTest::newRow("oversized") << "{\"running\":true,\"x\":\"" + QByteArray(8000, 'x') + "\"}" << -1
                                   << -7;
    }
    void runningStateFromTheStateFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, result);
        QFETCH(int, state);
        QVERIFY(content.isNull() || TestDataDir::WriteFile(CTavHotSyncState::filePath(), content));
        int32_t running = -7; // untouched on failure
        QCOMPARE(CTavHotSyncManager::GetRunningState(&running), result);
        QCOMPARE(running, state);
    }

    void availabilityFollowsTheManagerProgram()
    {
        qputenv("LUMORA_HOTSYNC", m_dir.filePath(QStringLiteral("missing")).toUtf8());
        QCOMPARE(CTavHotSyncManager::IsAvailable(), -1);
        QCOMPARE(CTavHotSyncManager::ShowLog(), -1);
        const QString plain = m_dir.filePath(QStringLiteral("plain"));
        QVERIFY(TestDataDir::WriteFile(plain, "#!/bin/sh\n"));
        qputenv("LUMORA_HOTSYNC", plain.toUtf8());
        QCOMPARE(CTavHotSyncManager::IsAvailable(), -1); // not executable
        // A manager that only notes how it was started.
        const QString fake = m_dir.filePath(QStringLiteral("fake-hotsync"));
        QVERIFY(TestDataDir::WriteFile(
            fake, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args.tmp\" && mv \"$0.args.tmp\" \"$0.args\"\n"));
        QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("LUMORA_HOTSYNC", fake.toUtf8());
        QCOMPARE(CTavHotSyncManager::IsAvailable(), 0);
        QCOMPARE(CTavHotSyncManager::ShowConnectionSettings(), 0);
        QTRY_COMPARE(TestDataDir::ReadFile(fake + QStringLiteral(".args")), QByteArray("--connection\n"));
    }
};

QTEST_GUILESS_MAIN(TestHotSyncManager)
#include "tst_hotsyncmanager.moc"
