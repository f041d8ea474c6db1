#include <QFile>
#include <QtTest>
#include <memory>

#include "CTavOptions.h"
#include "CTavRegOption.h"
#include "CTavRegistryFile.h"
#include "TestDataDir.h"

using Type = CTavRegistryFile::Type;

namespace {
QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestRegOption : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<TestDataDir>(); }
    void cleanup() { m_dir.reset(); }

    void keyPaths()
    {
        QCOMPARE(CTavRegOption::ProductKeyPath(), QStringLiteral("SOFTWARE\\Ostrel Corporation\\Lumora"));
        QCOMPARE(CTavRegOption::OptionKeyPath(),
                 QStringLiteral("SOFTWARE\\Ostrel Corporation\\Lumora\\Option"));
    }

    // What the first start of the program reads, in its order, on a machine without settings.
    void freshMachineGetsTheDefaultsWithTheirTypes()
    {
        CTavRegOption opt;
        QCOMPARE(opt.Language(), QStringLiteral("jpJP"));
        QCOMPARE(opt.CurrentUser(), QString());
        QVERIFY(CTavOptions::instance().LoadOptions(opt));
        QCOMPARE(opt.WindowShowCmd(), 0);
        QCOMPARE(opt.ListViewerPrivate(), 0);

        CTavRegistryFile reg;
        const QString option = CTavRegOption::OptionKeyPath();
        const struct
        {
            const char* name;
            Type type;
            int32_t number;
        } expected[] = {{"CurrentUser", Type::String, 0},       {"WindowShowCmd", Type::Number, 0},
                        {"ListViewerPrivate", Type::Number, 0}, {"FKDrive", Type::String, 0},
                        {"CheckDelete", Type::Number, 1},       {"CheckBackup", Type::Number, 1}};
        for (const auto& e : expected) {
            const QString name = QString::fromLatin1(e.name);
            QCOMPARE(reg.valueType(option, name), e.type);
            if (e.type == Type::Number) {
                int32_t n = -1;
                QVERIFY(reg.readNumber(option, name, &n));
                QCOMPARE(n, e.number);
            } else {
                QString s = QStringLiteral("x");
                QVERIFY(reg.readString(option, name, &s));
                QVERIFY(s.isEmpty());
            }
        }
        QCOMPARE(reg.valueNames(option).size(), 6);
        QString language = QStringLiteral("x");
        QVERIFY(reg.readString(CTavRegOption::ProductKeyPath(), QStringLiteral("language"), &language));
        QVERIFY(language.isEmpty());
        QCOMPARE(CTavOptions::instance().FlekDrive(), QString());
        QCOMPARE(CTavOptions::instance().CheckDelete(), 1);
        QCOMPARE(CTavOptions::instance().CheckBackup(), 1);
    }

    void storedValuesWinOverDefaults()
    {
        CTavRegOption opt;
        QCOMPARE(opt.WriteNumber(QStringLiteral("CheckDelete"), 0), 1);
        int32_t n = -1;
        QCOMPARE(opt.ReadNumber(QStringLiteral("CheckDelete"), n, 1), 1);
        QCOMPARE(n, 0);
        QVERIFY(opt.SetCurrentUser(QStringLiteral("山田")));
        QString s;
        QCOMPARE(opt.ReadString(QStringLiteral("CurrentUser"), s, QStringLiteral("default")), 1);
        QCOMPARE(s, QStringLiteral("山田"));
    }

    void valueOfTheOtherTypeFailsAndStays_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("storedAsString");
        QTest::newRow("WindowShowCmd as string") << QStringLiteral("WindowShowCmd") << true;
        QTest::newRow("CurrentUser as number") << QStringLiteral("CurrentUser") << false;
    }
    void valueOfTheOtherTypeFailsAndStays()
    {
        QFETCH(QString, name);
        QFETCH(bool, storedAsString);
        CTavRegistryFile reg;
        CTavRegOption opt(reg);
        const QString key = CTavRegOption::OptionKeyPath();
        QVERIFY(storedAsString ? reg.writeString(key, name, QStringLiteral("1"))
                               : reg.writeNumber(key, name, 1));
        const QByteArray before = readAll(reg.path());

        QString s = QStringLiteral("stale");
        int32_t n = 99;
        if (storedAsString) {
            QCOMPARE(opt.ReadNumber(name, n, 5), 0);
            QCOMPARE(n, 0);
            QCOMPARE(opt.WriteNumber(name, 1), 0);
        } else {
            QCOMPARE(opt.ReadString(name, s, QStringLiteral("def")), 0);
            QCOMPARE(s, QString());
            QCOMPARE(opt.WriteString(name, QStringLiteral("E:\\")), 0);
        }
        QCOMPARE(readAll(reg.path()), before);
    }

    void windowStateAsStringIsShownNormallyAndNotOverwritten()
    {
        CTavRegistryFile reg;
        QVERIFY(reg.writeString(CTavRegOption::OptionKeyPath(), QStringLiteral("WindowShowCmd"),
                                QStringLiteral("1")));
        CTavRegOption opt(reg);
        QCOMPARE(opt.WindowShowCmd(), 0);
        QVERIFY(!opt.SetWindowShowCmd(1));
        QCOMPARE(reg.valueType(CTavRegOption::OptionKeyPath(), QStringLiteral("WindowShowCmd")),
                 Type::String);
    }

    // The caller's buffer holds 255 bytes of code page 932 and the terminator.
    void readStringKeepsTheBufferBound_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("fits");
        QTest::newRow("255 ascii") << QString(255, u'a') << true;
        QTest::newRow("256 ascii") << QString(256, u'a') << false;
        QTest::newRow("128 kanji") << QString(128, u'漢') << false;
    }
    void readStringKeepsTheBufferBound()
    {
        QFETCH(QString, value);
        QFETCH(bool, fits);
        CTavRegOption opt;
        QCOMPARE(opt.WriteString(QStringLiteral("CurrentUser"), value), 1);
        QString out = QStringLiteral("stale");
        QCOMPARE(opt.ReadString(QStringLiteral("CurrentUser"), out, QString()), fits ? 1 : 0);
        QCOMPARE(out, fits ? value : QString());
        QString peeked;
        QCOMPARE(opt.PeekString(QStringLiteral("CurrentUser"), &peeked), fits);
    }

    void emptyNameFailsWithoutWriting()
    {
        CTavRegOption opt;
        QString s;
        int32_t n = 5;
        QCOMPARE(opt.ReadString(QString(), s, QStringLiteral("x")), 0);
        QCOMPARE(opt.ReadNumber(QString(), n, 1), 0);
        QCOMPARE(n, 0);
        QCOMPARE(opt.WriteNumber(QString(), 1), 0);
        QVERIFY(!QFile::exists(opt.registry().path()));
    }

    void language_data()
    {
        QTest::addColumn<int>("stored"); // 0 missing, 1 string, 2 number
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("result");
        QTest::newRow("missing") << 0 << QString() << QStringLiteral("jpJP") << 0;
        QTest::newRow("empty") << 1 << QString() << QStringLiteral("jpJP") << 0;
        QTest::newRow("set") << 1 << QStringLiteral("enUS") << QStringLiteral("enUS") << 1;
        QTest::newRow("number") << 2 << QString() << QStringLiteral("jpJP") << 0;
    }
    void language()
    {
        QFETCH(int, stored);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(int, result);
        CTavRegistryFile reg;
        const QString product = CTavRegOption::ProductKeyPath();
        if (stored == 1)
            QVERIFY(reg.writeString(product, QStringLiteral("language"), text));
        if (stored == 2)
            QVERIFY(reg.writeNumber(product, QStringLiteral("language"), 411));
        CTavRegOption opt(reg);
        QString out;
        QCOMPARE(opt.ReadLanguage(QStringLiteral("language"), out, QStringLiteral("jpJP")), result);
        QCOMPARE(out, expected);
        QCOMPARE(reg.valueType(product, QStringLiteral("language")),
                 stored == 2 ? Type::Number : Type::String);
        QVERIFY(!reg.keyExists(CTavRegOption::OptionKeyPath()));
    }

    void windowPlacementRoundTrip()
    {
        const CTavRegOption::WindowPos pos = CTavRegOption::WindowPos::fromRect(QRect(-8, 10, 1024, 700));
        QCOMPARE(pos.right, 1016);
        QCOMPARE(pos.bottom, 710);
        {
            CTavRegOption opt;
            QVERIFY(opt.SetWindowPosition(pos));
            QVERIFY(opt.SetToolBarHidden(true));
            QVERIFY(opt.SetStatusBarHidden(false));
            QVERIFY(opt.SetListViewerPrivate(2));
        }
        CTavRegOption opt;
        QCOMPARE(opt.WindowPosition(), pos);
        QCOMPARE(opt.WindowPosition().toRect(), QRect(-8, 10, 1024, 700));
        QVERIFY(opt.ToolBarHidden());
        QVERIFY(!opt.StatusBarHidden());
        QCOMPARE(opt.ListViewerPrivate(), 2);
    }

    void loadOptionsResetRule_data()
    {
        QTest::addColumn<QString>("drive");
        QTest::addColumn<bool>("checkDeleteAsString");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("drive root") << QStringLiteral("E:\\") << false << true;
        QTest::newRow("empty drive") << QString() << false << true;
        QTest::newRow("four characters") << QStringLiteral("E:\\x") << false << false;
        QTest::newRow("two kanji") << QStringLiteral("漢字") << false << false;
        QTest::newRow("wrong type elsewhere") << QStringLiteral("E:\\") << true << false;
    }
    void loadOptionsResetRule()
    {
        QFETCH(QString, drive);
        QFETCH(bool, checkDeleteAsString);
        QFETCH(bool, loaded);
        CTavRegistryFile reg;
        CTavRegOption opt(reg);
        QVERIFY(opt.SetFKDrive(drive));
        QVERIFY(opt.SetCheckBackup(0));
        if (checkDeleteAsString)
            QVERIFY(reg.writeString(CTavRegOption::OptionKeyPath(), QStringLiteral("CheckDelete"),
                                    QStringLiteral("0")));
        else
            QVERIFY(opt.SetCheckDelete(0));
        const QByteArray before = readAll(reg.path());

        CTavOptions options;
        QVERIFY(options.SetFlekDrive(QStringLiteral("F:\\")));
        options.SetCheckDelete(7);
        QCOMPARE(options.LoadOptions(opt), loaded);
        QCOMPARE(options.FlekDrive(), loaded ? drive : QString());
        QCOMPARE(options.CheckDelete(), loaded ? 0 : 1);
        QCOMPARE(options.CheckBackup(), loaded ? 0 : 1);
        QCOMPARE(readAll(reg.path()), before);
    }

    void flekDriveSetterKeepsTheBound()
    {
        CTavOptions options;
        QVERIFY(options.SetFlekDrive(QStringLiteral("e:\\")));
        QVERIFY(!options.SetFlekDrive(QStringLiteral("E:\\\\")));
        QCOMPARE(options.FlekDrive(), QStringLiteral("e:\\"));
    }

    // A damaged settings file: start-up goes on with the defaults and the file is kept aside.
    void damagedFileGivesDefaults()
    {
        CTavRegistryFile reg;
        QDir().mkpath(QFileInfo(reg.path()).absolutePath());
        QFile file(reg.path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[SOFTWARE\\Ostrel Corporation\\Lumora\\Option]\n\"CurrentUser\"=string:\"Tar");
        file.close();
        CTavRegOption opt(reg);
        QCOMPARE(opt.Language(), QStringLiteral("jpJP"));
        QCOMPARE(opt.CurrentUser(), QString());
        CTavOptions options;
        QVERIFY(options.LoadOptions(opt));
        QCOMPARE(options.CheckDelete(), 1);
        QVERIFY(readAll(reg.path() + QStringLiteral(".bad")).endsWith("\"Tar"));
    }

private:
    std::unique_ptr<TestDataDir> m_dir;
};

QTEST_GUILESS_MAIN(TestRegOption)
#include "tst_RegOption.moc"
