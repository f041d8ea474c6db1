#include <QFile>
#include <QtTest>
#include <memory>

#include "CTavRegistryFile.h"
#include "TestDataDir.h"

namespace {
const QString kKey = u"SOFTWARE\\Ostrel Corporation\\Lumora\\Option"_qs;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}
} // namespace

class TestRegistryFile : public QObject
{
    Q_OBJECT

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
        QVERIFY(!reg.isDamaged());
        for (int i = 0; i < texts.size(); ++i) {
            QString s;
            QVERIFY(reg.readString(kKey, QString::number(i), &s));
            QCOMPARE(s, texts[i]);
        }
        int32_t lo = 0, hi = 0;
        QVERIFY(reg.readNumber(kKey, u"Min"_qs, &lo) && reg.readNumber(kKey, u"Max"_qs, &hi));
        QCOMPARE(lo, INT32_MIN);
        QCOMPARE(hi, INT32_MAX);
    }

    void namesIgnoreCaseAndKeepTheirSpelling()
    {
        CTavRegistryFile reg;
        QVERIFY(reg.writeNumber(kKey, u"WindowShowCmd"_qs, 1));
        QVERIFY(reg.writeNumber(kKey.toLower(), u"WINDOWSHOWCMD"_qs, 2));
        int32_t n = 0;
        QVERIFY(reg.readNumber(kKey.toUpper(), u"windowshowcmd"_qs, &n));
        QCOMPARE(n, 2);
        QCOMPARE(reg.valueNames(kKey), QStringList{u"WindowShowCmd"_qs});
        QVERIFY(reg.keyExists(u"software\\ostrel corporation"_qs));
        QCOMPARE(reg.subKeys(u"SOFTWARE\\Ostrel Corporation"_qs), QStringList{u"Lumora"_qs});
    }

    void typeIsKeptAndNeverChangedByAWrite()
    {
        CTavRegistryFile reg;
        QVERIFY(reg.writeString(kKey, u"S"_qs, u"7"_qs));
        QVERIFY(reg.writeNumber(kKey, u"N"_qs, 7));
        const QByteArray before = readAll(reg.path());
        QVERIFY(!reg.writeNumber(kKey, u"S"_qs, 8));
        QVERIFY(!reg.writeString(kKey, u"N"_qs, u"8"_qs));
        QCOMPARE(readAll(reg.path()), before);
        int32_t n = 0;
        QString s;
        QVERIFY(!reg.readNumber(kKey, u"S"_qs, &n));
        QVERIFY(!reg.readString(kKey, u"N"_qs, &s));
    }

    void invalidNamesAreRefused()
    {
        CTavRegistryFile reg;
        QVERIFY(!reg.writeNumber(QString(), u"a"_qs, 1));
        QVERIFY(!reg.writeNumber(u"A\\"_qs, u"a"_qs, 1));
        QVERIFY(!reg.writeNumber(u"A\n"_qs, u"a"_qs, 1));
        QVERIFY(!reg.writeNumber(kKey, QString(), 1));
        QVERIFY(!reg.writeNumber(kKey, QString(256, u'n'), 1));
        QVERIFY(!QFile::exists(reg.path()));
    }

    void changesOnDiskAreSeen()
    {
        CTavRegistryFile a;
        CTavRegistryFile b;
        QString s;
        QVERIFY(!b.readString(kKey, u"CurrentUser"_qs, &s));
        QVERIFY(a.writeString(kKey, u"CurrentUser"_qs, u"Taro"_qs));
        QVERIFY(b.readString(kKey, u"CurrentUser"_qs, &s));
        QCOMPARE(s, u"Taro"_qs);
        // Same length, so that nothing but the content tells the versions apart.
        QVERIFY(b.writeString(kKey, u"CurrentUser"_qs, u"Jiro"_qs));
        QVERIFY(a.writeNumber(kKey, u"Other"_qs, 1));
        CTavRegistryFile c;
        QVERIFY(c.readString(kKey, u"CurrentUser"_qs, &s));
        QCOMPARE(s, u"Jiro"_qs);
    }

    void handEditedFileIsRead()
    {
        CTavRegistryFile reg;
        writeAll(reg.path(), "\xEF\xBB\xBF# comment\r\n[SOFTWARE\\Ostrel Corporation\\Lumora\\Option]\r\n"
                             "  \"A\" = number: -12 \r\n\"B\"=string:\"x\"\n\"A\"=number:5\n\n"
                             "; another\n[Other]\n");
        QVERIFY(!reg.isDamaged());
        int32_t n = 0;
        QVERIFY(reg.readNumber(kKey, u"A"_qs, &n));
        QCOMPARE(n, 5); // the later line wins
        QVERIFY(reg.keyExists(u"Other"_qs));
    }

    void damagedFileReadsEmptyAndIsKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray head = "[SOFTWARE\\Ostrel Corporation\\Lumora\\Option]\n";
        QTest::newRow("garbage") << QByteArray("\x00\x01\xff\xfe garbage\n", 13);
        QTest::newRow("truncated string") << head + "\"CurrentUser\"=string:\"Ta";
        QTest::newRow("short unicode escape") << head + "\"CurrentUser\"=string:\"\\u12\"";
        QTest::newRow("unknown type") << head + "\"X\"=binary:00ff\n";
        QTest::newRow("number too big") << head + "\"X\"=number:2147483648\n";
        QTest::newRow("text after string") << head + "\"X\"=string:\"a\" b\n";
        QTest::newRow("value before any key") << QByteArray("\"X\"=number:1\n") + head;
        QTest::newRow("not utf-8") << head + "\"X\"=string:\"\x82\xa0\"\n";
    }
    void damagedFileReadsEmptyAndIsKept()
    {
        QFETCH(QByteArray, content);
        CTavRegistryFile reg;
        writeAll(reg.path(), content);
        QVERIFY(reg.isDamaged());
        int32_t n = 0;
        QString s;
        QVERIFY(!reg.readNumber(kKey, u"X"_qs, &n));
        QVERIFY(!reg.readString(kKey, u"CurrentUser"_qs, &s));
        QVERIFY(!reg.keyExists(kKey));
        QCOMPARE(readAll(reg.path()), content);
        // A key that is "already there" in the empty reading must not replace the file either.
        QVERIFY(reg.deleteValue(kKey, u"X"_qs));
        QCOMPARE(readAll(reg.path()), content);

        QVERIFY(reg.writeNumber(kKey, u"WindowShowCmd"_qs, 1));
        QCOMPARE(readAll(reg.path() + u".bad"_qs), content);
        QVERIFY(!reg.isDamaged());
        QCOMPARE(reg.valueNames(kKey), QStringList{u"WindowShowCmd"_qs});
    }

    void unwritableFolderFailsQuietly()
    {
        CTavRegistryFile reg(u"/proc/lumora-no-such/Lumora.reg"_qs);
        QVERIFY(!reg.writeNumber(kKey, u"A"_qs, 1));
        QVERIFY(!reg.createKey(kKey));
        QVERIFY(!reg.isDamaged());
    }

private:
    std::unique_ptr<TestDataDir> m_dir;
};

QTEST_GUILESS_MAIN(TestRegistryFile)
#include "tst_RegistryFile.moc"
