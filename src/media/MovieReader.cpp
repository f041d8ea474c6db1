#include "MovieReader.h"

#include "DibImage.h"
#include "DibOrientation.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <memory>

namespace {
// The demuxer reads the movie atom whole anyway; this only caps what it reads ahead.
constexpr int64_t kProbeSize = 1 << 20;
constexpr int kMaxStreams = 64;
constexpr int64_t kMaxAnalyzeDuration = 5 * AV_TIME_BASE;
// Larger coded frames are refused before the decoder allocates them.
constexpr int64_t kMaxCodedPixels = 4096 * 4096;

struct CodecContextFree
{
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct PacketFree
{
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFree
{
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct ScalerFree
{
    void operator()(SwsContext* scaler) const { sws_freeContext(scaler); }
};

bool isEnabledVideo(const AVStream* stream)
{
    // The demuxer marks the tracks whose header says "enabled" as default ones.
    return stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
           (stream->disposition & AV_DISPOSITION_DEFAULT) &&
           !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC);
}

// The full-range variants of the planar formats: the scaler wants the plain format and the
// range given separately.
AVPixelFormat plainFormat(AVPixelFormat format, bool* fullRange)
{
    const auto full = [fullRange](AVPixelFormat plain) {
        *fullRange = true;
        return plain;
    };
    switch (format) {
    case AV_PIX_FMT_YUVJ420P:
        return full(AV_PIX_FMT_YUV420P);
    case AV_PIX_FMT_YUVJ422P:
        return full(AV_PIX_FMT_YUV422P);
    case AV_PIX_FMT_YUVJ444P:
        return full(AV_PIX_FMT_YUV444P);
    case AV_PIX_FMT_YUVJ440P:
        return full(AV_PIX_FMT_YUV440P);
    case AV_PIX_FMT_YUVJ411P:
        return full(AV_PIX_FMT_YUV411P);
    default:
        return format;
    }
}

// The quarter turn the track's display matrix asks for, as an EXIF orientation (1, 3, 6 or
// 8); mirroring and other angles are ignored.
int displayTurn(const AVStream* stream)
{
#if LIBAVCODEC_VERSION_INT >= AV_VERSION_INT(60, 29, 100)
    const AVPacketSideData* side = av_packet_side_data_get(
        stream->codecpar->coded_side_data, stream->codecpar->nb_coded_side_data, AV_PKT_DATA_DISPLAYMATRIX);
    const auto* matrix = side && side->size >= 9 * 4 ? reinterpret_cast<const int32_t*>(side->data) : nullptr;
#else
    size_t size = 0;
    const auto* matrix =
        reinterpret_cast<const int32_t*>(av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, &size));
    if (size < 9 * 4)
        matrix = nullptr;
#endif
    if (!matrix)
        return 1;
    // Counter-clockwise in the matrix; NaN for a degenerate one.
    const double angle = -av_display_rotation_get(matrix);
    if (!std::isfinite(angle))
        return 1;
    switch ((static_cast<int>(std::lround(angle / 90)) % 4 + 4) % 4) {
    case 1:
        return 6;
    case 2:
        return 3;
    case 3:
        return 8;
    default:
        return 1;
    }
}

// Times come from the file, so the sum may not fit.
int64_t addClamped(int64_t a, int64_t b)
{
    if (b > 0 && a > INT64_MAX - b)
        return INT64_MAX;
    if (b < 0 && a < INT64_MIN - b)
        return INT64_MIN;
    return a + b;
}
} // namespace

MovieReader::MovieReader(const uchar* data, qsizetype length) : m_io(data, length) {}

MovieReader::~MovieReader()
{
    // Closing leaves our own I/O context alone; m_io frees it afterwards.
    avformat_close_input(&m_format);
}

bool MovieReader::open()
{
    if (m_format || !m_io.context())
        return false;
    m_format = avformat_alloc_context();
    if (!m_format)
        return false;
    m_format->pb = m_io.context();
    m_format->flags |= AVFMT_FLAG_CUSTOM_IO;
    m_format->probesize = kProbeSize;
    m_format->max_streams = kMaxStreams;
    m_format->max_analyze_duration = kMaxAnalyzeDuration;
    const AVInputFormat* quickTime = av_find_input_format("mov");
    // On failure the context is freed and the pointer cleared.
    if (!quickTime || avformat_open_input(&m_format, nullptr, quickTime, nullptr) < 0)
        return false;

    for (unsigned i = 0; i < m_format->nb_streams; ++i) {
        if (isEnabledVideo(m_format->streams[i])) {
            m_stream = static_cast<int>(i);
            break;
        }
    }
    if (m_stream < 0)
        return false;
    AVStream* stream = m_format->streams[m_stream];
    const AVCodecParameters* codec = stream->codecpar;
    // Some codecs (MPEG-4 among them) leave the size to the first frames; the look at them is
    // bounded by the probe size and the analysis time.
    if ((codec->width <= 0 || codec->height <= 0) && avformat_find_stream_info(m_format, nullptr) < 0) {
        m_stream = -1;
        return false;
    }
    if (codec->width <= 0 || codec->height <= 0 || int64_t(codec->width) * codec->height > kMaxCodedPixels) {
        m_stream = -1;
        return false;
    }
    double width = codec->width;
    const AVRational aspect = av_guess_sample_aspect_ratio(m_format, stream, nullptr);
    if (aspect.num > 0 && aspect.den > 0)
        width = width * aspect.num / aspect.den;
    m_naturalSize =
        QSize(static_cast<int>(std::lround(std::clamp(width, 1.0, 65535.0))), std::min(codec->height, 65535));
    m_turn = displayTurn(stream);
    if (sideways())
        m_naturalSize.transpose();
    return true;
}

double MovieReader::duration() const
{
    if (m_stream < 0)
        return 0;
    const AVStream* stream = m_format->streams[m_stream];
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0 && stream->time_base.num > 0 &&
        stream->time_base.den > 0)
        return double(stream->duration) * av_q2d(stream->time_base);
    if (m_format->duration != AV_NOPTS_VALUE && m_format->duration > 0)
        return double(m_format->duration) / AV_TIME_BASE;
    return 0;
}

bool MovieReader::frameAt(double seconds, QSize size, DibImage& image)
{
    if (m_stream < 0 || size.isEmpty() || qint64(size.width()) * size.height() * 3 > MaxFrameBytes)
        return false;
    const std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
    // Drawn as stored, then turned as shown.
    return frame && decodeFrameAt(seconds, frame.get()) &&
           convert(frame.get(), sideways() ? size.transposed() : size, image) &&
           DibOrientation::apply(image, m_turn);
}

bool MovieReader::decodeFrameAt(double seconds, AVFrame* frame)
{
    AVStream* stream = m_format->streams[m_stream];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec)
        return false;
    const std::unique_ptr<AVCodecContext, CodecContextFree> decoder(avcodec_alloc_context3(codec));
    if (!decoder || avcodec_parameters_to_context(decoder.get(), stream->codecpar) < 0)
        return false;
    decoder->thread_count = 1;
    decoder->pkt_timebase = stream->time_base;
    decoder->max_pixels = kMaxCodedPixels;
    if (avcodec_open2(decoder.get(), codec, nullptr) < 0)
        return false;

    const int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
    int64_t target = start;
    if (seconds > 0 && stream->time_base.num > 0 && stream->time_base.den > 0) {
        const int64_t offset =
            av_rescale_q(std::llround(seconds * 1000), AVRational{1, 1000}, stream->time_base);
        target = addClamped(start, std::max<int64_t>(offset, 0));
    }
    // To the key frame at or before the time; when that fails decoding simply starts where
    // the demuxer stands, which after opening is the start.
    av_seek_frame(m_format, m_stream, target, AVSEEK_FLAG_BACKWARD);

    const std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
    const std::unique_ptr<AVFrame, FrameFree> decoded(av_frame_alloc());
    if (!packet || !decoded)
        return false;
    bool found = false;
    int frames = 0;
    // Keeps the latest frame that starts at or before the time; true once a later one shows
    // (or the frame budget is spent), so that the kept frame is the one on screen then.
    const auto take = [&]() {
        const int64_t at = decoded->best_effort_timestamp;
        const bool after = at != AV_NOPTS_VALUE && at > target;
        if (!found || !after) {
            av_frame_unref(frame);
            av_frame_move_ref(frame, decoded.get());
            found = true;
        } else {
            av_frame_unref(decoded.get());
        }
        return after || ++frames >= MaxDecodedFrames;
    };
    bool done = false;
    for (int packets = 0; !done && packets < MaxReadPackets; ++packets) {
        if (av_read_frame(m_format, packet.get()) < 0)
            break; // the end, or damage past which nothing can be trusted
        const bool ours = packet->stream_index == m_stream;
        // A damaged packet is skipped; the decoder recovers at the next key frame.
        if (ours)
            avcodec_send_packet(decoder.get(), packet.get());
        av_packet_unref(packet.get());
        while (ours && !done && avcodec_receive_frame(decoder.get(), decoded.get()) == 0)
            done = take();
    }
    if (!done && avcodec_send_packet(decoder.get(), nullptr) >= 0) {
        while (!done && avcodec_receive_frame(decoder.get(), decoded.get()) == 0)
            done = take();
    }
    return found;
}

bool MovieReader::convert(const AVFrame* frame, QSize size, DibImage& image)
{
    if (frame->width <= 0 || frame->height <= 0 || frame->format < 0)
        return false;
    bool fullRange = frame->color_range == AVCOL_RANGE_JPEG;
    const AVPixelFormat source = plainFormat(static_cast<AVPixelFormat>(frame->format), &fullRange);
    const AVPixFmtDescriptor* descriptor = av_pix_fmt_desc_get(source);
    if (!descriptor)
        return false;
    const std::unique_ptr<SwsContext, ScalerFree> scaler(
        sws_getContext(frame->width, frame->height, source, size.width(), size.height(), AV_PIX_FMT_BGR24,
                       SWS_BICUBIC | SWS_ACCURATE_RND, nullptr, nullptr, nullptr));
    if (!scaler)
        return false;
    if (!(descriptor->flags & AV_PIX_FMT_FLAG_RGB)) {
        // The matrix and range the frame was coded with; the scaler assumes limited-range BT.601.
        int* inverse = nullptr;
        int* table = nullptr;
        int sourceRange = 0;
        int targetRange = 0;
        int brightness = 0;
        int contrast = 0;
        int saturation = 0;
        if (sws_getColorspaceDetails(scaler.get(), &inverse, &sourceRange, &table, &targetRange, &brightness,
                                     &contrast, &saturation) >= 0) {
            const int space = frame->colorspace == AVCOL_SPC_UNSPECIFIED || frame->colorspace == AVCOL_SPC_RGB
                                  ? SWS_CS_DEFAULT
                                  : frame->colorspace;
            sws_setColorspaceDetails(scaler.get(), sws_getCoefficients(space), fullRange ? 1 : 0, table,
                                     targetRange, brightness, contrast, saturation);
        }
    }
    DibImage bitmap;
    if (!bitmap.create(size.width(), size.height(), 24))
        return false;
    uint8_t* planes[4] = {bitmap.bits(), nullptr, nullptr, nullptr};
    const int strides[4] = {static_cast<int>(bitmap.bytesPerLine()), 0, 0, 0};
    if (sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, planes, strides) !=
        size.height())
        return false;
    image.swapPixels(bitmap);
    return true;
}
