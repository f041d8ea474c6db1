#include <QtTest>
#include <memory>

#include "CTavIniFile.h"
#include "CTavProfile.h"
#include "TestDataDir.h"

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { CTavProfile::SetProfilePath(QString()); }

    // Each text has a section "m" (in some spelling); the key asked for is "k".
    void reading_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected"); // empty: not there
        QTest::newRow("blanks and case") << QByteArray("  [ M ]  \n  K  =  a=b  \n") << u"a=b"_qs;
        QTest::newRow("quotes removed") << QByteArray("[m]\nk=\" x \"\n") << u" x "_qs;
        QTest::newRow("first key, later section") << QByteArray("[m]\nk=1\nk=2\n[M]\nk=3\n") << u"1"_qs;
        QTest::newRow("before any section") << QByteArray("k=1\n[m]\n;k=2\n") << QString();
        QTest::newRow("crlf and bom") << QByteArray("\xEF\xBB\xBF[m]\r\nk=v\r\n") << u"v"_qs;
        QTest::newRow("bom after blanks") << QByteArray("[m]\n \xEF\xBB\xBFk=v\n") << u"v"_qs;
        QTest::newRow("garbage around") << QByteArray("\x00\xff[\n=x\n[m]\n\x01\x02\nk=v\n", 18) << u"v"_qs;
    }
    void reading()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        CTavIniFile ini;
        ini.loadFromData(content);
        QCOMPARE(ini.getString(u"m"_qs, u"k"_qs, QString()), expected);
        QCOMPARE(ini.contains(u"m"_qs, u"k"_qs), !expected.isEmpty());
    }

    // Setting m/k to "v" changes that one line and keeps every other byte.
    void writingKeepsEveryOtherByte_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("stored spelling")
            << QByteArray("; c\n[M]\n  K = 1 \nx=2\n") << QByteArray("; c\n[M]\nK=v\nx=2\n");
        QTest::newRow("before a blank, crlf")
            << QByteArray("[m]\r\nx=1\r\n\r\n[b]\r\n") << QByteArray("[m]\r\nx=1\r\nk=v\r\n\r\n[b]\r\n");
        QTest::newRow("bom, not utf-8")
            << QByteArray("\xEF\xBB\xBF[m]\nn=\x82\xa0") << QByteArray("\xEF\xBB\xBF[m]\nn=\x82\xa0\nk=v");
        QTest::newRow("CR ending the file")
            << QByteArray("[m]\r\nx=1\r\r") << QByteArray("[m]\r\nx=1\r\r\r\nk=v");
    }
    void writingKeepsEveryOtherByte()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        CTavIniFile ini;
        ini.loadFromData(before);
        QVERIFY(ini.setString(u"m"_qs, u"k"_qs, u"v"_qs));
        QCOMPARE(ini.toData(), after);
        QVERIFY(!ini.setString(u"m"_qs, u"k"_qs, u"a\nb"_qs));
        QVERIFY(!ini.setString(u"m"_qs, u"a=b"_qs, u"v"_qs));
        QCOMPARE(ini.toData(), after);
    }

    void damagedOrOversizedProfileIsNeverLost()
    {
        TestDataDir dir;
        const QString path = dir.filePath(u"SetupTAV.INI"_qs);
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage += char((i * 7919) & 0xff);
        QVERIFY(TestDataDir::WriteFile(path, garbage));
        CTavProfile::SetProfilePath(path);
        QVERIFY(CTavProfile::WriteProfileInt(u"memo"_qs, u"k"_qs, 1));
        QVERIFY(TestDataDir::ReadFile(path).startsWith(garbage));
        QCOMPARE(CTavProfile::GetProfileInt(u"memo"_qs, u"k"_qs, 0), 1);
        // A file too big to read is neither read nor replaced.
        const QByteArray big = "[memo]\nk=1\n" + QByteArray(CTavIniFile::kMaxFileSize, ';');
        QVERIFY(TestDataDir::WriteFile(path, big));
        QCOMPARE(CTavProfile::GetProfileInt(u"memo"_qs, u"k"_qs, 7), 7);
        QStringList failed;
        CTavProfile::SetWriteFailureHandler([&failed](const QString& file) { failed << file; });
        QVERIFY(!CTavProfile::WriteProfileInt(u"memo"_qs, u"k"_qs, 2));
        QCOMPARE(QFileInfo(path).size(), big.size());
        CTavProfile::SetWriteFailureHandler(nullptr);
        QCOMPARE(failed, QStringList{path}); // the program tells the user
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_IniFile.moc"
