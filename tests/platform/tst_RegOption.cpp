#include <QtTest>

#include "CTavOptions.h"
#include "CTavRegOption.h"
#include "CTavRegistryFile.h"
#include "TestDataDir.h"

class TestRegOption : public QObject
{
    Q_OBJECT

private slots:
    // A value stored with the other type fails to read, refuses writes and stays as it is; the
    // options then load all their defaults.
    void valueOfTheOtherTypeFailsAndStays()
    {
        TestDataDir dir;
        CTavRegistryFile reg;
        CTavRegOption opt(reg);
        QVERIFY(reg.writeString(CTavRegOption::OptionKeyPath(), u"WindowShowCmd"_qs, u"1"_qs));
        QVERIFY(reg.writeNumber(CTavRegOption::OptionKeyPath(), u"CurrentUser"_qs, 1));
        QVERIFY(reg.writeNumber(CTavRegOption::ProductKeyPath(), u"language"_qs, 411));
        QVERIFY(opt.SetFKDrive(u"E:\\"_qs) && opt.SetCheckBackup(0));
        QVERIFY(reg.writeString(CTavRegOption::OptionKeyPath(), u"CheckDelete"_qs, u"0"_qs));
        const QByteArray before = TestDataDir::ReadFile(reg.path());
        int32_t n = 99;
        QCOMPARE(opt.ReadNumber(u"WindowShowCmd"_qs, n, 5), 0);
        QCOMPARE(n, 0);
        QVERIFY(!opt.SetWindowShowCmd(1));
        QString s = u"stale"_qs;
        QCOMPARE(opt.ReadString(u"CurrentUser"_qs, s, u"def"_qs), 0);
        QCOMPARE(s, QString());
        QCOMPARE(opt.WriteString(u"CurrentUser"_qs, u"E:\\"_qs), 0);
        QCOMPARE(opt.ReadLanguage(u"language"_qs, s, u"jpJP"_qs), 0);
        QCOMPARE(s, u"jpJP"_qs);
        CTavOptions options;
        options.SetCheckDelete(7);
        QVERIFY(!options.LoadOptions(opt));
        QCOMPARE(options.FlekDrive(), QString());
        QCOMPARE(options.CheckDelete(), 1);
        QCOMPARE(options.CheckBackup(), 1);
        QCOMPARE(TestDataDir::ReadFile(reg.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestRegOption)
#include "tst_RegOption.moc"
