#include <QFile>
#include <QtTest>

#include "CTavDbClock.h"
#include "CTavUserFile.h"
#include "TestDataDir.h"

class TestUserFile : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { CTavDbClock::Release(); }

    void writesTheTwelveBytes()
    {
        TestDataDir dir;
        CTavDbClock::SetFixed(QDateTime(QDate(2024, 2, 29), QTime(12, 0), Qt::UTC));
        QVERIFY(CTavUserFile::Write(dir.dataPath(), 1, CTavDbClock::NowSeconds()));
        QFile file(dir.dataPath() + QStringLiteral("tavuser.dat"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        // -1, 1, 1709208000 (0x65E071C0), little-endian.
        QCOMPARE(file.readAll(), QByteArray("\xff\xff\xff\xff\x01\x00\x00\x00\xc0\x71\xe0\x65", 12));
        QCOMPARE(CTavUserFile::ReadStartupPasswordFlag(dir.dataPath()), 1);
        QVERIFY(CTavUserFile::Write(dir.path() + QStringLiteral("/data"), 0, 0));
        QCOMPARE(CTavUserFile::ReadStartupPasswordFlag(dir.dataPath()), 0);
    }

    void readsTheFlagOnlyFromAWholeFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("flag");
        QTest::newRow("flag set") << QByteArray("\xff\xff\xff\xff\x01\0\0\0\0\0\0\0", 12) << 1;
        QTest::newRow("short") << QByteArray("\xff\xff\xff\xff\x01\0\0\0\0\0\0", 11) << 0;
        QTest::newRow("long") << QByteArray("\xff\xff\xff\xff\x01\0\0\0\0\0\0\0\0", 13) << 0;
    }
    void readsTheFlagOnlyFromAWholeFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, flag);
        TestDataDir dir;
        QFile file(dir.dataPath() + QStringLiteral("tavuser.dat"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        QCOMPARE(CTavUserFile::ReadStartupPasswordFlag(dir.dataPath()), flag);
    }

    void missingFileOrPath()
    {
        TestDataDir dir;
        QCOMPARE(CTavUserFile::ReadStartupPasswordFlag(dir.dataPath()), 0);
        QCOMPARE(CTavUserFile::ReadStartupPasswordFlag(QString()), 0);
        QVERIFY(!CTavUserFile::Write(QString(), 1, 0));
        QVERIFY(!CTavUserFile::Write(dir.filePath(QStringLiteral("no-such-user/")), 1, 0));
    }
};

QTEST_GUILESS_MAIN(TestUserFile)
#include "tst_UserFile.moc"
