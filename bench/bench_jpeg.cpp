// Picture reading against the JPEG library used directly. Data:
//   python3 ../shared/bench/gen_jpegs.py build/bench-data/jpeg 1000
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDir>
#include <QFile>

#include "DibImage.h"
#include "DibOrientation.h"
#include "ExifReader.h"
#include "JpegCodec.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace {
QString dataDir()
{
    const QByteArray overridden = qgetenv("LUMORA_BENCH_DATA");
    return overridden.isEmpty() ? QStringLiteral(LUMORA_BENCH_DATA) : QString::fromLocal8Bit(overridden);
}

const QByteArray& photo()
{
    static const QByteArray bytes = [] {
        QFile file(dataDir() + QStringLiteral("/jpeg/photo_4000x3000.jpg"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    return bytes;
}

const std::vector<QByteArray>& cameraFiles()
{
    static const std::vector<QByteArray> files = [] {
        std::vector<QByteArray> all;
        const QDir dir(dataDir() + QStringLiteral("/jpeg/exif"));
        for (const QString& name : dir.entryList({QStringLiteral("img_*.jpg")}, QDir::Files, QDir::Name)) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                all.push_back(file.readAll());
        }
        return all;
    }();
    return files;
}

const uchar* bytesOf(const QByteArray& data)
{
    return reinterpret_cast<const uchar*>(data.constData());
}

bool haveData(benchmark::State& state, bool ok)
{
    if (!ok)
        state.SkipWithError("no benchmark data; run gen_jpegs.py into build/bench-data/jpeg");
    return ok;
}

// The reference: the JPEG library called the plain way, into one reused buffer of BGR rows.
void decodeDirect(const QByteArray& jpeg, int scale, std::vector<uchar>& buffer)
{
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytesOf(jpeg), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned>(scale);
    jpeg_start_decompress(&info);
    const size_t stride = (info.output_width * 3 + 3) & ~size_t(3);
    buffer.resize(stride * info.output_height);
    JSAMPROW rows[16];
    while (info.output_scanline < info.output_height) {
        const unsigned count = std::min(16u, info.output_height - info.output_scanline);
        for (unsigned i = 0; i < count; ++i)
            rows[i] = buffer.data() + (info.output_scanline + i) * stride;
        jpeg_read_scanlines(&info, rows, count);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
}

void BM_LibraryDirect(benchmark::State& state)
{
    if (!haveData(state, !photo().isEmpty()))
        return;
    std::vector<uchar> buffer;
    for (auto _ : state) {
        decodeDirect(photo(), int(state.range(0)), buffer);
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(BM_LibraryDirect)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Load(benchmark::State& state)
{
    if (!haveData(state, !photo().isEmpty()))
        return;
    const JpegCodec codec;
    DibImage image;
    for (auto _ : state) {
        if (codec.load(bytesOf(photo()), photo().size(), image) != MediaStatusCode::Ok)
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadScaledEighth(benchmark::State& state)
{
    if (!haveData(state, !photo().isEmpty()))
        return;
    const JpegCodec codec;
    DibImage image;
    for (auto _ : state) {
        if (codec.loadScaled(500, 375, bytesOf(photo()), photo().size(), image) != MediaStatusCode::Ok ||
            image.width() != 500)
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_LoadScaledEighth)->Unit(benchmark::kMillisecond)->UseRealTime();

// One orientation transform of the decoded photo per round. A quarter turn alternates with
// its inverse, so that every round turns the same bitmap.
void BM_Orientation(benchmark::State& state)
{
    DibImage image;
    if (!haveData(state, JpegCodec().load(bytesOf(photo()), photo().size(), image) == MediaStatusCode::Ok))
        return;
    const int orientation = int(state.range(0));
    bool inverse = false;
    for (auto _ : state) {
        DibOrientation::apply(image, inverse && orientation == 6 ? 8 : orientation);
        inverse = !inverse;
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_Orientation)->Arg(2)->Arg(3)->Arg(4)->Arg(6)->Unit(benchmark::kMillisecond)->UseRealTime();

// The cost of one plain copy of the same bitmap, for scale.
void BM_BitmapCopy(benchmark::State& state)
{
    DibImage image;
    if (!haveData(state, JpegCodec().load(bytesOf(photo()), photo().size(), image) == MediaStatusCode::Ok))
        return;
    DibImage copy;
    copy.create(image.width(), image.height(), 24);
    for (auto _ : state) {
        std::memcpy(copy.bits(), image.bits(), size_t(image.sizeInBytes()));
        benchmark::DoNotOptimize(copy.bits());
    }
}
BENCHMARK(BM_BitmapCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every camera property of one file already in memory, each round the next of the 1000 files.
void BM_CameraProperties(benchmark::State& state)
{
    const auto& files = cameraFiles();
    if (!haveData(state, !files.empty()))
        return;
    size_t next = 0;
    for (auto _ : state) {
        const QByteArray& file = files[next];
        next = next + 1 == files.size() ? 0 : next + 1;
        DibImage properties;
        ExifReader(bytesOf(file), file.size()).fillProperties(properties);
        benchmark::DoNotOptimize(properties.properties().data());
    }
}
BENCHMARK(BM_CameraProperties)->Unit(benchmark::kMicrosecond);

void BM_LoadCameraFile(benchmark::State& state)
{
    const auto& files = cameraFiles();
    if (!haveData(state, !files.empty()))
        return;
    const JpegCodec codec;
    DibImage image;
    size_t next = 0;
    for (auto _ : state) {
        const QByteArray& file = files[next];
        next = next + 1 == files.size() ? 0 : next + 1;
        codec.load(bytesOf(file), file.size(), image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_LoadCameraFile)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
