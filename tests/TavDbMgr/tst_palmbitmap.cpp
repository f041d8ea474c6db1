#include <QRandomGenerator>
#include <QtTest>

#include "CTavDbFreePalmBitmap.h"
#include "CTavDbPalmCode.h"
#include "CTavDbPalmDatabase.h"
#include "PalmBitmapEncoder.h"
#include "PalmTestSupport.h"

using namespace PalmTest;
using Bitmap = CTavDbFreePalmBitmap;

Q_DECLARE_METATYPE(BitmapLayout)

namespace {
// Pixel values with runs (so that RLE and PackBits repeat) and noise (so that they copy).
std::vector<uint32_t> samplePixels(const BitmapLayout& s, quint32 seed)
{
    QRandomGenerator random(seed);
    const uint32_t range = 1u << s.depth;
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

QList<QRgb> randomTable(int entries, quint32 seed)
{
    QRandomGenerator random(seed);
    QList<QRgb> table;
    for (int i = 0; i < entries; ++i)
        table << (random.generate() | 0xFF000000u);
    return table;
}

// Five and six bits widen to eight by repeating their top bits; greys run from white to black.
QRgb expectedColour(const BitmapLayout& s, uint32_t v)
{
    if (s.hasTransparency && v == s.transparent)
        return 0;
    if (s.depth == 16) {
        const int r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
        return qRgb(r << 3 | r >> 2, g << 2 | g >> 4, b << 3 | b >> 2);
    }
    if (!s.colorTable.isEmpty())
        return v < uint32_t(s.colorTable.size()) ? s.colorTable[v] : qRgb(0, 0, 0);
    const int grey = 255 - int(v) * 255 / ((1 << s.depth) - 1);
    return qRgb(grey, grey, grey);
}

BitmapLayout make(int version, int depth, int width, int height, int compression = -1, int tableSeed = 0)
{
    BitmapLayout s;
    std::tie(s.version, s.depth, s.width, s.height, s.compression) =
        std::tie(version, depth, width, height, compression);
    if (tableSeed)
        s.colorTable = randomTable(1 << depth, uint32_t(tableSeed));
    return s;
}

// A layout or option set with one more field set.
template <class S, class T, class V> S with(S s, T S::*field, const V& value)
{
    s.*field = T(value);
    return s;
}

// Pixels of this value are transparent; version 2 direct colour keeps the key as RGB.
BitmapLayout clear(BitmapLayout s, uint32_t key)
{
    s.hasTransparency = true;
    s.transparent = key;
    s.directTransparent = expectedColour(make(3, 16, 1, 1), key);
    return s;
}
} // namespace

class TestPalmBitmap : public QObject
{
    Q_OBJECT

private slots:
    void decodesEveryLayout_data()
    {
        QTest::addColumn<BitmapLayout>("layout");
        const QList<int> depthsByVersion[4] = {{1}, {1, 2, 4}, {1, 2, 4, 8, 16}, {1, 2, 4, 8, 16}};
        for (int version = 0; version <= 3; ++version)
            for (int depth : depthsByVersion[version])
                // Versions 0 and 1 know only scan-line compression; 37 pixels end rows inside a byte.
                for (int compression = -1; compression <= (version < 2 ? 0 : 2); ++compression)
                    QTest::addRow("v%d %d-bit compression %d", version, depth, compression)
                        << make(version, depth, 37, 9, compression,
                                depth == 8 || (version == 3 && depth == 4) ? version * 31 + depth : 0);
        // Rows longer than one RLE or PackBits run.
        QTest::newRow("v3 16-bit PackBits, long rows") << make(3, 16, 600, 3, 2);
        QTest::newRow("v3 RGB565 little-endian") << with(make(3, 16, 11, 4), &BitmapLayout::pixelFormat, 2);
        QTest::newRow("v3 2-bit LE") << with(make(3, 2, 11, 4), &BitmapLayout::pixelFormat, 3);
        // Rows padded past the 3 bytes their pixels need; indexes past a short table are black.
        QTest::newRow("v1 4-bit, padded rows") << with(make(1, 4, 5, 6), &BitmapLayout::rowBytes, 8);
        QTest::newRow("short table") << with(make(2, 4, 6, 3), &BitmapLayout::colorTable, randomTable(5, 11));
        QTest::newRow("v2 index transparent") << clear(make(2, 4, 9, 5), 3);
        QTest::newRow("v3 index transparent, RLE") << clear(make(3, 8, 9, 5, 1, 3), 200);
        QTest::newRow("v3 RGB565 transparent") << clear(make(3, 16, 9, 5), 0xF81F);
        QTest::newRow("v2 direct colour transparent") << clear(make(2, 16, 9, 5), 0xF81F);
    }

    void decodesEveryLayout()
    {
        QFETCH(BitmapLayout, layout);
        std::vector<uint32_t> values = samplePixels(layout, uint32_t(layout.width * 7 + layout.depth));
        for (size_t i = 0; layout.hasTransparency && i < values.size(); i += 3)
            values[i] = layout.transparent;
        QImage image, mask;
        QCOMPARE(Bitmap::CreateBitmap(encodeBitmap(layout, values), &image, &mask), TavStatusCode::Ok);
        const QSize size(layout.width, layout.height);
        QCOMPARE(std::pair(image.size(), mask.size()), std::pair(size, size));
        for (int y = 0; y < layout.height; ++y)
            for (int x = 0; x < layout.width; ++x) {
                const QRgb want = expectedColour(layout, values[size_t(y) * layout.width + x]);
                QVERIFY2(image.pixel(x, y) == want && mask.pixelIndex(x, y) == (qAlpha(want) ? 1 : 0),
                         qPrintable(QString("%1,%2").arg(x).arg(y)));
            }
    }

    void familyPicksTheBestMember()
    {
        const BitmapLayout eight = make(2, 8, 10, 4, 2, 9);
        const QByteArray family = encodeFamily(
            {make(1, 1, 10, 4), make(1, 4, 10, 4), eight},
            {std::vector<uint32_t>(40, 1), std::vector<uint32_t>(40, 6), std::vector<uint32_t>(40, 77)});
        QImage image;
        Bitmap::Member chosen;
        QCOMPARE(Bitmap::CreateBitmap(family, &image, nullptr, {}, &chosen), TavStatusCode::Ok);
        QCOMPARE(std::pair(chosen.depth, image.pixel(3, 3)), std::pair(8, eight.colorTable[77]));
        const Bitmap::Options greys = with(Bitmap::Options(), &Bitmap::Options::maxDepth, 4);
        QCOMPARE(Bitmap::CreateBitmap(family, &image, nullptr, greys, &chosen), TavStatusCode::Ok);
        QCOMPARE(std::pair(chosen.depth, image.pixel(0, 0)), std::pair(4, qRgb(0x99, 0x99, 0x99)));
        // A best member whose pixels end early gives way to the next best.
        QCOMPARE(Bitmap::CreateBitmap(family.chopped(4), &image, nullptr, {}, &chosen), TavStatusCode::Ok);
        QCOMPARE(chosen.depth, 4);
    }

    void highDensityAfterTheDummy_data()
    {
        QTest::addColumn<bool>("withLowDensity");
        QTest::newRow("low density, dummy, high density") << true;
        QTest::newRow("dummy, high density only") << false;
    }

    void highDensityAfterTheDummy()
    {
        QFETCH(bool, withLowDensity);
        QList<BitmapLayout> layouts{with(make(3, 8, 8, 8, 2, 5), &BitmapLayout::density, 144),
                                    with(make(3, 16, 8, 8, 0), &BitmapLayout::density, 144)};
        QList<std::vector<uint32_t>> values{std::vector<uint32_t>(64, 3), std::vector<uint32_t>(64, 0x07E0)};
        if (withLowDensity) {
            layouts.prepend(make(2, 8, 4, 4, -1, 1));
            values.prepend(std::vector<uint32_t>(16, 9));
        }
        const QByteArray family = encodeFamily(layouts, values, withLowDensity ? 1 : 0);

        QList<Bitmap::Member> members;
        QCOMPARE(Bitmap::ReadFamily(family, &members), TavStatusCode::Ok);
        QCOMPARE(members.size(), layouts.size());
        const Bitmap::Options sharp = with(Bitmap::Options(), &Bitmap::Options::preferredDensity, 144);
        QImage image;
        Bitmap::Member chosen;
        QCOMPARE(Bitmap::CreateBitmap(family, &image, nullptr, sharp, &chosen), TavStatusCode::Ok);
        QCOMPARE(std::tuple(chosen.depth, image.size(), image.pixel(7, 7)),
                 std::tuple(16, QSize(8, 8), qRgb(0, 255, 0)));
        QCOMPARE(Bitmap::CreateBitmap(family, &image), TavStatusCode::Ok);
        QCOMPARE(image.size(), withLowDensity ? QSize(4, 4) : QSize(8, 8));
    }

    void realBitmaps()
    {
        CTavDbPalmDatabase db;
        QCOMPARE(db.LoadFromFile(PalmTest::palmFile("OnBoard.prc")), TavStatusCode::Ok);
        int decoded = 0;
        QHash<QString, QImage> pictures;
        for (int i = 0; i < db.GetRecordCount(); ++i) {
            const uint32_t type = db.GetResourceType(i);
            if (type != code("Tbmp") && type != code("tAIB"))
                continue;
            const QByteArray data = db.GetRecord(i);
            QList<Bitmap::Member> members;
            QCOMPARE(Bitmap::ReadFamily(data, &members), TavStatusCode::Ok);
            int deepest = 0;
            for (const Bitmap::Member& member : members) {
                QImage image, mask;
                QCOMPARE(Bitmap::DecodeMember(data, member, &image, &mask), TavStatusCode::Ok);
                // Every depth of a family is the same picture size, and no picture is blank.
                QCOMPARE(image.size(), QSize(members[0].width, members[0].height));
                QImage white(image.size(), QImage::Format_ARGB32);
                white.fill(Qt::white);
                QVERIFY(image != white);
                const QString name = CTavDbPalmCode::Text(type) + QString(" %1 %2").arg(db.GetResourceId(i));
                pictures.insert(name.arg(member.depth), image);
                deepest = std::max(deepest, member.depth);
                ++decoded;
            }
            QImage best;
            Bitmap::Member chosen;
            QCOMPARE(Bitmap::CreateBitmap(data, &best, nullptr, {}, &chosen), TavStatusCode::Ok);
            QCOMPARE(chosen.depth, deepest);
        }
        QCOMPARE(decoded, 9 + 3 + 4 + 4); // single Tbmp, the 1703 family, two tAIB families
        // The application icon is stored twice, as a bitmap and as the launcher's icon, at
        // different places and in different depths: each depth must come out the same.
        for (int depth : {1, 4, 8})
            QCOMPARE(pictures.value(QString("Tbmp 1703 %1").arg(depth)),
                     pictures.value(QString("tAIB 1000 %1").arg(depth)));
        QCOMPARE(pictures.value("Tbmp 2000 1"), pictures.value("tAIB 1001 1"));
    }

    void brokenBitmaps_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        BitmapLayout s = make(2, 8, 6, 3);
        const std::vector<uint32_t> values(18, 5);
        const QByteArray good = encodeBitmap(s, values);
        auto patched = [&](int at, QByteArray bytes, QByteArray base = QByteArray()) {
            return QByteArray(base.isEmpty() ? good : base).replace(at, bytes.size(), bytes);
        };
        // Data merely cut short is left to truncatedBitmaps.
        QTest::newRow("width 0") << patched(0, be16(0));
        QTest::newRow("negative height") << patched(2, be16(0xFFF0));
        QTest::newRow("too wide") << patched(0, be16(Bitmap::MaxSide + 1));
        QTest::newRow("row bytes too few") << patched(4, be16(5));
        QTest::newRow("depth 3") << patched(8, "\x03");
        QTest::newRow("version 4") << patched(9, "\x04");
        QTest::newRow("indirect") << patched(6, be16(0x1000));
        QTest::newRow("unknown compression") << patched(6, be16(0x8000), patched(13, "\x07"));
        QTest::newRow("colour table past the end") << patched(6, be16(0x4000), patched(16, be16(200)));
        BitmapLayout v3 = with(s, &BitmapLayout::version, 3);
        for (int compression = 0; compression <= 2; ++compression) {
            s.compression = v3.compression = compression;
            const QByteArray packed = encodeBitmap(s, values);
            const uint16_t size = uint16_t(packed.size() - 16);
            QTest::addRow("c%d: size past the end", compression) << patched(16, be16(size + 1), packed);
            QTest::addRow("c%d: size below its field", compression) << patched(16, be16(1), packed);
            QTest::addRow("c%d: data ends early", compression)
                << patched(16, be16(size - 2), packed).chopped(2);
            const QByteArray packed3 = encodeBitmap(v3, values);
            QTest::addRow("c%d: v3 size past the end", compression)
                << patched(24, PalmTest::be32(uint32_t(packed3.size())), packed3);
        }
        s.compression = 1; // one run of 6 per row
        QTest::newRow("RLE run of 0") << patched(18, QByteArray(1, 0), encodeBitmap(s, values));
        QTest::newRow("RLE run past the row") << patched(18, "\x07", encodeBitmap(s, values));
        s.compression = 2; // a repeat of 6 per row: control -5
        QTest::newRow("PackBits repeat past the row") << patched(18, "\xF9", encodeBitmap(s, values));
        QTest::newRow("PackBits literal past the row") << patched(18, "\x06", encodeBitmap(s, values));
    }

    void brokenBitmaps()
    {
        QFETCH(QByteArray, bytes);
        QImage image(3, 3, QImage::Format_ARGB32), mask;
        QCOMPARE(Bitmap::CreateBitmap(bytes, &image, &mask), TavStatusCode::Corrupt);
        QVERIFY(image.size() == QSize(3, 3) && mask.isNull()); // the caller's images left alone
    }

    void truncatedBitmaps()
    {
        // Every prefix of every kind of bitmap: an error or a picture, never a read past the data.
        QImage image;
        for (int version = 1; version <= 3; ++version)
            for (int compression = -1; compression <= 2; ++compression) {
                BitmapLayout s = make(version, version == 1 ? 4 : 16, 13, 5,
                                      version == 1 ? std::min(compression, 0) : compression);
                s.hasTransparency = true;
                const QByteArray whole = encodeBitmap(s, samplePixels(s, 99));
                for (qsizetype length = 0; length <= whole.size(); ++length)
                    QCOMPARE(Bitmap::CreateBitmap(whole.left(length), &image),
                             length == whole.size() ? TavStatusCode::Ok : TavStatusCode::Corrupt);
            }
    }
};

QTEST_GUILESS_MAIN(TestPalmBitmap)
#include "tst_palmbitmap.moc"
