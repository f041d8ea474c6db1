#include <QtTest>
#include <memory>

#include "CTavDriveMap.h"
#include "CTavRegistryFile.h"
#include "TestDataDir.h"

using DriveType = CTavDriveMap::DriveType;

class TestDriveMap : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<TestDataDir>();
        for (const char* name : {"home", "card1", "card2", "disc", "share", "ram", "work"})
            QDir().mkpath(folder(name));
        m_volumes = {
            {u"/"_qs, "ext4", QString(), false},           {folder("card2"), "exfat", u"B"_qs, true},
            {folder("card1"), "vfat", u"KIRO"_qs, true},   {folder("gone"), "vfat", QString(), true},
            {folder("disc"), "iso9660", QString(), false}, {folder("share"), "nfs4", QString(), false},
            {folder("ram"), "tmpfs", QString(), false}};
    }
    void cleanup() { m_dir.reset(); }

    void defaultBindings()
    {
        CTavRegistryFile reg;
        CTavDriveMap map(reg);
        map.refreshWith(m_volumes, folder("home"));
        // Removable volumes take letters in the order of their mount points.
        QCOMPARE(map.driveRoots(), (QStringList{"C:\\", "E:\\", "F:\\", "G:\\", "Z:\\"}));
        QCOMPARE(map.folderForRoot(u"C:\\"_qs), folder("home"));
        QCOMPARE(map.folderForRoot(u"e:"_qs), folder("card1"));
        QCOMPARE(map.folderForRoot(u"G:\\"_qs), folder("gone"));
        QCOMPARE(map.folderForRoot(u"Z:\\"_qs), u"/"_qs);
        QCOMPARE(map.driveType(u"E:\\"_qs), DriveType::Removable);
        QCOMPARE(map.driveType(u"G:\\"_qs), DriveType::NoRootDir);
        QCOMPARE(map.driveType(u"D:\\"_qs), DriveType::NoRootDir);
        QCOMPARE(map.driveType(u"nonsense"_qs), DriveType::Unknown);
        // A drive box offers only drives with a root directory.
        QCOMPARE(map.availableRoots(), (QStringList{"C:\\", "E:\\", "F:\\", "Z:\\"}));
        QVERIFY(!QFile::exists(reg.path())); // looking stores nothing
    }

    void userBindingsPersistAndWin()
    {
        CTavRegistryFile reg;
        {
            CTavDriveMap map(reg);
            map.refreshWith(m_volumes, folder("home"));
            QVERIFY(map.bind(u'd', folder("work") + u"/"_qs));
            QVERIFY(map.bind(u'E', folder("disc")));
            QVERIFY(map.unbind(u'C'));
        }
        CTavDriveMap map(reg);
        map.refreshWith(m_volumes, folder("home"));
        QCOMPARE(map.driveRoots(), (QStringList{"D:\\", "E:\\", "F:\\", "G:\\", "H:\\", "Z:\\"}));
        QCOMPARE(map.folderForRoot(u"D:\\"_qs), folder("work"));
        QCOMPARE(map.driveType(u"E:\\"_qs), DriveType::CdRom);
        QVERIFY(map.drives().at(1).userBound);
        QCOMPARE(map.folderForRoot(u"F:\\"_qs), folder("card1"));
        QVERIFY(map.resetBinding(u'c'));
        QCOMPARE(map.folderForRoot(u"C:\\"_qs), folder("home"));
        QString stored;
        QVERIFY(reg.readString(CTavDriveMap::DrivesKeyPath(), u"D:"_qs, &stored));
        QCOMPARE(stored, folder("work"));
    }

    void volumeTypes()
    {
        QDir().mkpath(folder("card2/DCIM"));
        CTavRegistryFile reg;
        CTavDriveMap map(reg);
        map.refreshWith(m_volumes, folder("home"));
        const auto typeOf = [&](const char* name) {
            return map.bind(u'R', folder(name)) ? map.driveType(u"R:"_qs) : DriveType::Unknown;
        };
        QCOMPARE(typeOf("disc"), DriveType::CdRom);
        QCOMPARE(typeOf("share"), DriveType::Remote);
        QCOMPARE(typeOf("ram"), DriveType::RamDisk);
        QCOMPARE(typeOf("card2/DCIM"), DriveType::Removable);
    }

    void pathsBetweenDrivesAndFolders_data()
    {
        QTest::addColumn<QString>("drivePath");
        QTest::addColumn<QString>("local"); // relative to the test folder; "" when none
        const auto row = [](const char* name, const char* drivePath, const char* local) {
            QTest::newRow(name) << QString::fromUtf8(drivePath) << QString::fromUtf8(local);
        };
        row("file on card", "E:\\DCIM\\100KIRO\\a.jpg", "card1/DCIM/100KIRO/a.jpg");
        row("root", "E:\\", "card1");
        row("up and back", "E:\\a\\..\\b", "card1/b");
        row("leaves the drive", "E:\\..\\card2\\x", "");
        row("leaves deeper", "E:\\a\\..\\..\\x", "");
        row("unbound letter", "Q:\\x", "");
        row("relative on drive", "E:x", "");
        row("no letter", "\\x", "");
    }
    void pathsBetweenDrivesAndFolders()
    {
        QFETCH(QString, drivePath);
        QFETCH(QString, local);
        CTavRegistryFile reg;
        CTavDriveMap map(reg);
        map.refreshWith(m_volumes, folder("home"));
        const QString expected = local.isEmpty() ? QString() : folder(local.toUtf8().constData());
        QCOMPARE(map.toLocalPath(drivePath), expected);
        if (!expected.isEmpty())
            QCOMPARE(map.toLocalPath(map.toDrivePath(expected)), expected);
        QCOMPARE(map.rootForFolder(folder("card10")), u"Z:\\"_qs); // not inside card1
        QCOMPARE(map.toDrivePath(u"relative/x"_qs), QString());
    }

    void refusedBindingsChangeNothing()
    {
        CTavRegistryFile reg;
        QVERIFY(reg.writeNumber(CTavDriveMap::DrivesKeyPath(), u"E:"_qs, 5));
        CTavDriveMap map(reg);
        map.refreshWith(m_volumes, folder("home"));
        // A stored value of the wrong type is ignored, and never overwritten.
        QCOMPARE(map.folderForRoot(u"E:"_qs), folder("card1"));
        QVERIFY(!map.bind(u'E', folder("work")));
        QCOMPARE(reg.valueType(CTavDriveMap::DrivesKeyPath(), u"E:"_qs), CTavRegistryFile::Type::Number);
        QVERIFY(!map.bind(u'1', folder("work")));
        QVERIFY(!map.bind(u'D', u"relative"_qs));
        QVERIFY(!map.unbind(QChar()));
        QCOMPARE(reg.valueNames(CTavDriveMap::DrivesKeyPath()), QStringList{u"E:"_qs});
    }

private:
    QString folder(const char* name) const { return m_dir->filePath(QString::fromUtf8(name)); }

    std::unique_ptr<TestDataDir> m_dir;
    QList<CTavDriveMap::Volume> m_volumes;
};

QTEST_GUILESS_MAIN(TestDriveMap)
#include "tst_DriveMap.moc"
