#pragma once

#include <QImage>
#include <QSize>

// The pictures the contents list shows where a content has no picture of its own: a sound, a
// movie without a frame reader, a memo sheet without a thumbnail, a file that could not be
// read, and one whose picture is still being made. Drawn, not loaded, so they scale to any size.
class CTavContentMarks final
{
public:
    enum class Mark
    {
        Sound,
        Movie,
        Sheet,
        Broken,
        Waiting,
    };

    static QImage Draw(Mark mark, const QSize& size);

private:
    CTavContentMarks() = delete;
};
