// The contents list's thumbnails of a memory card full of camera pictures: the full pass over
// 500 pictures of 4000 x 3000 (five DCF folders of 100) and the time until the first 20 rows,
// the ones a user sees first, have theirs. The card is written once into the build's bench
// folder and reused.

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "BenchEnv.h"
#include "CTavContentScan.h"
#include "CTavDriveMap.h"
#include "CTavRegistryFile.h"
#include "CTavThumbnailQueue.h"
#include "DibImage.h"
#include "JpegCodec.h"

namespace {
constexpr int kFirstRows = 20;
constexpr int kPerFolder = 100;

int pictureCount()
{
    return BenchEnv::smoke() ? 12 : 500;
}

QSize pictureSize()
{
    return BenchEnv::smoke() ? QSize(640, 480) : QSize(4000, 3000);
}

// A camera-like picture: a sky and ground gradient, shapes, and sensor noise, different for each n.
QImage photo(int n)
{
    const QSize size = pictureSize();
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor::fromHsv((n * 37) % 360, 120, 230));
    sky.setColorAt(0.6, QColor(230, 230, 210));
    sky.setColorAt(1, QColor(60, 110, 40));
    p.fillRect(image.rect(), sky);
    QRandomGenerator random(uint32_t(n + 1));
    for (int i = 0; i < 40; ++i) {
        p.setBrush(QColor::fromHsv(random.bounded(360), 150, 200));
        p.setPen(Qt::NoPen);
        const int w = random.bounded(size.width() / 6) + 10;
        p.drawEllipse(random.bounded(size.width()), random.bounded(size.height()), w, w * 2 / 3);
    }
    p.end();
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int d = int(random.generate() & 15) - 8;
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + d, 0, 255), std::clamp(qGreen(c) + d, 0, 255),
                           std::clamp(qBlue(c) + d, 0, 255));
        }
    }
    return image;
}

struct Card
{
    QString root;
    std::string error;
};

const Card& card()
{
    static const Card made = [] {
        Card c;
        c.root = BenchEnv::workDir(QStringLiteral("contents-card"));
        const QString done = c.root + QStringLiteral("/complete");
        if (QFile::exists(done))
            return c;
        for (int n = 0; n < pictureCount(); ++n) {
            const QString folder = QStringLiteral("%1/DCIM/%2FKDCF").arg(c.root).arg(100 + n / kPerFolder);
            QDir().mkpath(folder);
            const QString path = QStringLiteral("%1/P%2.JPG").arg(folder).arg(n, 7, 10, QLatin1Char('0'));
            DibImage dib = DibImage::fromImage(photo(n));
            dib.setQuality(85);
            if (JpegCodec().saveFile(dib, path) != MediaStatusCode::Ok) {
                c.error = "cannot write " + path.toStdString();
                return c;
            }
        }
        QFile(done).open(QIODevice::WriteOnly);
        return c;
    }();
    return made;
}

// The scan and the thumbnail pass as the contents dialog runs them: two worker threads, rows
// delivered to this thread.
void BM_CardThumbnails(benchmark::State& state)
{
    if (!card().error.empty()) {
        state.SkipWithError(card().error.c_str());
        return;
    }
    QTemporaryDir settings;
    CTavRegistryFile registry(settings.filePath(QStringLiteral("Lumora.reg")));
    CTavDriveMap drives(registry);
    drives.bind(u'K', card().root);
    double firstRows = 0;
    int64_t made = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const CTavContentScan::Result scan = CTavContentScan::Card(drives, QStringLiteral("K:\\"));
        if (scan.items.size() != pictureCount()) {
            state.SkipWithError(
                BenchEnv::mismatch(QStringLiteral("card pictures"), pictureCount(), scan.items.size())
                    .c_str());
            return;
        }
        QList<CTavThumbnailQueue::Job> jobs;
        for (const CTavContentScan::Item& item : scan.items)
            jobs.append({item.localPath, item.kind});
        CTavThumbnailQueue queue(QSize(80, 60), 2);
        QEventLoop loop;
        int count = 0;
        QObject::connect(&queue, &CTavThumbnailQueue::made, [&](int, const QImage& image, auto) {
            if (!image.isNull())
                ++made;
            if (++count == std::min<int>(kFirstRows, jobs.size()))
                firstRows += clock.nsecsElapsed() / 1e6;
        });
        QObject::connect(&queue, &CTavThumbnailQueue::finished, &loop, &QEventLoop::quit);
        queue.Start(jobs);
        loop.exec();
    }
    state.counters["first20_ms"] = benchmark::Counter(firstRows, benchmark::Counter::kAvgIterations);
    state.counters["pictures"] = benchmark::Counter(double(made), benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(made);
}
BENCHMARK(BM_CardThumbnails)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.01);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    return BenchEnv::run(argc, argv);
}
