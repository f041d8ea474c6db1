#include <QDir>
#include <QRandomGenerator>
#include <QtTest>

#include "CTavDbFreePalmBitmap.h"
#include "CTavDbPalmCode.h"
#include "CTavDbPalmDatabase.h"
#include "PalmBitmapEncoder.h"
#include "PalmTestSupport.h"

using PalmTest::BitmapLayout;
using PalmTest::code;
using PalmTest::encodeBitmap;
using PalmTest::encodeFamily;

Q_DECLARE_METATYPE(BitmapLayout)

class TestPalmBitmap : public QObject
{
    Q_OBJECT

private slots:
    void decodesEveryLayout_data();
    void decodesEveryLayout();
    void defaultColours_data();
    void defaultColours();
    void transparency_data();
    void transparency();
    void familyPicksTheBestMember();
    void densityAndDummyHeader();
    void realBitmaps();
    void brokenBitmaps_data();
    void brokenBitmaps();
    void truncatedBitmaps();
};

namespace {
// Pixel values with runs (so that RLE and PackBits repeat) and noise (so that they copy).
std::vector<uint32_t> samplePixels(const BitmapLayout& s, quint32 seed)
{
    QRandomGenerator random(seed);
    const uint32_t range = s.depth == 16 ? 0x10000u : (1u << s.depth);
    std::vector<uint32_t> values(size_t(s.width) * s.height);
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width;) {
            const uint32_t v = random.bounded(range);
            const int run = random.bounded(3) == 0 ? 1 + random.bounded(40) : 1;
            for (int i = 0; i < run && x < s.width; ++i, ++x)
                values[size_t(y) * s.width + x] = v;
        }
        // Every third row repeats the one above, as scan-line compression likes.
        if (y % 3 == 2)
            std::copy_n(values.begin() + (y - 1) * s.width, s.width, values.begin() + y * s.width);
    }
    return values;
}

// Five and six bits widen to eight by repeating their top bits, so that white stays white.
QRgb expand565(uint32_t v)
{
    const int r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
    return qRgb(r << 3 | r >> 2, g << 2 | g >> 4, b << 3 | b >> 2);
}

QList<QRgb> randomTable(int entries, quint32 seed)
{
    QRandomGenerator random(seed);
    QList<QRgb> table;
    for (int i = 0; i < entries; ++i)
        table << (random.generate() | 0xFF000000u);
    return table;
}

QRgb expectedColour(const BitmapLayout& s, uint32_t v)
{
    if (s.depth == 16)
        return expand565(v);
    if (!s.colorTable.isEmpty())
        return v < uint32_t(s.colorTable.size()) ? s.colorTable[v] : qRgb(0, 0, 0);
    const int grey = 255 - int(v) * 255 / ((1 << s.depth) - 1);
    return qRgb(grey, grey, grey);
}

BitmapLayout make(int version, int depth, int width, int height, int compression = -1)
{
    BitmapLayout s;
    s.version = version;
    s.depth = depth;
    s.width = width;
    s.height = height;
    s.compression = compression;
    return s;
}

QImage decode(const QByteArray& bytes, QImage* mask = nullptr, TavStatus expected = TavStatusCode::Ok)
{
    QImage image;
    const TavStatus status = CTavDbFreePalmBitmap::CreateBitmap(bytes, &image, mask);
    if (status != expected)
        qWarning("decode status %d", status);
    return status == TavStatusCode::Ok ? image : QImage();
}
} // namespace

void TestPalmBitmap::decodesEveryLayout_data()
{
    QTest::addColumn<BitmapLayout>("layout");
    const int depthsByVersion[4][5] = {{1}, {1, 2, 4}, {1, 2, 4, 8, 16}, {1, 2, 4, 8, 16}};
    const char* compressionNames[] = {"scan-line", "RLE", "PackBits"};
    for (int version = 0; version <= 3; ++version) {
        for (int depth : depthsByVersion[version]) {
            if (depth == 0)
                continue;
            // Versions 0 and 1 know only scan-line compression.
            for (int compression = -1; compression <= (version < 2 ? 0 : 2); ++compression) {
                BitmapLayout s = make(version, depth, 37, 9, compression); // rows end inside a byte
                if (depth == 8 || (version == 3 && depth == 4))
                    s.colorTable = randomTable(depth == 8 ? 256 : 16, uint32_t(version * 31 + depth));
                const QString name = QStringLiteral("v%1 %2-bit %3")
                                         .arg(version)
                                         .arg(depth)
                                         .arg(compression < 0 ? "plain" : compressionNames[compression]);
                QTest::newRow(qPrintable(name)) << s;
            }
        }
    }
    BitmapLayout wide = make(3, 8, 600, 3, 2); // longer rows than one RLE or PackBits run
    wide.colorTable = randomTable(256, 7);
    QTest::newRow("v3 8-bit PackBits, long rows") << wide;
    wide.compression = 1;
    QTest::newRow("v3 8-bit RLE, long rows") << wide;
    BitmapLayout wide16 = wide;
    wide16.depth = 16;
    wide16.colorTable.clear();
    wide16.compression = 2;
    QTest::newRow("v3 16-bit PackBits, long rows") << wide16;

    BitmapLayout little = make(3, 16, 11, 4);
    little.pixelFormat = 2;
    QTest::newRow("v3 RGB565 little-endian") << little;
    little.depth = 2;
    little.pixelFormat = 3;
    QTest::newRow("v3 2-bit little-endian packing") << little;
    BitmapLayout padded = make(1, 4, 5, 6);
    padded.rowBytes = 8; // more than the 3 bytes the pixels need
    QTest::newRow("v1 4-bit, padded rows") << padded;
    BitmapLayout partial = make(2, 4, 6, 3);
    partial.colorTable = randomTable(5, 11); // indexes past the table are black
    QTest::newRow("v2 4-bit, short colour table") << partial;
}

void TestPalmBitmap::decodesEveryLayout()
{
    QFETCH(BitmapLayout, layout);
    const std::vector<uint32_t> values = samplePixels(layout, uint32_t(layout.width * 7 + layout.depth));
    QImage mask;
    const QImage image = decode(encodeBitmap(layout, values), &mask);
    QCOMPARE(image.size(), QSize(layout.width, layout.height));
    for (int y = 0; y < layout.height; ++y)
        for (int x = 0; x < layout.width; ++x) {
            const uint32_t v = values[size_t(y) * layout.width + x];
            if (image.pixel(x, y) != expectedColour(layout, v))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 value %3: %4 instead of %5")
                                     .arg(x)
                                     .arg(y)
                                     .arg(v)
                                     .arg(image.pixel(x, y), 8, 16)
                                     .arg(expectedColour(layout, v), 8, 16)));
        }
    // Nothing is transparent without the flag.
    QCOMPARE(mask.size(), image.size());
    QCOMPARE(mask.format(), QImage::Format_Mono);
    for (int y = 0; y < layout.height; ++y)
        for (int x = 0; x < layout.width; ++x)
            QCOMPARE(mask.pixelIndex(x, y), 1);
}

void TestPalmBitmap::defaultColours_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("index");
    QTest::addColumn<uint>("colour");
    QTest::newRow("1-bit black") << 1 << 1 << 0x000000u;
    QTest::newRow("4-bit first grey") << 4 << 1 << 0xEEEEEEu;
    QTest::newRow("8-bit green steps first") << 8 << 1 << 0xFFCCFFu;
    QTest::newRow("8-bit first extra grey") << 8 << 216 << 0x111111u;
    QTest::newRow("8-bit unused") << 8 << 255 << 0x000000u;
    QTest::newRow("16-bit red") << 16 << 0xF800 << 0xFF0000u;
}

void TestPalmBitmap::defaultColours()
{
    QFETCH(int, depth);
    QFETCH(int, index);
    QFETCH(uint, colour);
    BitmapLayout s;
    s.depth = depth;
    const QImage image = decode(encodeBitmap(s, {uint32_t(index)}));
    QCOMPARE(image.pixel(0, 0), colour | 0xFF000000u);
}

void TestPalmBitmap::transparency_data()
{
    QTest::addColumn<BitmapLayout>("layout");
    QTest::addColumn<uint>("key");
    BitmapLayout v2 = make(2, 4, 9, 5);
    v2.hasTransparency = true;
    v2.transparent = 3;
    QTest::newRow("v2 index") << v2 << 3u;
    BitmapLayout v3 = v2;
    v3.version = 3;
    v3.depth = 8;
    v3.transparent = 200;
    v3.colorTable = randomTable(256, 3);
    v3.compression = 1;
    QTest::newRow("v3 index, RLE") << v3 << 200u;
    BitmapLayout v3direct = v2;
    v3direct.version = 3;
    v3direct.depth = 16;
    v3direct.transparent = 0xF81F;
    QTest::newRow("v3 RGB565 value") << v3direct << 0xF81Fu;
    BitmapLayout v2direct = v2;
    v2direct.depth = 16;
    v2direct.directTransparent = qRgb(0xF8, 0x00, 0xF8);
    QTest::newRow("v2 direct colour") << v2direct << 0xF81Fu;
}

void TestPalmBitmap::transparency()
{
    QFETCH(BitmapLayout, layout);
    QFETCH(uint, key);
    std::vector<uint32_t> values = samplePixels(layout, 5);
    for (size_t i = 0; i < values.size(); i += 3)
        values[i] = key;
    QImage mask;
    const QImage image = decode(encodeBitmap(layout, values), &mask);
    QVERIFY(!image.isNull());
    for (int y = 0; y < layout.height; ++y)
        for (int x = 0; x < layout.width; ++x) {
            const bool clear = values[size_t(y) * layout.width + x] == key;
            QCOMPARE(qAlpha(image.pixel(x, y)), clear ? 0 : 255);
            QCOMPARE(mask.pixelIndex(x, y), clear ? 0 : 1);
        }
    // The same key without the flag hides nothing.
    layout.hasTransparency = false;
    const QImage opaque = decode(encodeBitmap(layout, values));
    QCOMPARE(qAlpha(opaque.pixel(0, 0)), 255);
}

void TestPalmBitmap::familyPicksTheBestMember()
{
    const BitmapLayout one = make(1, 1, 10, 4), four = make(1, 4, 10, 4);
    BitmapLayout eight = make(2, 8, 10, 4, 2);
    eight.colorTable = randomTable(256, 9);
    const std::vector<uint32_t> ones(40, 1), fours(40, 6), eights(40, 77);
    const QByteArray family = encodeFamily({one, four, eight}, {ones, fours, eights});

    QList<CTavDbFreePalmBitmap::Member> members;
    QCOMPARE(CTavDbFreePalmBitmap::ReadFamily(family, &members), TavStatusCode::Ok);
    QCOMPARE(members.size(), 3);
    QCOMPARE(members[2].depth, 8);

    QImage image;
    CTavDbFreePalmBitmap::Member chosen;
    QCOMPARE(CTavDbFreePalmBitmap::CreateBitmap(family, &image, nullptr, {}, &chosen), TavStatusCode::Ok);
    QCOMPARE(chosen.depth, 8);
    QCOMPARE(image.pixel(3, 3), eight.colorTable[77]);

    CTavDbFreePalmBitmap::Options greys;
    greys.maxDepth = 4;
    QCOMPARE(CTavDbFreePalmBitmap::CreateBitmap(family, &image, nullptr, greys, &chosen), TavStatusCode::Ok);
    QCOMPARE(chosen.depth, 4);
    QCOMPARE(image.pixel(0, 0), qRgb(0x99, 0x99, 0x99));
    greys.maxDepth = 0; // nothing fits: the shallowest is the least wrong
    QCOMPARE(CTavDbFreePalmBitmap::CreateBitmap(family, &image, nullptr, greys, &chosen), TavStatusCode::Ok);
    QCOMPARE(chosen.depth, 1);

    // A best member whose pixels end early gives way to the next best.
    QCOMPARE(CTavDbFreePalmBitmap::CreateBitmap(family.chopped(4), &image, nullptr, {}, &chosen),
             TavStatusCode::Ok);
    QCOMPARE(chosen.depth, 4);
    QCOMPARE(image.pixel(0, 0), qRgb(0x99, 0x99, 0x99));
}

void TestPalmBitmap::densityAndDummyHeader()
{
    // Low density 8-bit, then the dummy header old systems stop at, then double density 16-bit.
    BitmapLayout low = make(2, 8, 4, 4);
    low.colorTable = randomTable(256, 1);
    BitmapLayout high = make(3, 16, 8, 8, 0);
    high.density = 144;
    QByteArray first = encodeBitmap(low, std::vector<uint32_t>(16, 9));
    first.resize((first.size() + 3) / 4 * 4, '\0');
    first = encodeBitmap(low, std::vector<uint32_t>(16, 9), uint32_t(first.size() / 4));
    first.resize((first.size() + 3) / 4 * 4, '\0');
    const QByteArray family =
        first + PalmTest::dummyHeader(4) + encodeBitmap(high, std::vector<uint32_t>(64, 0x07E0));

    QList<CTavDbFreePalmBitmap::Member> members;
    QCOMPARE(CTavDbFreePalmBitmap::ReadFamily(family, &members), TavStatusCode::Ok);
    QCOMPARE(members.size(), 2);

    QImage image;
    QCOMPARE(CTavDbFreePalmBitmap::CreateBitmap(family, &image), TavStatusCode::Ok);
    QCOMPARE(image.size(), QSize(4, 4));
    CTavDbFreePalmBitmap::Options sharp;
    sharp.preferredDensity = 144;
    QCOMPARE(CTavDbFreePalmBitmap::CreateBitmap(family, &image, nullptr, sharp), TavStatusCode::Ok);
    QCOMPARE(image.size(), QSize(8, 8));
    QCOMPARE(image.pixel(7, 7), qRgb(0, 255, 0));
}

void TestPalmBitmap::realBitmaps()
{
    CTavDbPalmDatabase db;
    QCOMPARE(db.LoadFromFile(PalmTest::palmFile("OnBoard.prc")), TavStatusCode::Ok);
    const QByteArray screenshots = qgetenv("LUMORA_SCREENSHOT_DIR");
    int decoded = 0;
    QHash<QString, QImage> pictures;
    for (int i = 0; i < db.GetRecordCount(); ++i) {
        const uint32_t type = db.GetResourceType(i);
        if (type != code("Tbmp") && type != code("tAIB"))
            continue;
        const QByteArray data = db.GetRecord(i);
        QList<CTavDbFreePalmBitmap::Member> members;
        QCOMPARE(CTavDbFreePalmBitmap::ReadFamily(data, &members), TavStatusCode::Ok);
        for (const CTavDbFreePalmBitmap::Member& member : members) {
            QImage image;
            QImage mask;
            QCOMPARE(CTavDbFreePalmBitmap::DecodeMember(data, member, &image, &mask), TavStatusCode::Ok);
            // Every depth of a family is the same picture size, and no picture is blank.
            QCOMPARE(image.size(), QSize(members[0].width, members[0].height));
            bool inked = false;
            for (int y = 0; y < image.height() && !inked; ++y)
                for (int x = 0; x < image.width() && !inked; ++x)
                    inked = image.pixel(x, y) != qRgb(255, 255, 255);
            QVERIFY(inked);
            if (!screenshots.isEmpty())
                image.scaled(image.size() * 8)
                    .save(QStringLiteral("%1/onboard-%2-%3-%4bit.png")
                              .arg(QString::fromLocal8Bit(screenshots), CTavDbPalmCode::Text(type))
                              .arg(db.GetResourceId(i))
                              .arg(member.depth));
            pictures.insert(QStringLiteral("%1 %2 %3")
                                .arg(CTavDbPalmCode::Text(type))
                                .arg(db.GetResourceId(i))
                                .arg(member.depth),
                            image);
            ++decoded;
        }
        QImage best;
        CTavDbFreePalmBitmap::Member chosen;
        QCOMPARE(CTavDbFreePalmBitmap::CreateBitmap(data, &best, nullptr, {}, &chosen), TavStatusCode::Ok);
        int deepest = 0;
        for (const CTavDbFreePalmBitmap::Member& member : members)
            deepest = std::max(deepest, member.depth);
        QCOMPARE(chosen.depth, deepest);
    }
    QCOMPARE(decoded, 9 + 3 + 4 + 4); // single Tbmp, the 1703 family, two tAIB families
    // The application icon is stored twice, as a bitmap and as the launcher's icon, at
    // different places and in different depths: each depth must come out the same.
    for (int depth : {1, 4, 8})
        QCOMPARE(pictures.value(QStringLiteral("Tbmp 1703 %1").arg(depth)),
                 pictures.value(QStringLiteral("tAIB 1000 %1").arg(depth)));
    QCOMPARE(pictures.value("Tbmp 2000 1"), pictures.value("tAIB 1001 1"));
}

void TestPalmBitmap::brokenBitmaps_data()
{
    QTest::addColumn<QByteArray>("bytes");
    BitmapLayout s = make(2, 8, 6, 3);
    const std::vector<uint32_t> values(18, 5);
    const QByteArray good = encodeBitmap(s, values);
    auto patched = [&](int at, QByteArray bytes, QByteArray base = QByteArray()) {
        if (base.isEmpty())
            base = good;
        base.replace(at, bytes.size(), bytes);
        return base;
    };

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header cut") << good.left(15);
    QTest::newRow("pixels cut") << good.left(good.size() - 1);
    QTest::newRow("width 0") << patched(0, PalmTest::be16(0));
    QTest::newRow("negative height") << patched(2, PalmTest::be16(0xFFF0));
    QTest::newRow("too wide") << patched(0, PalmTest::be16(CTavDbFreePalmBitmap::MaxSide + 1));
    QTest::newRow("row bytes too few") << patched(4, PalmTest::be16(5));
    QTest::newRow("depth 3") << patched(8, "\x03");
    QTest::newRow("version 4") << patched(9, "\x04");
    QTest::newRow("indirect") << patched(6, PalmTest::be16(0x1000));
    QTest::newRow("unknown compression") << patched(6, PalmTest::be16(0x8000), patched(13, "\x07"));
    QTest::newRow("colour table past the end")
        << patched(6, PalmTest::be16(0x4000), patched(16, PalmTest::be16(200)));

    BitmapLayout v3 = s;
    v3.version = 3;
    QTest::newRow("v3 header cut") << encodeBitmap(v3, values).left(20);
    for (int compression = 0; compression <= 2; ++compression) {
        s.compression = compression;
        const QByteArray packed = encodeBitmap(s, values);
        const QString name = QStringLiteral("compression %1: ").arg(compression);
        QTest::newRow(qPrintable(name + "size past the end"))
            << patched(16, PalmTest::be16(uint16_t(packed.size() - 16 + 1)), packed);
        QTest::newRow(qPrintable(name + "size below its field")) << patched(16, PalmTest::be16(1), packed);
        QTest::newRow(qPrintable(name + "data ends early"))
            << patched(16, PalmTest::be16(uint16_t(packed.size() - 16 - 2)), packed).left(packed.size() - 2);
        v3.compression = compression;
        const QByteArray packed3 = encodeBitmap(v3, values);
        QTest::newRow(qPrintable(name + "v3 size past the end"))
            << patched(24, PalmTest::be32(uint32_t(packed3.size())), packed3);
    }
    s.compression = 1;
    const QByteArray runs = encodeBitmap(s, values); // one run of 6 per row
    QTest::newRow("RLE run of 0") << patched(18, QByteArray(1, 0), runs);
    QTest::newRow("RLE run past the row") << patched(18, "\x07", runs);
    s.compression = 2;
    const QByteArray packBits = encodeBitmap(s, values); // repeat 6 per row: control -5
    QTest::newRow("PackBits repeat past the row") << patched(18, "\xF9", packBits);
    QTest::newRow("PackBits literal past the row") << patched(18, "\x06", packBits);
}

void TestPalmBitmap::brokenBitmaps()
{
    QFETCH(QByteArray, bytes);
    QImage image(3, 3, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QImage mask;
    QCOMPARE(CTavDbFreePalmBitmap::CreateBitmap(bytes, &image, &mask), TavStatusCode::Corrupt);
    // A picture that fails leaves the caller's image alone.
    QCOMPARE(image.size(), QSize(3, 3));
    QVERIFY(mask.isNull());
}

void TestPalmBitmap::truncatedBitmaps()
{
    // Every prefix of every kind of bitmap: an error or a picture, never a read past the data.
    for (int version = 1; version <= 3; ++version)
        for (int compression = -1; compression <= 2; ++compression) {
            BitmapLayout s = make(version, version == 1 ? 4 : 16, 13, 5,
                                  version == 1 ? std::min(compression, 0) : compression);
            s.hasTransparency = true;
            const QByteArray whole = encodeBitmap(s, samplePixels(s, 99));
            for (qsizetype length = 0; length <= whole.size(); ++length) {
                QImage image;
                const TavStatus status = CTavDbFreePalmBitmap::CreateBitmap(whole.left(length), &image);
                QCOMPARE(status, length == whole.size() ? TavStatusCode::Ok : TavStatusCode::Corrupt);
            }
        }
}

QTEST_GUILESS_MAIN(TestPalmBitmap)
#include "tst_palmbitmap.moc"
