#include <QFile>
#include <QtTest>
#include <memory>

#include "CTavRegistryFile.h"
#include "TestDataDir.h"

namespace {
const QString kKey = QStringLiteral("SOFTWARE\\Ostrel Corporation\\Lumora\\Option");

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

    void livesInTheConfigFolder()
    {
        CTavRegistryFile reg;
        QCOMPARE(reg.path(), m_dir->filePath(QStringLiteral("config/Lumora.reg")));
        QVERIFY(reg.writeNumber(kKey, QStringLiteral("X"), 1));
        QVERIFY(QFile::exists(reg.path()));
    }

    void valuesSurviveTheFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("quotes and backslashes") << QStringLiteral("C:\\\"x\"\\");
        QTest::newRow("line breaks and tabs") << QStringLiteral("a\nb\r\n\tc");
        QTest::newRow("control and zero") << QString::fromUtf16(u"\x01\x7f\0z", 4);
        QTest::newRow("looks like syntax") << QStringLiteral("\"]=string:\"[x]\n[SOFTWARE]");
        QTest::newRow("emoji pair") << QString::fromUtf8("\xf0\x9f\x98\x80");
        QTest::newRow("lone surrogate") << QString(QChar(0xd800));
    }
    void valuesSurviveTheFile()
    {
        QFETCH(QString, text);
        {
            CTavRegistryFile reg;
            QVERIFY(reg.writeString(kKey, QStringLiteral("S"), text));
            QVERIFY(reg.writeNumber(kKey, QStringLiteral("Min"), INT32_MIN));
            QVERIFY(reg.writeNumber(kKey, QStringLiteral("Max"), INT32_MAX));
        }
        CTavRegistryFile reg;
        QVERIFY(!reg.isDamaged());
        QString s;
        int32_t lo = 0, hi = 0;
        QVERIFY(reg.readString(kKey, QStringLiteral("S"), &s));
        QCOMPARE(s, text);
        QVERIFY(reg.readNumber(kKey, QStringLiteral("Min"), &lo));
        QVERIFY(reg.readNumber(kKey, QStringLiteral("Max"), &hi));
        QCOMPARE(lo, INT32_MIN);
        QCOMPARE(hi, INT32_MAX);
    }

    void namesIgnoreCaseAndKeepTheirSpelling()
    {
        CTavRegistryFile reg;
        QVERIFY(reg.writeNumber(kKey, QStringLiteral("WindowShowCmd"), 1));
        QVERIFY(reg.writeNumber(kKey.toLower(), QStringLiteral("WINDOWSHOWCMD"), 2));
        int32_t n = 0;
        QVERIFY(reg.readNumber(kKey.toUpper(), QStringLiteral("windowshowcmd"), &n));
        QCOMPARE(n, 2);
        QCOMPARE(reg.valueNames(kKey), QStringList{QStringLiteral("WindowShowCmd")});
        QVERIFY(reg.keyExists(QStringLiteral("software\\ostrel corporation")));
        QCOMPARE(reg.subKeys(QStringLiteral("SOFTWARE\\Ostrel Corporation")),
                 QStringList{QStringLiteral("Lumora")});
    }

    void typeIsKeptAndNeverChangedByAWrite()
    {
        CTavRegistryFile reg;
        QVERIFY(reg.writeString(kKey, QStringLiteral("S"), QStringLiteral("7")));
        QVERIFY(reg.writeNumber(kKey, QStringLiteral("N"), 7));
        const QByteArray before = readAll(reg.path());
        QVERIFY(!reg.writeNumber(kKey, QStringLiteral("S"), 8));
        QVERIFY(!reg.writeString(kKey, QStringLiteral("N"), QStringLiteral("8")));
        QCOMPARE(readAll(reg.path()), before);
        int32_t n = 0;
        QString s;
        QVERIFY(!reg.readNumber(kKey, QStringLiteral("S"), &n));
        QVERIFY(!reg.readString(kKey, QStringLiteral("N"), &s));
        QCOMPARE(reg.valueType(kKey, QStringLiteral("S")), CTavRegistryFile::Type::String);
        QCOMPARE(reg.valueType(kKey, QStringLiteral("N")), CTavRegistryFile::Type::Number);
        QCOMPARE(reg.valueType(kKey, QStringLiteral("missing")), CTavRegistryFile::Type::None);
    }

    void invalidNamesAreRefused_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::newRow("empty key") << QString() << QStringLiteral("a");
        QTest::newRow("empty part") << QStringLiteral("A\\\\B") << QStringLiteral("a");
        QTest::newRow("trailing separator") << QStringLiteral("A\\") << QStringLiteral("a");
        QTest::newRow("line break in key") << QStringLiteral("A\nB") << QStringLiteral("a");
        QTest::newRow("empty name") << kKey << QString();
        QTest::newRow("long name") << kKey << QString(256, u'n');
    }
    void invalidNamesAreRefused()
    {
        QFETCH(QString, key);
        QFETCH(QString, name);
        CTavRegistryFile reg;
        QVERIFY(!reg.writeNumber(key, name, 1));
        QVERIFY(!QFile::exists(reg.path()));
    }

    void changesOnDiskAreSeen()
    {
        CTavRegistryFile a;
        CTavRegistryFile b;
        QString s;
        QVERIFY(!b.readString(kKey, QStringLiteral("CurrentUser"), &s));
        QVERIFY(a.writeString(kKey, QStringLiteral("CurrentUser"), QStringLiteral("Taro")));
        QVERIFY(b.readString(kKey, QStringLiteral("CurrentUser"), &s));
        QCOMPARE(s, QStringLiteral("Taro"));
        // Same length, so that nothing but the content tells the versions apart.
        QVERIFY(b.writeString(kKey, QStringLiteral("CurrentUser"), QStringLiteral("Jiro")));
        QVERIFY(a.writeNumber(kKey, QStringLiteral("Other"), 1));
        CTavRegistryFile c;
        QVERIFY(c.readString(kKey, QStringLiteral("CurrentUser"), &s));
        QCOMPARE(s, QStringLiteral("Jiro"));
    }

    void handEditedFileIsRead()
    {
        CTavRegistryFile reg;
        writeAll(reg.path(), "\xEF\xBB\xBF# comment\r\n[SOFTWARE\\Ostrel Corporation\\Lumora\\Option]\r\n"
                             "  \"A\" = number: -12 \r\n\"B\"=string:\"x\"\n\"A\"=number:5\n\n"
                             "; another\n[Other]\n");
        QVERIFY(!reg.isDamaged());
        int32_t n = 0;
        QVERIFY(reg.readNumber(kKey, QStringLiteral("A"), &n));
        QCOMPARE(n, 5); // the later line wins
        QVERIFY(reg.keyExists(QStringLiteral("Other")));
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
        QTest::newRow("unclosed key") << QByteArray("[SOFTWARE\n");
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
        QVERIFY(!reg.readNumber(kKey, QStringLiteral("X"), &n));
        QVERIFY(!reg.readString(kKey, QStringLiteral("CurrentUser"), &s));
        QVERIFY(!reg.keyExists(kKey));
        QCOMPARE(readAll(reg.path()), content);
        // A key that is "already there" in the empty reading must not replace the file either.
        QVERIFY(reg.deleteValue(kKey, QStringLiteral("X")));
        QCOMPARE(readAll(reg.path()), content);

        QVERIFY(reg.writeNumber(kKey, QStringLiteral("WindowShowCmd"), 1));
        QCOMPARE(readAll(reg.path() + QStringLiteral(".bad")), content);
        QVERIFY(!reg.isDamaged());
        QCOMPARE(reg.valueNames(kKey), QStringList{QStringLiteral("WindowShowCmd")});
    }

    void deleteValueRemovesOnlyThatValue()
    {
        CTavRegistryFile reg;
        QVERIFY(reg.writeNumber(kKey, QStringLiteral("A"), 1));
        QVERIFY(reg.writeString(kKey, QStringLiteral("B"), QStringLiteral("b")));
        QVERIFY(reg.deleteValue(kKey, QStringLiteral("a")));
        QCOMPARE(reg.valueNames(kKey), QStringList{QStringLiteral("B")});
        QVERIFY(reg.deleteValue(kKey, QStringLiteral("missing")));
    }

    void unwritableFolderFailsQuietly()
    {
        CTavRegistryFile reg(QStringLiteral("/proc/lumora-no-such/Lumora.reg"));
        QVERIFY(!reg.writeNumber(kKey, QStringLiteral("A"), 1));
        QVERIFY(!reg.createKey(kKey));
        QVERIFY(!reg.isDamaged());
    }

private:
    std::unique_ptr<TestDataDir> m_dir;
};

QTEST_GUILESS_MAIN(TestRegistryFile)
#include "tst_RegistryFile.moc"
