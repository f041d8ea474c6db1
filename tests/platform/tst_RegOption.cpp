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

    // The first start on a machine without settings stores the defaults with their types.
    void freshMachineGetsTheDefaultsWithTheirTypes()
    {
        CTavRegOption opt;
        QCOMPARE(opt.Language(), u"jpJP"_qs);
        QCOMPARE(opt.CurrentUser(), QString());
        QVERIFY(CTavOptions::instance().LoadOptions(opt));
        QCOMPARE(opt.WindowShowCmd(), 0);
        QCOMPARE(opt.ListViewerPrivate(), 0);
        CTavRegistryFile reg;
        const QString option = CTavRegOption::OptionKeyPath();
        QCOMPARE(reg.valueNames(option).size(), 6);
        QCOMPARE(reg.valueType(option, u"CurrentUser"_qs), Type::String);
        QCOMPARE(reg.valueType(option, u"FKDrive"_qs), Type::String);
        int32_t n = -1;
        QVERIFY(reg.readNumber(option, u"CheckDelete"_qs, &n));
        QCOMPARE(n, 1);
        QCOMPARE(CTavOptions::instance().CheckBackup(), 1);
    }

    void valueOfTheOtherTypeFailsAndStays_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("storedAsString");
        QTest::newRow("WindowShowCmd as string") << u"WindowShowCmd"_qs << true;
        QTest::newRow("CurrentUser as number") << u"CurrentUser"_qs << false;
    }
    void valueOfTheOtherTypeFailsAndStays()
    {
        QFETCH(QString, name);
        QFETCH(bool, storedAsString);
        CTavRegistryFile reg;
        CTavRegOption opt(reg);
        const QString key = CTavRegOption::OptionKeyPath();
        QVERIFY(storedAsString ? reg.writeString(key, name, u"1"_qs) : reg.writeNumber(key, name, 1));
        const QByteArray before = readAll(reg.path());
        QString s = u"stale"_qs;
        int32_t n = 99;
        if (storedAsString) {
            QCOMPARE(opt.ReadNumber(name, n, 5), 0);
            QCOMPARE(n, 0);
            QCOMPARE(opt.WindowShowCmd(), 0);
            QVERIFY(!opt.SetWindowShowCmd(1));
        } else {
            QCOMPARE(opt.ReadString(name, s, u"def"_qs), 0);
            QCOMPARE(s, QString());
            QCOMPARE(opt.WriteString(name, u"E:\\"_qs), 0);
        }
        QCOMPARE(readAll(reg.path()), before);
    }

    // The caller's buffer holds 255 bytes of code page 932 and the terminator.
    void readStringKeepsTheBufferBound_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("fits");
        QTest::newRow("255 ascii") << QString(255, u'a') << true;
        QTest::newRow("256 ascii") << QString(256, u'a') << false;
        QTest::newRow("127 kanji and one ascii") << QString(127, u'漢') + u'a' << true;
        QTest::newRow("128 kanji") << QString(128, u'漢') << false;
    }
    void readStringKeepsTheBufferBound()
    {
        QFETCH(QString, value);
        QFETCH(bool, fits);
        CTavRegOption opt;
        QCOMPARE(opt.WriteString(u"CurrentUser"_qs, value), 1);
        QString out = u"stale"_qs;
        QCOMPARE(opt.ReadString(u"CurrentUser"_qs, out, QString()), fits ? 1 : 0);
        QCOMPARE(out, fits ? value : QString());
        QString peeked;
        QCOMPARE(opt.PeekString(u"CurrentUser"_qs, &peeked), fits);
    }

    // The language is the product key's string; a missing, empty or numeric one gives the default.
    void language()
    {
        CTavRegistryFile reg;
        CTavRegOption opt(reg);
        const QString product = CTavRegOption::ProductKeyPath();
        QString out;
        QVERIFY(reg.writeNumber(product, u"language"_qs, 411));
        QCOMPARE(opt.ReadLanguage(u"language"_qs, out, u"jpJP"_qs), 0);
        QCOMPARE(out, u"jpJP"_qs);
        QCOMPARE(reg.valueType(product, u"language"_qs), Type::Number);
        QVERIFY(reg.deleteValue(product, u"language"_qs));
        QCOMPARE(opt.ReadLanguage(u"language"_qs, out, u"jpJP"_qs), 0);
        QCOMPARE(reg.valueType(product, u"language"_qs), Type::String);
        QVERIFY(reg.writeString(product, u"language"_qs, u"enUS"_qs));
        QCOMPARE(opt.ReadLanguage(u"language"_qs, out, u"jpJP"_qs), 1);
        QCOMPARE(out, u"enUS"_qs);
        QVERIFY(!reg.keyExists(CTavRegOption::OptionKeyPath()));
    }

    void windowPlacementRoundTrip()
    {
        const QRect rect(-8, 10, 1024, 700);
        QVERIFY(CTavRegOption().SetWindowPosition(CTavRegOption::WindowPos::fromRect(rect)));
        QCOMPARE(CTavRegOption().WindowPosition().toRect(), rect);
    }

    void loadOptionsResetRule_data()
    {
        QTest::addColumn<QString>("drive");
        QTest::addColumn<bool>("checkDeleteAsString");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("drive root") << u"E:\\"_qs << false << true;
        QTest::newRow("empty drive") << QString() << false << true;
        QTest::newRow("four characters") << u"E:\\x"_qs << false << false;
        QTest::newRow("two kanji") << u"漢字"_qs << false << false;
        QTest::newRow("wrong type elsewhere") << u"E:\\"_qs << true << false;
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
            QVERIFY(reg.writeString(CTavRegOption::OptionKeyPath(), u"CheckDelete"_qs, u"0"_qs));
        else
            QVERIFY(opt.SetCheckDelete(0));
        const QByteArray before = readAll(reg.path());

        CTavOptions options;
        QVERIFY(options.SetFlekDrive(u"F:\\"_qs));
        QVERIFY(!options.SetFlekDrive(u"E:\\\\"_qs));
        options.SetCheckDelete(7);
        QCOMPARE(options.LoadOptions(opt), loaded);
        QCOMPARE(options.FlekDrive(), loaded ? drive : QString());
        QCOMPARE(options.CheckDelete(), loaded ? 0 : 1);
        QCOMPARE(options.CheckBackup(), loaded ? 0 : 1);
        QCOMPARE(readAll(reg.path()), before);
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
        QCOMPARE(opt.CurrentUser(), QString());
        CTavOptions options;
        QVERIFY(options.LoadOptions(opt));
        QCOMPARE(options.CheckDelete(), 1);
        QVERIFY(readAll(reg.path() + u".bad"_qs).endsWith("\"Tar"));
    }

private:
    std::unique_ptr<TestDataDir> m_dir;
};

QTEST_GUILESS_MAIN(TestRegOption)
#include "tst_RegOption.moc"
