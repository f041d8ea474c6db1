#include <QtTest>
#include <memory>

#include "CTavDriveMap.h"
#include "CTavRegistryFile.h"
#include "TestDataDir.h"

using DriveType = CTavDriveMap::DriveType;

class TestDriveMap : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDataDir> m_dir;
    QList<CTavDriveMap::Volume> m_volumes;

    QString folder(const char* name) const { return m_dir->filePath(QString::fromUtf8(name)); }

private slots:
    void init()
    {
        m_dir = std::make_unique<TestDataDir>();
        for (const char* name : {"home", "card1", "card2", "disc", "work"})
            QDir().mkpath(folder(name));
        m_volumes = {{u"/"_qs, "ext4", QString(), false},
                     {folder("card2"), "exfat", u"B"_qs, true},
                     {folder("card1"), "vfat", u"KIRO"_qs, true},
                     {folder("gone"), "vfat", QString(), true},
                     {folder("disc"), "iso9660", QString(), false}};
    }
    void cleanup() { m_dir.reset(); }

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
        // Removable volumes take the free letters in the order of their mount points.
        QCOMPARE(map.driveRoots(), (QStringList{"D:\\", "E:\\", "F:\\", "G:\\", "H:\\", "Z:\\"}));
        QCOMPARE(map.folderForRoot(u"D:\\"_qs), folder("work"));
        QCOMPARE(map.driveType(u"E:\\"_qs), DriveType::CdRom);
        QCOMPARE(map.folderForRoot(u"F:\\"_qs), folder("card1"));
        QVERIFY(map.resetBinding(u'c'));
        QCOMPARE(map.folderForRoot(u"C:\\"_qs), folder("home"));
    }

    void pathsBetweenDrivesAndFolders_data()
    {
        QTest::addColumn<QString>("drivePath");
        QTest::addColumn<QString>("local"); // relative to the test folder; "" when none
        QTest::newRow("file on card") << u"E:\\DCIM\\100KIRO\\a.jpg"_qs << u"card1/DCIM/100KIRO/a.jpg"_qs;
        QTest::newRow("up and back") << u"E:\\a\\..\\b"_qs << u"card1/b"_qs;
        QTest::newRow("leaves the drive") << u"E:\\..\\card2\\x"_qs << QString();
    }
    void pathsBetweenDrivesAndFolders()
    {
        QFETCH(QString, drivePath);
        QFETCH(QString, local);
        CTavRegistryFile reg;
        CTavDriveMap map(reg);
        map.refreshWith(m_volumes, folder("home"));
        const QString expected = local.isEmpty() ? QString() : m_dir->filePath(local);
        QCOMPARE(map.toLocalPath(drivePath), expected);
        if (!expected.isEmpty())
            QCOMPARE(map.toLocalPath(map.toDrivePath(expected)), expected);
        QCOMPARE(map.rootForFolder(folder("card10")), u"Z:\\"_qs); // not inside card1
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
        QVERIFY(!map.bind(u'1', folder("work")));
        QVERIFY(!map.bind(u'D', u"relative"_qs));
        QCOMPARE(reg.valueNames(CTavDriveMap::DrivesKeyPath()), QStringList{u"E:"_qs});
        QCOMPARE(reg.valueType(CTavDriveMap::DrivesKeyPath(), u"E:"_qs), CTavRegistryFile::Type::Number);
    }
};

QTEST_GUILESS_MAIN(TestDriveMap)
#include "tst_DriveMap.moc"
