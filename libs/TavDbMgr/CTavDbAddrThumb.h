#pragma once

#include <QByteArray>

// A card's thumbnail made from a picture of any format Qt reads: JPEG, fitting a square of
// kSize pixels.
class CTavDbAddrThumb final
{
public:
    static constexpr int kSize = 96;

    // Empty when the bytes are no picture (or claim a huge one). A JPEG that already fits is
    // kept byte for byte, so that a card written out and read back keeps the same thumbnail.
    static QByteArray FromPicture(const QByteArray& picture);
};
