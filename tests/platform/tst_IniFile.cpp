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
        QTest::addColumn<QString>("expected"); // "<none>" when the default comes back
        const QByteArray memo = "[memo]\ndispSort=1\n";
        QTest::newRow("plain") << memo << "memo"
                               << "dispSort"
                               << "1";
        QTest::newRow("section case") << memo << "MEMO"
                                      << "dispSort"
                                      << "1";
        QTest::newRow("blanks around") << QByteArray("  [ memo ]  \n  dispSort  =  a b  \n") << "memo"
                                       << "dispSort"
                                       << "a b";
        QTest::newRow("equals in value") << QByteArray("[m]\nurl=a=b==c\n") << "m"
                                         << "url"
                                         << "a=b==c";
        QTest::newRow("double quotes removed") << QByteArray("[m]\nk=\" x \"\n") << "m"
                                               << "k"
                                               << " x ";
        QTest::newRow("unmatched quote kept") << QByteArray("[m]\nk=\"x\n") << "m"
                                              << "k"
                                              << "\"x";
        QTest::newRow("empty value") << QByteArray("[m]\nk=\n") << "m"
                                     << "k"
                                     << "";
        QTest::newRow("first key wins") << QByteArray("[m]\nk=1\nk=2\n") << "m"
                                        << "k"
                                        << "1";
        QTest::newRow("first section wins") << QByteArray("[m]\nk=1\n[M]\nk=2\n") << "m"
                                            << "k"
                                            << "1";
        QTest::newRow("other section") << QByteArray("[a]\nk=1\n[b]\nx=2\n") << "b"
                                       << "k"
                                       << "<none>";
        QTest::newRow("before any section") << QByteArray("k=1\n[m]\n") << "m"
                                            << "k"
                                            << "<none>";
        QTest::newRow("comment") << QByteArray("[m]\n;k=1\n") << "m"
                                 << "k"
                                 << "<none>";
        QTest::newRow("crlf and bom") << QByteArray("\xEF\xBB\xBF[m]\r\nk=v\r\n") << "m"
                                      << "k"
                                      << "v";
        QTest::newRow("utf-8") << QByteArray("[予定]\n名前=山田\n") << "予定"
                               << "名前"
                               << "山田";
        QTest::newRow("garbage around") << QByteArray("\x00\xff[\n=x\n[m]\n\x01\x02\nk=v\n", 18) << "m"
                                        << "k"
                                        << "v";
    }
    void reading()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const CTavIniFile ini = iniOf(content);
        const QString none = QStringLiteral("<none>");
        QCOMPARE(ini.getString(section, key, none), expected);
        QCOMPARE(ini.contains(section, key), expected != none);
    }

    void integers_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("number") << QByteArray("42") << 42;
        QTest::newRow("negative") << QByteArray("-7") << -7;
        QTest::newRow("trailing text") << QByteArray("12abc") << 12;
        QTest::newRow("text") << QByteArray("abc") << 0;
        QTest::newRow("quoted") << QByteArray("\"5\"") << 5;
        QTest::newRow("empty gives default") << QByteArray("") << -99;
        QTest::newRow("overflow clamps") << QByteArray("99999999999999999999") << INT_MAX;
    }
    void integers()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        QCOMPARE(iniOf("[s]\nk=" + value + "\n").getInt(QStringLiteral("s"), QStringLiteral("k"), -99),
                 expected);
    }

    void listsSectionsAndKeysOnce()
    {
        const CTavIniFile ini = iniOf("[a]\nx=1\nX=2\ny=3\n[b]\n[A]\nz=4\n");
        QCOMPARE(ini.sections(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(ini.keys(QStringLiteral("A")),
                 (QStringList{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")}));
    }

    void writingKeepsEveryOtherByte_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("replace in place")
            << QByteArray("; c\n[m]\n  DispSort = 1 \nx=2\n") << "memo"
            << "dispsort"
            << "5" << QByteArray("; c\n[m]\n  DispSort = 1 \nx=2\n\n[memo]\ndispsort=5\n");
        QTest::newRow("replace keeps stored key") << QByteArray("[memo]\n  DispSort = 1 \nx=2\n") << "MEMO"
                                                  << "dispsort"
                                                  << "5" << QByteArray("[memo]\nDispSort=5\nx=2\n");
        QTest::newRow("append to section before blank") << QByteArray("[a]\nx=1\n\n[b]\ny=2\n") << "a"
                                                        << "z"
                                                        << "3" << QByteArray("[a]\nx=1\nz=3\n\n[b]\ny=2\n");
        QTest::newRow("crlf kept") << QByteArray("[a]\r\nx=1\r\n") << "a"
                                   << "y"
                                   << "2" << QByteArray("[a]\r\nx=1\r\ny=2\r\n");
        QTest::newRow("bom kept") << QByteArray("\xEF\xBB\xBF[a]\n") << "a"
                                  << "y"
                                  << "2" << QByteArray("\xEF\xBB\xBF[a]\ny=2\n");
        QTest::newRow("not utf-8 kept") << QByteArray("[a]\nname=\x82\xa0\n") << "a"
                                        << "y"
                                        << "v" << QByteArray("[a]\nname=\x82\xa0\ny=v\n");
        QTest::newRow("no final break") << QByteArray("[a]\nx=1") << "b"
                                        << "y"
                                        << "2" << QByteArray("[a]\nx=1\n\n[b]\ny=2");
        QTest::newRow("empty file") << QByteArray() << "b"
                                    << "y"
                                    << "a=b \"c\"" << QByteArray("[b]\ny=a=b \"c\"\n");
    }
    void writingKeepsEveryOtherByte()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        CTavIniFile ini = iniOf(before);
        QVERIFY(ini.setString(section, key, value));
        QCOMPARE(ini.toData(), after);
    }

    void unusableNamesAndValuesChangeNothing_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("empty section") << ""
                                       << "k"
                                       << "v";
        QTest::newRow("bracket in section") << "a]b"
                                            << "k"
                                            << "v";
        QTest::newRow("empty key") << "s"
                                   << " "
                                   << "v";
        QTest::newRow("equals in key") << "s"
                                       << "a=b"
                                       << "v";
        QTest::newRow("key like a section") << "s"
                                            << "[x"
                                            << "v";
        QTest::newRow("line break in value") << "s"
                                             << "k"
                                             << "a\nb";
    }
    void unusableNamesAndValuesChangeNothing()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        CTavIniFile ini = iniOf("[s]\nk=1\n");
        QVERIFY(!ini.setString(section, key, value));
        QCOMPARE(ini.toData(), QByteArray("[s]\nk=1\n"));
    }

    void removeKeyDropsEveryOccurrence()
    {
        CTavIniFile ini = iniOf("[s]\nk=1\n[S]\nK=2\nj=3\n");
        QVERIFY(ini.removeKey(QStringLiteral("s"), QStringLiteral("k")));
        QCOMPARE(ini.toData(), QByteArray("[s]\n[S]\nj=3\n"));
        QVERIFY(!ini.removeKey(QStringLiteral("s"), QStringLiteral("k")));
    }

    void profileWithoutPathOrFile()
    {
        QCOMPARE(CTavProfile::GetProfileInt(QStringLiteral("memo"), QStringLiteral("dispCategory"), 99), 99);
        QVERIFY(!CTavProfile::WriteProfileInt(QStringLiteral("memo"), QStringLiteral("dispCategory"), 1));
        CTavProfile::SetProfilePath(m_dir->filePath(QStringLiteral("missing/SetupTAV.INI")));
        QCOMPARE(
            CTavProfile::GetProfileString(QStringLiteral("memo"), QStringLiteral("x"), QStringLiteral("d")),
            QStringLiteral("d"));
        QCOMPARE(
            CTavProfile::GetProfileInt(QStringLiteral("datebook"), QStringLiteral("KiroTransferDateBook"), 1),
            1);
    }

    void profileWritesCreateTheFileAndAreSeenAtOnce()
    {
        const QString path = CTavProfile::ProfilePathForUser(m_dir->dataPath() + QStringLiteral("Taro/"));
        QCOMPARE(path, m_dir->dataPath() + QStringLiteral("Taro/TAV/SetupTAV.INI"));
        CTavProfile::SetProfilePath(path);
        QCOMPARE(CTavProfile::ProfilePath(), path);
        QVERIFY(CTavProfile::WriteProfileInt(QStringLiteral("memo"), QStringLiteral("dispCategory"), 3));
        QVERIFY(CTavProfile::WriteProfileString(QStringLiteral("Memo"), QStringLiteral("Note"),
                                                QStringLiteral("a = b")));
        QCOMPARE(readAll(path), QByteArray("[memo]\ndispCategory=3\nNote=a = b\n"));
        QCOMPARE(CTavProfile::GetProfileInt(QStringLiteral("MEMO"), QStringLiteral("DISPCATEGORY"), 99), 3);
        // Another program changes the file between two reads.
        writeAll(path, "[memo]\ndispCategory=4\n");
        QCOMPARE(CTavProfile::GetProfileInt(QStringLiteral("memo"), QStringLiteral("dispCategory"), 99), 4);
    }

    void damagedProfileIsNeverLost()
    {
        const QString path = m_dir->filePath(QStringLiteral("SetupTAV.INI"));
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage += char((i * 7919) & 0xff);
        writeAll(path, garbage);
        CTavProfile::SetProfilePath(path);
        CTavProfile::GetProfileInt(QStringLiteral("memo"), QStringLiteral("dispSort"), 0);
        QVERIFY(CTavProfile::WriteProfileInt(QStringLiteral("lumora-test"), QStringLiteral("k"), 1));
        const QByteArray after = readAll(path);
        QVERIFY(after.startsWith(garbage));
        QCOMPARE(CTavProfile::GetProfileInt(QStringLiteral("lumora-test"), QStringLiteral("k"), 0), 1);
    }

    void oversizedProfileIsNotReplaced()
    {
        const QString path = m_dir->filePath(QStringLiteral("SetupTAV.INI"));
        QByteArray big("[memo]\ndispSort=1\n");
        big += QByteArray(CTavIniFile::kMaxFileSize, ';');
        writeAll(path, big);
        CTavProfile::SetProfilePath(path);
        QCOMPARE(CTavProfile::GetProfileInt(QStringLiteral("memo"), QStringLiteral("dispSort"), 7), 7);
        QVERIFY(!CTavProfile::WriteProfileInt(QStringLiteral("memo"), QStringLiteral("dispSort"), 2));
        QCOMPARE(QFileInfo(path).size(), big.size());
    }

private:
    std::unique_ptr<TestDataDir> m_dir;
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_IniFile.moc"
