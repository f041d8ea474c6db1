#pragma once

#include <QPixmap>

// The small pictures the list panes draw: the fill pattern of masked rows, the placeholders
// of rows without a thumbnail and the private-record mark. They are drawn once, on first use.
class CTavListBitmaps final
{
public:
    static constexpr int kPlaceholderKinds = 5;

    // The 8 x 8 pattern of a masked row; selected rows get the highlight's tint.
    static QPixmap Pattern(bool selected);
    // 80 x 60 pictures: 0 picture, 1 movie, 2 sound, 3 handwriting, 4 no contents.
    static QPixmap Placeholder(int kind);
    // The mark of a private record (a padlock), size pixels high.
    static QPixmap PrivateMark(int size);
};
