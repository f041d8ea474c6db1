#include <QSignalSpy>
#include <QtTest>

#include "CTavContentScan.h"
#include "CTavContentThumbnail.h"
#include "CTavDriveMap.h"
#include "CTavRegistryFile.h"
#include "CTavThumbnailQueue.h"
#include "FakeCard.h"
#include "TestDataDir.h"

using Kind = TavContentKind;
using Status = CTavContentThumbnail::Status;

// The card reader on a card laid out in a temporary folder and bound to a drive letter.
class TestContentScan : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDataDir> m_dir;
    QString m_card;

private slots:
    void initTestCase()
    {
        m_dir = std::make_unique<TestDataDir>();
        m_card = m_dir->filePath(QStringLiteral("card"));
        QVERIFY(FakeCard::make(m_card));
    }

    void dcfFolderNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("first") << "100FKDCF" << true;
        QTest::newRow("last") << "999FKDCF" << true;
        QTest::newRow("lower case suffix") << "123fkdcf" << true;
        QTest::newRow("number below 100") << "099FKDCF" << false;
        QTest::newRow("two digits") << "10FKDCF" << false;
        QTest::newRow("two digits, padded") << "10XFKDCF" << false;
        QTest::newRow("nine characters") << "1000FKDCF" << false;
        QTest::newRow("other maker") << "100CANON" << false;
        QTest::newRow("digit in the suffix") << "100FKDC1" << false;
        QTest::newRow("empty") << "" << false;
    }
    void dcfFolderNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QCOMPARE(CTavContentScan::IsDcfFolder(name), accepted);
        QCOMPARE(CTavContentScan::KindOnCard(u"DCIM\\"_qs + name, u"P1.JPG"_qs) == Kind::Picture, accepted);
    }

    void kindsByLocation_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("file");
        QTest::addColumn<Kind>("kind");
        QTest::newRow("picture folder") << "PALM\\IMAGES"
                                        << "a.jpg" << Kind::Picture;
        QTest::newRow("capitals, slashes") << "palm/images"
                                           << "B.JPEG" << Kind::Picture;
        QTest::newRow("no picture there") << "PALM\\IMAGES"
                                          << "a.wav" << Kind::None;
        QTest::newRow("sound") << "PALM\\PROGRAMS\\FKSOUND"
                               << "Voice.Wav" << Kind::Sound;
        QTest::newRow("picture in sound folder") << "PALM\\PROGRAMS\\FKSOUND"
                                                 << "a.jpg" << Kind::None;
        QTest::newRow("movie") << "MQ_ROOT\\100MQV01"
                               << "CLIP.MQV" << Kind::Movie;
        QTest::newRow("other movie folder") << "MQ_ROOT\\101MQV01"
                                            << "CLIP.MQV" << Kind::None;
        QTest::newRow("DCIM itself") << "DCIM"
                                     << "x.jpg" << Kind::None;
        QTest::newRow("nested DCF") << "DCIM\\100FKDCF\\100FKDCF"
                                    << "x.jpg" << Kind::None;
    }
    void kindsByLocation()
    {
        QFETCH(QString, folder);
        QFETCH(QString, file);
        QFETCH(Kind, kind);
        QCOMPARE(CTavContentScan::KindOnCard(folder, file), kind);
    }

    void cardThroughDriveLetter()
    {
        CTavRegistryFile reg(m_dir->filePath(QStringLiteral("Lumora.reg")));
        CTavDriveMap drives(reg);
        QVERIFY(drives.bind(u'K', m_card));
        QVERIFY(drives.isUsable(u"k:"_qs));

        CTavContentScan::Result scan = CTavContentScan::Card(drives, u"k:"_qs);
        QVERIFY(scan.ok());
        QStringList paths, locals;
        QList<Kind> kinds;
        for (const auto& item : scan.items) {
            paths << item.path;
            locals << item.localPath;
            kinds << item.kind;
        }
        QStringList expected;
        for (const QString& file : FakeCard::listed())
            expected << u"K:\\"_qs + QString(file).replace(u'/', u'\\');
        QCOMPARE(paths, expected);
        QCOMPARE(locals.first(), QDir(m_card).filePath(FakeCard::listed().first()));
        QCOMPARE(kinds, QList<Kind>({Kind::Picture, Kind::Picture, Kind::Picture, Kind::Picture,
                                     Kind::Picture, Kind::Picture, Kind::Sound, Kind::Movie}));
        QCOMPARE(scan.items[6].size, 8193);

        // An unbound letter is a failure naming the drive; the PC side reads one folder.
        scan = CTavContentScan::Card(drives, u"L:\\"_qs);
        QCOMPARE(scan.failedFolder, u"L:\\"_qs);
        QVERIFY(scan.items.isEmpty());
        scan = CTavContentScan::Folder(QDir(m_card).filePath(u"PALM/IMAGES"_qs));
        QCOMPARE(scan.items.size(), 2);
        QCOMPARE(scan.items[1].path, QDir(m_card).filePath(u"PALM/IMAGES/B.JPEG"_qs));

        // A folder that cannot be listed ends the scan there; what came before stays.
        const QString locked = QDir(m_card).filePath(u"DCIM/101fkdcf"_qs);
        QFile::setPermissions(locked, QFileDevice::WriteOwner);
        if (QFileInfo(locked).isReadable()) {
            QFile::setPermissions(locked,
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QSKIP("running with rights that read any folder");
        }
        scan = CTavContentScan::Card(drives, u"K:\\"_qs);
        QFile::setPermissions(locked,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(scan.failedFolder, u"K:\\DCIM\\101fkdcf"_qs);
        QCOMPARE(scan.items.size(), 4);
        const QString dcim = QDir(m_card).filePath(u"DCIM"_qs);
        QFile::setPermissions(dcim, QFileDevice::WriteOwner);
        scan = CTavContentScan::Card(drives, u"K:\\"_qs);
        QFile::setPermissions(dcim, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(scan.failedFolder, u"K:\\DCIM"_qs);
        QCOMPARE(scan.items.size(), 2); // the handheld's own pictures folder comes first
        // A folder on the way to one (PALM) that cannot be read is named, not taken as missing.
        const QString palm = QDir(m_card).filePath(u"PALM"_qs);
        QFile::setPermissions(palm, QFileDevice::WriteOwner);
        scan = CTavContentScan::Card(drives, u"K:\\"_qs);
        QFile::setPermissions(palm, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(scan.failedFolder, u"K:\\PALM"_qs);
    }

    void thumbnailsOnWorkers()
    {
        const QSize box(80, 60);
        const QDir card(m_card);
        auto make = [&](const char* file, Kind kind) {
            return CTavContentThumbnail::Make(card.filePath(QString::fromLatin1(file)), kind, box);
        };
        // 640 x 480 decodes at a quarter and is scaled into the box; pictures keep their colour.
        CTavContentThumbnail::Result result = make("DCIM/100FKDCF/P1000001.JPG", Kind::Picture);
        QCOMPARE(result.status, Status::Made);
        QCOMPARE(result.image.size(), box);
        QVERIFY(result.image.pixelColor(40, 30).blue() > 200);
        QCOMPARE(make("DCIM/100FKDCF/BROKEN.JPG", Kind::Picture).status, Status::Broken);
        QCOMPARE(make("DCIM/100FKDCF/GONE.JPG", Kind::Picture).status, Status::Broken);
        QCOMPARE(make("PALM/PROGRAMS/FKSOUND/VOICE.WAV", Kind::Sound).status, Status::NoPicture);
        QVERIFY(make("MQ_ROOT/100MQV01/CLIP.MQV", Kind::Movie).status != Status::Made);

        // Every job comes back once, on this thread; a pass started again drops the old one.
        QList<CTavThumbnailQueue::Job> jobs;
        for (const QString& file : FakeCard::listed())
            jobs.append({card.filePath(file), CTavContentScan::KindOf(file)});
        CTavThumbnailQueue queue(box, 2);
        QMap<int, Status> seen;
        connect(&queue, &CTavThumbnailQueue::made, this, [&](int index, const QImage&, Status status) {
            QCOMPARE(QThread::currentThread(), thread());
            QVERIFY(!seen.contains(index));
            seen.insert(index, status);
        });
        QSignalSpy finished(&queue, &CTavThumbnailQueue::finished);
        queue.Start(jobs.mid(0, 3));
        queue.Start(jobs);
        QVERIFY(queue.IsRunning());
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(seen.size(), jobs.size());
        QCOMPARE(seen.value(2), Status::Broken);
        QCOMPARE(seen.value(3), Status::Made);
        QCOMPARE(seen.value(6), Status::NoPicture);

        // Cancelled: nothing more is delivered.
        seen.clear();
        queue.Start(jobs);
        queue.Cancel();
        QTest::qWait(50);
        QVERIFY(seen.isEmpty());
        QVERIFY(!queue.IsRunning());
    }
};

QTEST_MAIN(TestContentScan)
#include "tst_contentscan.moc"
