#pragma once

#include <QPixmap>

// The handwritten memo's small pictures: the alarm bell of the list and the preview, and the
// thumbnail mark of the list header.
class CTavFreeIcons final
{
public:
    static QPixmap Alarm(int size);
    static QPixmap Thumb(int size);
};
