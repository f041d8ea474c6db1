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

class TestPalmFileStream : public QObject
{
    Q_OBJECT

private slots:
    void init() { CTavDbClock::SetFixed(QDateTime(QDate(2024, 3, 9), QTime(10, 20, 30))); }
    void cleanup() { CTavDbClock::Release(); }
    void pictureByteForByte();
    void plainStreamByteForByte();
    void blocks_data();
    void blocks();
    void longJapaneseName();
    void writeFailuresLeaveNothing();
    void brokenStreams_data();
    void brokenStreams();
};

namespace {
uint32_t pinnedPalmSeconds()
{
    return uint32_t(QDate(1904, 1, 1).daysTo(QDate(2024, 3, 9)) * 86400 + 10 * 3600 + 20 * 60 + 30);
}

QByteArray content(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 4096) & 0xFF);
    return bytes;
}

QByteArray nameField(const QByteArray& name)
{
    QByteArray field = name;
    field.resize(32, '\0');
    return field;
}

QByteArray headerFields(uint32_t appInfo, const char (&type)[5], const char (&creator)[5], int records)
{
    const uint32_t now = pinnedPalmSeconds();
    return be16(0x0088) + be16(1) + be32(now) + be32(now) + be32(0) + be32(0) + be32(appInfo) + be32(0) +
           be32(code(type)) + be32(code(creator)) + be32(0) + be32(0) + be16(uint16_t(records));
}
} // namespace

void TestPalmFileStream::pictureByteForByte()
{
    const QByteArray data = content(5000);
    CTavDbPalmDatabase db;
    QCOMPARE(CTavDbFileStreamWriter::Build(data, "/card/DCIM/photo.jpg", Kind::Picture, &db),
             TavStatusCode::Ok);

    QByteArray expected = nameField("photo.jpg") + headerFields(96, ".jpg", "FLDB", 2);
    expected += be32(352) + "\x40" + QByteArray("\x00\x00\x01", 3);
    expected += be32(352 + 8 + 4096) + "\x40" + QByteArray("\x00\x00\x02", 3);
    expected += be16(0);
    QByteArray appInfo = "FLDB" + be32(0x20000000) + be32(pinnedPalmSeconds()) + be32(0) + "photo.jpg";
    appInfo.resize(256, '\0');
    expected += appInfo;
    expected += "DBLK" + be32(4096) + data.left(4096);
    expected += "DBLK" + be32(904) + data.mid(4096);
    QCOMPARE(db.ToBytes(), expected);
}

void TestPalmFileStream::plainStreamByteForByte()
{
    const QByteArray data = content(10);
    CTavDbPalmDatabase db;
    QCOMPARE(CTavDbFileStreamWriter::Build(data, "notes.txt", Kind::PlainStream, &db), TavStatusCode::Ok);
    QByteArray expected = nameField("notes") + headerFields(0, "strm", "addr", 1);
    expected += be32(88) + "\x40" + QByteArray("\x00\x00\x01", 3) + be16(0);
    expected += "DBLK" + be32(10) + data;
    QCOMPARE(db.ToBytes(), expected);
}

void TestPalmFileStream::blocks_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<int>>("blockSizes");
    QTest::newRow("empty") << 0 << QList<int>{};
    QTest::newRow("one block") << 4096 << QList<int>{4096};
    QTest::newRow("one more") << 4097 << QList<int>{4096, 1};
    QTest::newRow("8193 bytes, three blocks") << 8193 << QList<int>{4096, 4096, 1};
}

void TestPalmFileStream::blocks()
{
    QFETCH(int, size);
    QFETCH(QList<int>, blockSizes);
    QTemporaryDir dir;
    const QByteArray data = content(size);
    QVERIFY(PalmTest::writeFile(dir.filePath("voice.wav"), data));
    const QString out = dir.filePath("voice.wav.pdb");
    QCOMPARE(CTavDbFileStreamWriter::Write(dir.filePath("voice.wav"), out, Kind::Sound), TavStatusCode::Ok);

    CTavDbPalmDatabase db;
    QCOMPARE(db.LoadFromFile(out), TavStatusCode::Ok);
    QCOMPARE(db.GetType(), code(".wav"));
    QCOMPARE(db.GetRecordCount(), blockSizes.size());
    for (int i = 0; i < blockSizes.size(); ++i) {
        const QByteArray record = db.GetRecord(i);
        QCOMPARE(record.size(), 8 + blockSizes[i]);
        QCOMPARE(record.left(8), "DBLK" + be32(uint32_t(blockSizes[i])));
    }
    QByteArray back;
    QCOMPARE(CTavDbFileStreamWriter::ReadContent(db, &back), TavStatusCode::Ok);
    QCOMPARE(back, data);
}

void TestPalmFileStream::longJapaneseName()
{
    const QString name = QStringLiteral("とても長い名前の付いた写真のファイル.jpg");
    CTavDbPalmDatabase db;
    QCOMPARE(CTavDbFileStreamWriter::Build(content(3), name, Kind::Picture, &db), TavStatusCode::Ok);
    // Fifteen two-byte characters fit in the 31 bytes; the sixteenth would split.
    QCOMPARE(db.GetName(), name.left(15));
    const QByteArray full = CTavDbText::toCp932(name);
    QCOMPARE(db.GetAppInfo().mid(16, full.size() + 1), full + '\0');
}

void TestPalmFileStream::writeFailuresLeaveNothing()
{
    QTemporaryDir dir;
    QCOMPARE(
        CTavDbFileStreamWriter::Write(dir.filePath("missing.jpg"), dir.filePath("out.pdb"), Kind::Picture),
        TavStatusCode::FileError);
    QVERIFY(PalmTest::writeFile(dir.filePath("p.jpg"), content(100)));
    QVERIFY(QDir().mkpath(dir.filePath("taken.pdb")));
    QCOMPARE(CTavDbFileStreamWriter::Write(dir.filePath("p.jpg"), dir.filePath("taken.pdb"), Kind::Picture),
             TavStatusCode::FileError);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"p.jpg"});
}

void TestPalmFileStream::brokenStreams_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<int>("status");
    QTest::newRow("no block tag") << "DBLX" + be32(1) + "x" << int(TavStatusCode::Corrupt);
    QTest::newRow("size past the record") << "DBLK" + be32(2) + "x" << int(TavStatusCode::Corrupt);
    QTest::newRow("shorter than a block header") << QByteArray("DBLK") << int(TavStatusCode::Corrupt);
}

void TestPalmFileStream::brokenStreams()
{
    QFETCH(QByteArray, record);
    QFETCH(int, status);
    CTavDbPalmDatabase db;
    QCOMPARE(CTavDbFileStreamWriter::Build(content(5000), "a.jpg", Kind::Picture, &db), TavStatusCode::Ok);
    QCOMPARE(db.SetRecord(1, record), TavStatusCode::Ok);
    QByteArray back = "untouched";
    QCOMPARE(int(CTavDbFileStreamWriter::ReadContent(db, &back)), status);
    QCOMPARE(back, QByteArray("untouched"));

    CTavDbPalmDatabase memo;
    QCOMPARE(memo.LoadFromFile(PalmTest::palmFile("MemoDB.pdb")), TavStatusCode::Ok);
    QCOMPARE(CTavDbFileStreamWriter::ReadContent(memo, &back), TavStatusCode::NotOurFile);
}

QTEST_GUILESS_MAIN(TestPalmFileStream)
#include "tst_palmfilestream.moc"
