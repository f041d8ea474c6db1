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
        m_volumes = {{QStringLiteral("/"), "ext4", QString(), false},
                     {folder("card2"), "exfat", QStringLiteral("B"), true},
                     {folder("card1"), "vfat", QStringLiteral("KIRO"), true},
                     {folder("gone"), "vfat", QString(), true},
                     {folder("disc"), "iso9660", QString(), false},
                     {folder("share"), "nfs4", QString(), false},
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
        QCOMPARE(map.folderForRoot(QStringLiteral("C:\\")), folder("home"));
        QCOMPARE(map.folderForRoot(QStringLiteral("e:")), folder("card1"));
        QCOMPARE(map.folderForRoot(QStringLiteral("G:\\")), folder("gone"));
        QCOMPARE(map.folderForRoot(QStringLiteral("Z:\\")), QStringLiteral("/"));
        QCOMPARE(map.driveType(QStringLiteral("C:\\")), DriveType::Fixed);
        QCOMPARE(map.driveType(QStringLiteral("E:\\")), DriveType::Removable);
        QCOMPARE(map.driveType(QStringLiteral("G:\\")), DriveType::NoRootDir);
        QCOMPARE(map.driveType(QStringLiteral("D:\\")), DriveType::NoRootDir);
        QCOMPARE(map.driveType(QStringLiteral("nonsense")), DriveType::Unknown);
        // A drive box offers only drives with a root directory.
        QCOMPARE(map.availableRoots(), (QStringList{"C:\\", "E:\\", "F:\\", "Z:\\"}));
        QCOMPARE(map.drives().at(1).label, QStringLiteral("KIRO"));
        QVERIFY(!QFile::exists(reg.path())); // looking stores nothing
    }

    void userBindingsPersistAndWin()
    {
        CTavRegistryFile reg;
        {
            CTavDriveMap map(reg);
            map.refreshWith(m_volumes, folder("home"));
            QVERIFY(map.bind(u'd', folder("work") + QStringLiteral("/")));
            QVERIFY(map.bind(u'E', folder("disc")));
            QVERIFY(map.unbind(u'C'));
        }
        CTavDriveMap map(reg);
        map.refreshWith(m_volumes, folder("home"));
        QCOMPARE(map.driveRoots(), (QStringList{"D:\\", "E:\\", "F:\\", "G:\\", "H:\\", "Z:\\"}));
        QCOMPARE(map.folderForRoot(QStringLiteral("D:\\")), folder("work"));
        QCOMPARE(map.driveType(QStringLiteral("E:\\")), DriveType::CdRom);
        QVERIFY(map.drives().at(1).userBound);
        QCOMPARE(map.folderForRoot(QStringLiteral("F:\\")), folder("card1"));
        QVERIFY(map.resetBinding(u'c'));
        QCOMPARE(map.folderForRoot(QStringLiteral("C:\\")), folder("home"));
        QString stored;
        QVERIFY(reg.readString(CTavDriveMap::DrivesKeyPath(), QStringLiteral("D:"), &stored));
        QCOMPARE(stored, folder("work"));
    }

    void volumeTypes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<DriveType>("type");
        QTest::newRow("disc") << "disc" << DriveType::CdRom;
        QTest::newRow("network") << "share" << DriveType::Remote;
        QTest::newRow("memory") << "ram" << DriveType::RamDisk;
        QTest::newRow("plain folder") << "work" << DriveType::Fixed;
        QTest::newRow("below a card") << "card2/DCIM" << DriveType::Removable;
        QTest::newRow("missing folder") << "nowhere" << DriveType::NoRootDir;
    }
    void volumeTypes()
    {
        QFETCH(QString, name);
        QFETCH(DriveType, type);
        QDir().mkpath(folder("card2/DCIM"));
        CTavRegistryFile reg;
        CTavDriveMap map(reg);
        map.refreshWith(m_volumes, folder("home"));
        QVERIFY(map.bind(u'R', folder(name.toUtf8().constData())));
        QCOMPARE(map.driveType(QStringLiteral("R:")), type);
    }

    void pathsBetweenDrivesAndFolders_data()
    {
        QTest::addColumn<QString>("drivePath");
        QTest::addColumn<QString>("local"); // relative to the test folder; "" when none
        QTest::newRow("file on card") << "E:\\DCIM\\100KIRO\\a.jpg"
                                      << "card1/DCIM/100KIRO/a.jpg";
        QTest::newRow("root") << "E:\\"
                              << "card1";
        QTest::newRow("home") << "C:\\notes.txt"
                              << "home/notes.txt";
        QTest::newRow("up and back") << "E:\\a\\..\\b"
                                     << "card1/b";
        QTest::newRow("leaves the drive") << "E:\\..\\card2\\x"
                                          << "";
        QTest::newRow("leaves deeper") << "E:\\a\\..\\..\\x"
                                       << "";
        QTest::newRow("unbound letter") << "Q:\\x"
                                        << "";
        QTest::newRow("relative on drive") << "E:x"
                                           << "";
        QTest::newRow("no letter") << "\\x"
                                   << "";
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
    }

    void folderToDrive()
    {
        CTavRegistryFile reg;
        CTavDriveMap map(reg);
        map.refreshWith(m_volumes, folder("home"));
        QCOMPARE(map.toDrivePath(folder("card1") + QStringLiteral("/DCIM/a.jpg")),
                 QStringLiteral("E:\\DCIM\\a.jpg"));
        QCOMPARE(map.toDrivePath(folder("card1")), QStringLiteral("E:\\"));
        QCOMPARE(map.rootForFolder(folder("card10")), QStringLiteral("Z:\\")); // not inside card1
        QCOMPARE(map.toDrivePath(QStringLiteral("/etc/hosts")), QStringLiteral("Z:\\etc\\hosts"));
        QCOMPARE(map.toDrivePath(QStringLiteral("relative/x")), QString());
    }

    void letters_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QChar>("letter");
        QTest::newRow("root") << "E:\\" << QChar(u'E');
        QTest::newRow("lower") << "e:" << QChar(u'E');
        QTest::newRow("slash") << "z:/" << QChar(u'Z');
        QTest::newRow("too long") << "E:\\x" << QChar();
        QTest::newRow("no colon") << "E\\" << QChar();
        QTest::newRow("digit") << "1:\\" << QChar();
        QTest::newRow("full-width") << "Ｅ:\\" << QChar();
        QTest::newRow("empty") << "" << QChar();
    }
    void letters()
    {
        QFETCH(QString, root);
        QFETCH(QChar, letter);
        QCOMPARE(CTavDriveMap::letterOf(root), letter);
    }

    void refusedBindingsChangeNothing()
    {
        CTavRegistryFile reg;
        QVERIFY(reg.writeNumber(CTavDriveMap::DrivesKeyPath(), QStringLiteral("E:"), 5));
        CTavDriveMap map(reg);
        map.refreshWith(m_volumes, folder("home"));
        // A stored value of the wrong type is ignored, and never overwritten.
        QCOMPARE(map.folderForRoot(QStringLiteral("E:")), folder("card1"));
        QVERIFY(!map.bind(u'E', folder("work")));
        QCOMPARE(reg.valueType(CTavDriveMap::DrivesKeyPath(), QStringLiteral("E:")),
                 CTavRegistryFile::Type::Number);
        QVERIFY(!map.bind(u'1', folder("work")));
        QVERIFY(!map.bind(u'D', QStringLiteral("relative")));
        QVERIFY(!map.unbind(QChar()));
        QCOMPARE(reg.valueNames(CTavDriveMap::DrivesKeyPath()), QStringList{QStringLiteral("E:")});
    }

private:
    QString folder(const char* name) const { return m_dir->filePath(QString::fromUtf8(name)); }

    std::unique_ptr<TestDataDir> m_dir;
    QList<CTavDriveMap::Volume> m_volumes;
};

QTEST_GUILESS_MAIN(TestDriveMap)
#include "tst_DriveMap.moc"
