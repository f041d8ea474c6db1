#pragma once

#include <QPixmap>

// The small marks of the address list's header and cells: a picture for the thumbnail column,
// a note for the comment column and a pen for the memo-sheet column (the private column uses
// the lists' padlock). Drawn once per size.
class CTavAddrIcons final
{
public:
    enum Kind
    {
        Thumbnail,
        Comment,
        MemoSheet
    };
    static QPixmap Icon(Kind kind, int size);
};
