#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "DibImage.h"
#include "ImageCodecRegistry.h"
#include "MediaTestSupport.h"
#include "MovieCodec.h"
#include "MovieSupport.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
}

using namespace MediaTestSupport;

namespace {
constexpr int kWidth = 64;
constexpr int kHeight = 48;
// One colour a second; the right quarter of every frame is black, so that a mirrored, turned
// or shifted picture shows.
const QList<QRgb> kColours = {qRgb(220, 30, 30), qRgb(30, 200, 40), qRgb(40, 50, 210), qRgb(240, 240, 240)};

struct Recipe
{
    QList<QByteArray> videoCodecs = {"mpeg4"}; // one track each
    bool firstVideoEnabled = true;
    bool sound = false;
    bool moovFirst = false;
    int clockwise = 0; // the first track's display turn in degrees
};

quint32 be32(const QByteArray& data, qsizetype at)
{
    return qFromBigEndian<quint32>(data.constData() + at);
}

// The muxer starts with a file-type atom; older movies (the kind the handheld's card holds)
// start with the movie atom or the media data. Both layouts keep every chunk where it was.
QByteArray classicLayout(QByteArray movie, bool moovFirst)
{
    const QByteArray wanted = moovFirst ? "moov" : "mdat";
    qsizetype at = 0;
    while (at + 8 <= movie.size() && movie.mid(at + 4, 4) != wanted)
        at += be32(movie, at);
    const quint32 size = be32(movie, at);
    if (moovFirst) {
        // The atoms before the movie atom become one free atom behind it.
        QByteArray before = movie.left(at);
        qToBigEndian(quint32(before.size()), before.data());
        return movie.mid(at, size) + before.replace(4, 4, "free") + movie.mid(at + size);
    }
    // The media data atom grows back over the atoms before it.
    qToBigEndian(quint32(at + size), movie.data());
    return movie.replace(4, 4, "mdat");
}

// BT.601 worked out here rather than by the scaler the reader uses: full range for motion
// JPEG, limited for the others.
void paintFrame(AVFrame* frame, QRgb colour, bool fullRange)
{
    const double k = fullRange ? 1.0 : 219.0 / 255.0, kc = fullRange ? 1.0 : 224.0 / 255.0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const QRgb c = x < kWidth * 3 / 4 ? colour : qRgb(0, 0, 0);
            const double luma = 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
            frame->data[0][y * frame->linesize[0] + x] = uchar(qRound((fullRange ? 0 : 16) + k * luma));
            if (x % 2 == 0 && y % 2 == 0) {
                frame->data[1][y / 2 * frame->linesize[1] + x / 2] =
                    uchar(qRound(128 + kc * (qBlue(c) - luma) / 1.772));
                frame->data[2][y / 2 * frame->linesize[2] + x / 2] =
                    uchar(qRound(128 + kc * (qRed(c) - luma) / 1.402));
            }
        }
    }
}

bool encode(AVFormatContext* out, AVCodecContext* encoder, AVStream* stream, const AVFrame* frame)
{
    if (avcodec_send_frame(encoder, frame) < 0)
        return false;
    AVPacket* packet = av_packet_alloc();
    int result = 0;
    while ((result = avcodec_receive_packet(encoder, packet)) == 0) {
        packet->duration = qMax<int64_t>(packet->duration, 1); // so that the last frame lasts too
        av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
        packet->stream_index = stream->index;
        av_interleaved_write_frame(out, packet);
    }
    av_packet_free(&packet);
    return result == AVERROR(EAGAIN) || result == AVERROR_EOF;
}

AVCodecContext* addTrack(AVFormatContext* out, const QByteArray& codecName, int clockwise)
{
    const AVCodec* codec = avcodec_find_encoder_by_name(codecName.constData());
    AVCodecContext* encoder = avcodec_alloc_context3(codec);
    if (codec->type == AVMEDIA_TYPE_VIDEO) {
        encoder->width = kWidth;
        encoder->height = kHeight;
        encoder->pix_fmt = codecName == "mjpeg" ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_YUV420P;
        encoder->gop_size = 2; // so that a later frame needs the key frame before it
        encoder->max_b_frames = 0;
        encoder->flags |= AV_CODEC_FLAG_QSCALE;
        encoder->global_quality = FF_QP2LAMBDA * 2;
        encoder->time_base = {1, 1};
    } else {
        encoder->sample_fmt = AV_SAMPLE_FMT_S16;
        encoder->sample_rate = 1000;
        av_channel_layout_default(&encoder->ch_layout, 1);
        encoder->time_base = {1, 1000};
    }
    if (out->oformat->flags & AVFMT_GLOBALHEADER)
        encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVStream* stream = avformat_new_stream(out, nullptr);
    if (avcodec_open2(encoder, codec, nullptr) < 0 ||
        avcodec_parameters_from_context(stream->codecpar, encoder) < 0)
        qFatal("cannot set up the %s encoder", codecName.constData());
    stream->time_base = encoder->time_base;
    stream->disposition = AV_DISPOSITION_DEFAULT; // every track enabled
    if (clockwise)
        av_display_rotation_set(
            reinterpret_cast<int32_t*>(av_stream_new_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, 36)),
            clockwise);
    return encoder;
}

QByteArray makeMovie(const QString& path, const Recipe& recipe)
{
    AVFormatContext* out = nullptr;
    const QByteArray name = QFile::encodeName(path);
    avformat_alloc_output_context2(&out, nullptr, "mov", name.constData());
    QList<AVCodecContext*> encoders;
    for (const QByteArray& codec : recipe.videoCodecs)
        encoders << addTrack(out, codec, encoders.isEmpty() ? recipe.clockwise : 0);
    if (recipe.sound)
        encoders << addTrack(out, "pcm_s16be", 0);
    AVDictionary* options = nullptr;
    if (recipe.moovFirst)
        av_dict_set(&options, "movflags", "faststart", 0);
    bool ok = avio_open(&out->pb, name.constData(), AVIO_FLAG_WRITE) >= 0 &&
              avformat_write_header(out, &options) >= 0;
    av_dict_free(&options);
    for (int i = 0; ok && i < encoders.size(); ++i) {
        AVCodecContext* encoder = encoders[i];
        const bool video = encoder->codec_type == AVMEDIA_TYPE_VIDEO;
        AVFrame* frame = av_frame_alloc();
        frame->format = video ? int(encoder->pix_fmt) : int(encoder->sample_fmt);
        frame->width = encoder->width;
        frame->height = encoder->height;
        frame->nb_samples = video ? 0 : 1000;
        av_channel_layout_copy(&frame->ch_layout, &encoder->ch_layout);
        ok = av_frame_get_buffer(frame, 0) >= 0;
        for (int second = 0; ok && second < kColours.size(); ++second) {
            ok = av_frame_make_writable(frame) >= 0;
            if (video)
                paintFrame(frame, kColours[(second + i) % kColours.size()],
                           encoder->pix_fmt == AV_PIX_FMT_YUVJ420P);
            else
                memset(frame->data[0], 0, frame->linesize[0]);
            frame->pts = video ? second : second * 1000;
            ok = ok && encode(out, encoder, out->streams[i], frame);
        }
        ok = ok && encode(out, encoder, out->streams[i], nullptr);
        av_frame_free(&frame);
    }
    ok = ok && av_write_trailer(out) >= 0;
    avio_closep(&out->pb);
    for (AVCodecContext* encoder : encoders)
        avcodec_free_context(&encoder);
    avformat_free_context(out);
    QFile file(path);
    if (!ok || !file.open(QIODevice::ReadWrite))
        return {};
    QByteArray movie = classicLayout(file.readAll(), recipe.moovFirst); // of the same size
    if (!recipe.firstVideoEnabled)
        movie[movie.indexOf("tkhd") + 7] &= ~1; // the track header's "enabled" flag
    file.seek(0);
    file.write(movie);
    file.close();
    // The fuzz target's seeds come from here: LUMORA_MOVIE_SEED_DIR=fuzz/corpus/fuzz_movie.
    if (const QString seeds = qEnvironmentVariable("LUMORA_MOVIE_SEED_DIR"); !seeds.isEmpty())
        QFile::copy(path, QDir(seeds).filePath(QFileInfo(path).fileName()));
    return movie;
}

// A 24-bit frame of the size with the colour near the start of its long side and black near
// its end, within what lossy coding of flat colours changes (a wrong colour range is off by
// about 15).
bool shows(const DibImage& image, QRgb colour, QSize size = {kWidth, kHeight})
{
    if (QSize(image.width(), image.height()) != size)
        return false;
    const QImage picture = image.toImage();
    const bool tall = picture.height() > picture.width();
    const auto near = [&picture, tall](int along, QRgb expected) {
        const QRgb actual = tall ? picture.pixel(picture.width() / 2, picture.height() * along / 8)
                                 : picture.pixel(picture.width() * along / 8, picture.height() / 2);
        return qAbs(qRed(actual) - qRed(expected)) <= 10 && qAbs(qGreen(actual) - qGreen(expected)) <= 10 &&
               qAbs(qBlue(actual) - qBlue(expected)) <= 10;
    };
    return image.bitsPerPixel() == 24 && near(1, colour) && near(7, qRgb(0, 0, 0));
}
} // namespace

class MovieTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QByteArray m_moovFirst;
    QByteArray m_mdatFirst;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    static bool load(const QByteArray& movie, DibImage& image)
    {
        return MovieCodec().load(exactCopy(movie).get(), movie.size(), image) == MediaStatusCode::Ok;
    }
    static QSize sized(const QByteArray& movie)
    {
        int width = 0;
        int height = 0;
        return MovieCodec().getSize(bytesOf(movie), movie.size(), &width, &height) ? QSize()
                                                                                   : QSize(width, height);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_moovFirst = makeMovie(path("moov.mqv"), {.moovFirst = true});
        m_mdatFirst = makeMovie(path("mdat.mov"), {.videoCodecs = {"mjpeg"}});
        QCOMPARE(m_moovFirst.mid(4, 4) + m_mdatFirst.mid(4, 4), "moovmdat");

        // Before the libraries are checked nothing is read, and nothing claims movie files.
        DibImage image;
        QVERIFY(!MovieSupport::IsAvailable());
        QVERIFY(!load(m_moovFirst, image) && !sized(m_moovFirst).isValid());
        QCOMPARE(ImageCodecRegistry::instance().byExtension(path("moov.mqv")), nullptr);

        QVERIFY(MovieSupport::Initialize() && MovieSupport::Initialize());
        for (const char* name : {"CLIP.MQV", "clip.mov"})
            QCOMPARE(ImageCodecRegistry::instance().byExtension(name)->name(), "QuickTime");
    }

    void frame_data()
    {
        QTest::addColumn<QByteArray>("movie");
        QTest::newRow("moov first, MPEG-4") << m_moovFirst;
        QTest::newRow("mdat first, motion JPEG") << m_mdatFirst;
    }

    void frame()
    {
        QFETCH(QByteArray, movie);
        QCOMPARE(sized(movie), QSize(kWidth, kHeight));

        DibImage image;
        QVERIFY(load(movie, image) && shows(image, kColours[0]));
        QCOMPARE(image.number("duration"), 4);
        QCOMPARE(image.number("current_frame"), 0);
        QCOMPARE(image.number("real_width"), kWidth);

        // Later times: from the key frame before them, and the last frame past the end.
        for (int second : {1, 3, 2, 60}) {
            image.setNumber("current_frame", quint16(second));
            QVERIFY2(load(movie, image) && shows(image, kColours[qMin(second, 3)]),
                     qPrintable(QString::number(second)));
            QCOMPARE(image.number("current_frame"), second);
        }

        // Reduced, keeping the shape, to cover the size asked for.
        image.setNumber("current_frame", 2);
        QCOMPARE(MovieCodec().loadScaled(16, 16, exactCopy(movie).get(), movie.size(), image),
                 MediaStatusCode::Ok);
        QVERIFY(shows(image, kColours[2], {22, 16}));
    }

    // The route thumbnails take (the codec by extension, then the file), and a turned track.
    void fromFile()
    {
        const ImageCodec* codec = ImageCodecRegistry::instance().byExtension(path("moov.mqv"));
        DibImage image;
        image.setNumber("current_frame", 1);
        QVERIFY(codec->loadFile(path("moov.mqv"), image) == MediaStatusCode::Ok && shows(image, kColours[1]));
        QVERIFY(!MovieCodec::openMovie(path("missing.mov"), image) && image.isNull());

        const QByteArray portrait = makeMovie(path("portrait.mov"), {.clockwise = 90});
        QVERIFY(MovieCodec::openMovie(path("portrait.mov"), image) &&
                shows(image, kColours[0], {kHeight, kWidth}));
        QCOMPARE(codec->loadScaled(24, 24, exactCopy(portrait).get(), portrait.size(), image),
                 MediaStatusCode::Ok);
        QVERIFY(shows(image, kColours[0], {24, 32}));
    }

    void tracks()
    {
        // The first enabled video track is the one shown, whatever comes before it.
        const QByteArray second =
            makeMovie(path("second.mov"),
                      {.videoCodecs = {"mpeg4", "mjpeg"}, .firstVideoEnabled = false, .sound = true});
        DibImage image;
        QVERIFY(load(second, image) && shows(image, kColours[1]));

        // No picture at all: a sound-only movie, and one whose only video track is disabled.
        for (const Recipe& recipe : {Recipe{.videoCodecs = {}, .sound = true, .moovFirst = true},
                                     Recipe{.firstVideoEnabled = false}}) {
            const QByteArray movie = makeMovie(path("blind.mov"), recipe);
            QVERIFY(MovieCodec::probeMovie(bytesOf(movie), movie.size()));
            image.setNumber("current_frame", 1);
            QVERIFY(!load(movie, image) && !sized(movie).isValid());
            QVERIFY(image.isNull() && image.properties().empty());
        }
    }

    // Not a movie, or no longer one: no frame, and the image left empty. The probe looks at the
    // first atom only, and 16 bytes are too few for anything after it.
    void damaged()
    {
        const QByteArray head = m_moovFirst.left(16);
        QVERIFY(!MovieCodec::probeMovie(exactCopy(head).get(), head.size()));
        QVERIFY(MovieCodec::probeMovie(exactCopy(head + 'x').get(), 17));
        QCOMPARE(MovieCodec().probeFormat(bytesOf(m_mdatFirst), m_mdatFirst.size()), MovieCodec::Movie);
        const qsizetype moovSize = be32(m_moovFirst, 0);
        for (const QByteArray& movie : {head, m_mdatFirst.left(m_mdatFirst.size() * 2 / 3), // movie atom lost
                                        m_moovFirst.left(moovSize / 2), // cut inside the movie atom
                                        m_moovFirst.left(moovSize + 8), QByteArray()}) { // no media
            DibImage image;
            image.create(4, 4, 24);
            QVERIFY2(!load(movie, image) && image.isNull(), qPrintable(QString::number(movie.size())));
        }
    }
};

QTEST_GUILESS_MAIN(MovieTest)
#include "tst_movie.moc"
