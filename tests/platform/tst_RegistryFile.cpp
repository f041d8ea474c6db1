#include <QtTest>
#include <memory>

#include "CTavRegistryFile.h"
#include "TestDataDir.h"

namespace {
const QString kKey = u"SOFTWARE\\Ostrel Corporation\\Lumora\\Option"_qs;
} // namespace

class TestRegistryFile : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDataDir> m_dir;

private slots:
    void init() { m_dir = std::make_unique<TestDataDir>(); }
    void cleanup() { m_dir.reset(); }

    void valuesSurviveTheFile()
    {
        const QStringList texts{QString(),
                                u"C:\\\"x\"\\"_qs,
                                QString::fromUtf16(u"\x01\x7f\0z", 4),
                                u"\"]=string:\"[x]\n[SOFTWARE]"_qs,
                                QString::fromUtf8("\xf0\x9f\x98\x80"),
                                QString(QChar(0xd800))};
        CTavRegistryFile writer;
        for (int i = 0; i < texts.size(); ++i)
            QVERIFY(writer.writeString(kKey, QString::number(i), texts[i]));
        QVERIFY(writer.writeNumber(kKey, u"Min"_qs, INT32_MIN));
        QVERIFY(writer.writeNumber(kKey, u"Max"_qs, INT32_MAX));
        CTavRegistryFile reg;
        for (int i = 0; i < texts.size(); ++i) {
            QString s;
            QVERIFY(reg.readString(kKey, QString::number(i), &s));
            QCOMPARE(s, texts[i]);
        }
        int32_t lo = 0, hi = 0; // names ignore case
        QVERIFY(reg.readNumber(kKey.toUpper(), u"min"_qs, &lo) && reg.readNumber(kKey, u"MAX"_qs, &hi));
        QCOMPARE(lo, INT32_MIN);
        QCOMPARE(hi, INT32_MAX);
    }

    void typeIsKeptAndNeverChangedByAWrite()
    {
        CTavRegistryFile reg;
        QVERIFY(reg.writeString(kKey, u"S"_qs, u"7"_qs));
        QVERIFY(reg.writeNumber(kKey, u"N"_qs, 7));
        const QByteArray before = TestDataDir::ReadFile(reg.path());
        QVERIFY(!reg.writeNumber(kKey, u"S"_qs, 8));
        QVERIFY(!reg.writeString(kKey, u"N"_qs, u"8"_qs));
        QVERIFY(!reg.writeNumber(u"A\n"_qs, u"a"_qs, 1));
        QVERIFY(!reg.writeNumber(kKey, QString(256, u'n'), 1));
        QCOMPARE(TestDataDir::ReadFile(reg.path()), before);
    }

    // Another program's writes are seen, even of the same length.
    void changesOnDiskAreSeen()
    {
        CTavRegistryFile a;
        CTavRegistryFile b;
        QString s;
        QVERIFY(a.writeString(kKey, u"CurrentUser"_qs, u"Taro"_qs));
        QVERIFY(b.readString(kKey, u"CurrentUser"_qs, &s) && s == u"Taro"_qs);
        QVERIFY(b.writeString(kKey, u"CurrentUser"_qs, u"Jiro"_qs));
        QVERIFY(a.writeNumber(kKey, u"Other"_qs, 1));
        QVERIFY(CTavRegistryFile().readString(kKey, u"CurrentUser"_qs, &s));
        QCOMPARE(s, u"Jiro"_qs);
    }

    // A damaged file reads as empty, is never replaced by a reading, and is kept aside at the
    // first write.
    void damagedFileReadsEmptyAndIsKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray head = "[SOFTWARE\\Ostrel Corporation\\Lumora\\Option]\n";
        QTest::newRow("garbage") << QByteArray("\x00\x01\xff\xfe garbage\n", 13);
        QTest::newRow("truncated string") << head + "\"CurrentUser\"=string:\"Ta";
        QTest::newRow("unknown type") << head + "\"X\"=binary:00ff\n";
        QTest::newRow("number too big") << head + "\"X\"=number:2147483648\n";
        QTest::newRow("value before any key") << QByteArray("\"X\"=number:1\n") + head;
        QTest::newRow("not utf-8") << head + "\"X\"=string:\"\x82\xa0\"\n";
    }
    void damagedFileReadsEmptyAndIsKept()
    {
        QFETCH(QByteArray, content);
        CTavRegistryFile reg;
        QVERIFY(TestDataDir::WriteFile(reg.path(), content));
        QVERIFY(reg.isDamaged());
        QVERIFY(!reg.keyExists(kKey));
        QVERIFY(reg.deleteValue(kKey, u"X"_qs)); // "already gone" in the empty reading
        QCOMPARE(TestDataDir::ReadFile(reg.path()), content);
        QVERIFY(reg.writeNumber(kKey, u"WindowShowCmd"_qs, 1));
        QCOMPARE(TestDataDir::ReadFile(reg.path() + u".bad"_qs), content);
        QVERIFY(!reg.isDamaged());
        QCOMPARE(reg.valueNames(kKey), QStringList{u"WindowShowCmd"_qs});
    }
};

QTEST_GUILESS_MAIN(TestRegistryFile)
#include "tst_RegistryFile.moc"
