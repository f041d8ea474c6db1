#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "CTavDbClock.h"
#include "CTavDbFileStreamWriter.h"
#include "CTavDbPalmDatabase.h"
#include "CTavDbText.h"
#include "PalmTestSupport.h"

using PalmTest::be16;
using PalmTest::be32;
using PalmTest::code;
using Kind = CTavDbFileStreamWriter::Kind;

namespace {
const uint32_t kNow =
    uint32_t(QDate(1904, 1, 1).daysTo(QDate(2024, 3, 9)) * 86400 + 10 * 3600 + 20 * 60 + 30);

QByteArray content(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 4096) & 0xFF);
    return bytes;
}

QByteArray header(QByteArray name, uint32_t appInfo, const char (&type)[5], const char (&creator)[5],
                  int records)
{
    name.resize(32, '\0');
    return name + be16(0x0088) + be16(1) + be32(kNow) + be32(kNow) + be32(0) + be32(0) + be32(appInfo) +
           be32(0) + be32(code(type)) + be32(code(creator)) + be32(0) + be32(0) + be16(uint16_t(records));
}
} // namespace

class TestPalmFileStream : public QObject
{
    Q_OBJECT

private slots:
    void init() { CTavDbClock::SetFixed(QDateTime(QDate(2024, 3, 9), QTime(10, 20, 30))); }
    void cleanup() { CTavDbClock::Release(); }
    void byteForByte()
    {
        const QByteArray data = content(5000);
        CTavDbPalmDatabase db;
        QCOMPARE(CTavDbFileStreamWriter::Build(data, "/card/DCIM/photo.jpg", Kind::Picture, &db),
                 TavStatusCode::Ok);
        QByteArray expected = header("photo.jpg", 96, ".jpg", "FLDB", 2);
        expected += be32(352) + "\x40" + QByteArray("\x00\x00\x01", 3);
        expected += be32(352 + 8 + 4096) + "\x40" + QByteArray("\x00\x00\x02", 3) + be16(0);
        QByteArray appInfo = "FLDB" + be32(0x20000000) + be32(kNow) + be32(0) + "photo.jpg";
        appInfo.resize(256, '\0');
        expected += appInfo + "DBLK" + be32(4096) + data.left(4096) + "DBLK" + be32(904) + data.mid(4096);
        QCOMPARE(db.ToBytes(), expected);

        QCOMPARE(CTavDbFileStreamWriter::Build(data.left(10), "notes.txt", Kind::PlainStream, &db),
                 TavStatusCode::Ok);
        expected = header("notes", 0, "strm", "addr", 1) + be32(88) + "\x40" + QByteArray("\x00\x00\x01", 3) +
                   be16(0);
        QCOMPARE(db.ToBytes(), expected + "DBLK" + be32(10) + data.left(10));

        // Fifteen two-byte characters fit in the 31 bytes of the name; the app info keeps it whole.
        const QString name = QStringLiteral("とても長い名前の付いた写真のファイル.jpg");
        QCOMPARE(CTavDbFileStreamWriter::Build(content(3), name, Kind::Picture, &db), TavStatusCode::Ok);
        QCOMPARE(db.GetName(), name.left(15));
        QCOMPARE(db.GetAppInfo().mid(16, CTavDbText::toCp932(name).size() + 1),
                 CTavDbText::toCp932(name) + '\0');
    }

    void blocks_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<int>>("blockSizes");
        QTest::newRow("empty") << 0 << QList<int>{};
        QTest::newRow("one block") << 4096 << QList<int>{4096};
        QTest::newRow("8193 bytes, three blocks") << 8193 << QList<int>{4096, 4096, 1};
    }

    void blocks()
    {
        QFETCH(int, size);
        QFETCH(QList<int>, blockSizes);
        QTemporaryDir dir;
        const QByteArray data = content(size);
        QVERIFY(PalmTest::writeFile(dir.filePath("voice.wav"), data));
        const QString out = dir.filePath("voice.wav.pdb");
        QCOMPARE(CTavDbFileStreamWriter::Write(dir.filePath("voice.wav"), out, Kind::Sound),
                 TavStatusCode::Ok);
        CTavDbPalmDatabase db;
        QCOMPARE(db.LoadFromFile(out), TavStatusCode::Ok);
        QCOMPARE(db.GetType(), code(".wav"));
        QCOMPARE(db.GetRecordCount(), blockSizes.size());
        for (int i = 0; i < blockSizes.size(); ++i)
            QCOMPARE(db.GetRecord(i).left(8), "DBLK" + be32(uint32_t(blockSizes[i])));
        QByteArray back;
        QCOMPARE(CTavDbFileStreamWriter::ReadContent(db, &back), TavStatusCode::Ok);
        QCOMPARE(back, data);
        // Broken blocks: no tag, a size past the record, shorter than a block header.
        for (const QByteArray& bad : {"DBLX" + be32(1) + "x", "DBLK" + be32(2) + "x", QByteArray("DBLK")}) {
            QCOMPARE(db.InsertRecord(0, bad, 0x40, 0x123), TavStatusCode::Ok);
            QCOMPARE(CTavDbFileStreamWriter::ReadContent(db, &back), TavStatusCode::Corrupt);
            QCOMPARE(back, data);
            QCOMPARE(db.RemoveRecord(0), TavStatusCode::Ok);
        }
    }

    void writeFailuresLeaveNothing()
    {
        QTemporaryDir dir;
        QCOMPARE(CTavDbFileStreamWriter::Write(dir.filePath("missing.jpg"), dir.filePath("out.pdb"),
                                               Kind::Picture),
                 TavStatusCode::FileError);
        QVERIFY(PalmTest::writeFile(dir.filePath("p.jpg"), content(100)));
        QVERIFY(QDir().mkpath(dir.filePath("taken.pdb")));
        QCOMPARE(
            CTavDbFileStreamWriter::Write(dir.filePath("p.jpg"), dir.filePath("taken.pdb"), Kind::Picture),
            TavStatusCode::FileError);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"p.jpg"});
        CTavDbPalmDatabase memo;
        QCOMPARE(memo.LoadFromFile(PalmTest::palmFile("MemoDB.pdb")), TavStatusCode::Ok);
        QByteArray back;
        QCOMPARE(CTavDbFileStreamWriter::ReadContent(memo, &back), TavStatusCode::NotOurFile);
    }
};

QTEST_GUILESS_MAIN(TestPalmFileStream)
#include "tst_palmfilestream.moc"
