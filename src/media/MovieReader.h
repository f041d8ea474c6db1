#pragma once

#include "MovieMemoryIo.h"

#include <QSize>
#include <QtGlobal>

struct AVFormatContext;
struct AVFrame;
class DibImage;

// One movie in memory: its first enabled video track, the size it is shown at, its length,
// and single frames drawn as 24-bit bitmaps. The bytes must outlive the reader.
class MovieReader final
{
public:
    // What one bad input may cost: the frames decoded to reach the one asked for, the packets
    // read for them, and the largest frame (as the picture reader allows).
    static constexpr int MaxDecodedFrames = 300;
    static constexpr int MaxReadPackets = 3000;
    static constexpr qint64 MaxFrameBytes = 0x3FFFFFF;

    MovieReader(const uchar* data, qsizetype length);
    ~MovieReader();
    Q_DISABLE_COPY_MOVE(MovieReader)

    // False when the bytes are no movie or it has no enabled video track.
    bool open();

    // The size the movie is shown at: the coded size with its pixel aspect applied, turned
    // as the track's display matrix says.
    QSize naturalSize() const { return m_naturalSize; }
    // In seconds; 0 when the movie does not say.
    double duration() const;

    // The frame shown at the time (seconds from the start; past the end gives the last frame),
    // scaled to size, into image as a 24-bit bitmap. False leaves the image's pixels untouched.
    bool frameAt(double seconds, QSize size, DibImage& image);

private:
    bool decodeFrameAt(double seconds, AVFrame* frame);
    bool sideways() const { return m_turn == 6 || m_turn == 8; }
    static bool convert(const AVFrame* frame, QSize size, DibImage& image);

    MovieMemoryIo m_io;
    AVFormatContext* m_format = nullptr;
    int m_stream = -1;
    QSize m_naturalSize;
    int m_turn = 1; // as an EXIF orientation
};
