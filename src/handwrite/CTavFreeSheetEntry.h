#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>

// One listed memo-sheet file: what the list, the sort and the preview need, copied out of the
// file when the folder was scanned.
struct CTavFreeSheetEntry
{
    QString title;
    QByteArray titleKey; // the title in code page 932, compared as the handheld compares text
    QString path;
    QImage smallThumbnail;
    int categoryId = 0;
    int64_t created = 0; // calendar seconds, local time
    int64_t modified = 0;
    int64_t eventTime = 0; // 0 without a schedule date
    int64_t fileSize = 0;
    bool alarm = false;
    bool inPastFolder = false;
    int scanIndex = 0; // position in the folder scan: the order of sheets with equal keys
};
