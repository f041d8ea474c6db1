// Picture reading against the JPEG library used directly, on the generated photo and camera
// files (bench/gen_jpegs.py).
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDir>
#include <QFile>

#include "BenchEnv.h"
#include "DibImage.h"
#include "DibOrientation.h"
#include "ExifReader.h"
#include "JpegCodec.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {
constexpr int kPhotoWidth = 4000;
constexpr int kPhotoHeight = 3000;

const uchar* bytesOf(const QByteArray& data)
{
    return reinterpret_cast<const uchar*>(data.constData());
}

struct Photo
{
    QByteArray bytes;
    std::string error; // empty when the file is the photo the benchmarks measure
};

const Photo& photo()
{
    static const Photo loaded = [] {
        Photo p;
        QFile file(BenchEnv::dataDir() + QStringLiteral("/jpeg/photo_4000x3000.jpg"));
        if (!file.open(QIODevice::ReadOnly))
            return Photo{{}, BenchEnv::missing(file.fileName())};
        p.bytes = file.readAll();
        DibImage image;
        if (JpegCodec().load(bytesOf(p.bytes), p.bytes.size(), image) != MediaStatusCode::Ok)
            p.error = "the photo does not decode";
        else if (image.width() != kPhotoWidth || image.height() != kPhotoHeight)
            p.error = BenchEnv::mismatch(QStringLiteral("photo pixels"), qint64(kPhotoWidth) * kPhotoHeight,
                                         qint64(image.width()) * image.height());
        return p;
    }();
    return loaded;
}

bool havePhoto(benchmark::State& state)
{
    if (!photo().error.empty())
        state.SkipWithError(photo().error.c_str());
    return photo().error.empty();
}

// The photo decoded once for a benchmark that works on its bitmap.
bool decodedPhoto(benchmark::State& state, DibImage& image)
{
    return havePhoto(state) &&
           JpegCodec().load(bytesOf(photo().bytes), photo().bytes.size(), image) == MediaStatusCode::Ok;
}

const std::vector<QByteArray>& cameraFiles()
{
    static const std::vector<QByteArray> files = [] {
        std::vector<QByteArray> all;
        const QDir dir(BenchEnv::dataDir() + QStringLiteral("/jpeg/exif"));
        for (const QString& name : dir.entryList({QStringLiteral("img_*.jpg")}, QDir::Files, QDir::Name)) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                all.push_back(file.readAll());
        }
        return all;
    }();
    return files;
}

bool haveCameraFiles(benchmark::State& state)
{
    static const std::string error =
        cameraFiles().empty()
            ? BenchEnv::missing(BenchEnv::dataDir() + QStringLiteral("/jpeg/exif/img_*.jpg"))
        : qsizetype(cameraFiles().size()) != BenchEnv::pictures()
            ? BenchEnv::mismatch(QStringLiteral("camera files"), BenchEnv::pictures(), cameraFiles().size())
            : std::string();
    if (!error.empty())
        state.SkipWithError(error.c_str());
    return error.empty();
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
    if (!havePhoto(state))
        return;
    std::vector<uchar> buffer;
    for (auto _ : state) {
        decodeDirect(photo().bytes, int(state.range(0)), buffer);
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(BM_LibraryDirect)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Load(benchmark::State& state)
{
    if (!havePhoto(state))
        return;
    const QByteArray& jpeg = photo().bytes;
    const JpegCodec codec;
    DibImage image;
    for (auto _ : state) {
        if (codec.load(bytesOf(jpeg), jpeg.size(), image) != MediaStatusCode::Ok)
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadScaledEighth(benchmark::State& state)
{
    if (!havePhoto(state))
        return;
    const QByteArray& jpeg = photo().bytes;
    const JpegCodec codec;
    DibImage image;
    for (auto _ : state) {
        if (codec.loadScaled(500, 375, bytesOf(jpeg), jpeg.size(), image) != MediaStatusCode::Ok ||
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
    if (!decodedPhoto(state, image))
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
    if (!decodedPhoto(state, image))
        return;
    DibImage copy;
    copy.create(image.width(), image.height(), 24);
    for (auto _ : state) {
        std::memcpy(copy.bits(), image.bits(), size_t(image.sizeInBytes()));
        benchmark::DoNotOptimize(copy.bits());
    }
}
BENCHMARK(BM_BitmapCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every camera property of one file already in memory, each round the next of the files.
void BM_CameraProperties(benchmark::State& state)
{
    if (!haveCameraFiles(state))
        return;
    const auto& files = cameraFiles();
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
    if (!haveCameraFiles(state))
        return;
    const auto& files = cameraFiles();
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

int main(int argc, char** argv)
{
    return BenchEnv::run(argc, argv);
}
