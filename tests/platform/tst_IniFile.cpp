#include <QFile>
#include <QtTest>
#include <memory>

#include "CTavIniFile.h"
#include "CTavProfile.h"
#include "TestDataDir.h"

namespace {
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

CTavIniFile iniOf(const QByteArray& bytes)
{
    CTavIniFile ini;
    ini.loadFromData(bytes);
    return ini;
}

const QString kNone = u"<none>"_qs;
} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<TestDataDir>(); }
    void cleanup()
    {
        CTavProfile::SetProfilePath(QString());
        m_dir.reset();
    }

    void reading_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QByteArray& content, const char* section, const char* key,
                            const QString& expected) {
            QTest::newRow(name) << content << QString::fromUtf8(section) << QString::fromUtf8(key)
                                << expected;
        };
        row("names ignore case", "[memo]\ndispSort=1\n", "MEMO", "DISPSORT", "1");
        row("blanks around", "  [ memo ]  \n  dispSort  =  a b  \n", "memo", "dispSort", "a b");
        row("equals in value", "[m]\nurl=a=b==c\n", "m", "url", "a=b==c");
        row("quotes removed", "[m]\nk=\" x \"\n", "m", "k", " x ");
        row("unmatched quote kept", "[m]\nk=\"x\n", "m", "k", "\"x");
        row("first key wins", "[m]\nk=1\nk=2\n", "m", "k", "1");
        row("later duplicate section", "[m]\na=1\n[M]\nk=2\n", "m", "k", "2");
        row("before any section", "k=1\n[m]\n", "m", "k", kNone);
        row("comment", "[m]\n;k=1\n", "m", "k", kNone);
        row("crlf and bom", "\xEF\xBB\xBF[m]\r\nk=v\r\n", "m", "k", "v");
        row("bom after blanks", "[m]\n \xEF\xBB\xBFk=v\n", "m", "k", "v");
        row("utf-8", "[予定]\n名前=山田\n", "予定", "名前", u"山田"_qs);
        row("garbage around", QByteArray("\x00\xff[\n=x\n[m]\n\x01\x02\nk=v\n", 18), "m", "k", "v");
    }
    void reading()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const CTavIniFile ini = iniOf(content);
        QCOMPARE(ini.getString(section, key, kNone), expected);
        QCOMPARE(ini.contains(section, key), expected != kNone);
    }

    void integers()
    {
        const auto get = [](const QByteArray& value) {
            return iniOf("[s]\nk=" + value + "\n").getInt(u"s"_qs, u"k"_qs, -99);
        };
        QCOMPARE(get("12abc"), 12);
        QCOMPARE(get("\"-5\""), -5);
        QCOMPARE(get(""), -99);
        QCOMPARE(get("99999999999999999999"), INT_MAX);
        QCOMPARE(get("-99999999999"), INT_MIN);
    }

    void writingKeepsEveryOtherByte_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("after");
        const auto row = [](const char* name, const QByteArray& before, const char* section, const char* key,
                            const QByteArray& after) {
            QTest::newRow(name) << before << QString::fromUtf8(section) << QString::fromUtf8(key) << after;
        };
        row("replace keeps stored key", "; c\n[memo]\n  DispSort = 1 \nx=2\n", "MEMO", "dispsort",
            "; c\n[memo]\nDispSort=v\nx=2\n");
        row("append to section before blank", "[a]\nx=1\n\n[b]\ny=2\n", "a", "z",
            "[a]\nx=1\nz=v\n\n[b]\ny=2\n");
        row("crlf kept", "[a]\r\nx=1\r\n", "a", "y", "[a]\r\nx=1\r\ny=v\r\n");
        row("bom and bytes not utf-8 kept", "\xEF\xBB\xBF[a]\nn=\x82\xa0\n", "a", "y",
            "\xEF\xBB\xBF[a]\nn=\x82\xa0\ny=v\n");
        row("no final break", "[a]\nx=1", "b", "y", "[a]\nx=1\n\n[b]\ny=v");
        row("CR ending the file", "[a]\r\nx=1\r\r", "a", "y", "[a]\r\nx=1\r\r\r\ny=v");
        row("empty file", "", "b", "y", "[b]\ny=v\n");
    }
    void writingKeepsEveryOtherByte()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QByteArray, after);
        CTavIniFile ini = iniOf(before);
        QVERIFY(ini.setString(section, key, u"v"_qs));
        QCOMPARE(ini.toData(), after);
    }

    void unusableNamesAndValuesChangeNothing()
    {
        CTavIniFile ini = iniOf("[s]\nk=1\n");
        const QString s = u"s"_qs, k = u"k"_qs, v = u"v"_qs;
        QVERIFY(!ini.setString(QString(), k, v));
        QVERIFY(!ini.setString(u"a]b"_qs, k, v));
        QVERIFY(!ini.setString(s, u" "_qs, v));
        QVERIFY(!ini.setString(s, u"a=b"_qs, v));
        QVERIFY(!ini.setString(s, u"[x"_qs, v));
        QVERIFY(!ini.setString(s, u"k\rx"_qs, v));
        QVERIFY(!ini.setString(s, k, u"a\nb"_qs));
        QCOMPARE(ini.toData(), QByteArray("[s]\nk=1\n"));
    }

    void removeKeyDropsEveryOccurrence()
    {
        CTavIniFile ini = iniOf("[s]\nk=1\n[S]\nK=2\nj=3\n");
        QVERIFY(ini.removeKey(u"s"_qs, u"k"_qs));
        QCOMPARE(ini.toData(), QByteArray("[s]\n[S]\nj=3\n"));
        QVERIFY(!ini.removeKey(u"s"_qs, u"k"_qs));
    }

    void profileWritesCreateTheFileAndAreSeenAtOnce()
    {
        QVERIFY(!CTavProfile::WriteProfileInt(u"memo"_qs, u"dispCategory"_qs, 1)); // no path yet
        const QString path = CTavProfile::ProfilePathForUser(m_dir->dataPath() + u"Taro/"_qs);
        QCOMPARE(path, m_dir->dataPath() + u"Taro/TAV/SetupTAV.INI"_qs);
        CTavProfile::SetProfilePath(path);
        QVERIFY(CTavProfile::WriteProfileInt(u"memo"_qs, u"dispCategory"_qs, 3));
        QVERIFY(CTavProfile::WriteProfileString(u"Memo"_qs, u"Note"_qs, u"a = b"_qs));
        QCOMPARE(readAll(path), QByteArray("[memo]\ndispCategory=3\nNote=a = b\n"));
        // Another program changes the file between two reads.
        writeAll(path, "[memo]\ndispCategory=4\n");
        QCOMPARE(CTavProfile::GetProfileInt(u"memo"_qs, u"dispCategory"_qs, 99), 4);
    }

    void damagedProfileIsNeverLost()
    {
        const QString path = m_dir->filePath(u"SetupTAV.INI"_qs);
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage += char((i * 7919) & 0xff);
        writeAll(path, garbage);
        CTavProfile::SetProfilePath(path);
        CTavProfile::GetProfileInt(u"memo"_qs, u"dispSort"_qs, 0);
        QVERIFY(CTavProfile::WriteProfileInt(u"lumora-test"_qs, u"k"_qs, 1));
        QVERIFY(readAll(path).startsWith(garbage));
        QCOMPARE(CTavProfile::GetProfileInt(u"lumora-test"_qs, u"k"_qs, 0), 1);
    }

    void oversizedProfileIsNotReplaced()
    {
        const QString path = m_dir->filePath(u"SetupTAV.INI"_qs);
        QByteArray big("[memo]\ndispSort=1\n");
        big += QByteArray(CTavIniFile::kMaxFileSize, ';');
        writeAll(path, big);
        CTavProfile::SetProfilePath(path);
        QCOMPARE(CTavProfile::GetProfileInt(u"memo"_qs, u"dispSort"_qs, 7), 7);
        QVERIFY(!CTavProfile::WriteProfileInt(u"memo"_qs, u"dispSort"_qs, 2));
        QCOMPARE(QFileInfo(path).size(), big.size());
    }

private:
    std::unique_ptr<TestDataDir> m_dir;
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_IniFile.moc"
