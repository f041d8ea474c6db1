#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "TavContentKind.h"

// The small picture of a content, made from its file. Safe on any thread: nothing here touches
// a widget, and each call decodes on its own.
class CTavContentThumbnail final
{
public:
    enum class Status
    {
        Made,      // image holds the picture or the movie's frame
        NoPicture, // the kind has none (sounds), or no reader for it (movies): show its mark
        Broken,    // the file could not be read or decoded
    };
    struct Result
    {
        QImage image;
        Status status = Status::NoPicture;
    };

    // Pictures are decoded at the smallest scale the JPEG reader offers that still covers box,
    // then scaled to fit it; movies go through the codec registered for their extension.
    static Result Make(const QString& localPath, TavContentKind kind, const QSize& box);

private:
    CTavContentThumbnail() = delete;
};
