#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Quoted-printable as vCard 2.1 writes it. Soft line breaks are joined by the line reader
// before decoding, so a multi-byte character split over two lines comes back whole.
class CTavDbQuotedPrintable final
{
public:
    // "=XX" becomes the byte; a "=" not followed by two hex digits stays as it is, and a soft
    // line break left in the text ("=" before a line end) is dropped.
    static QByteArray decode(QByteArrayView in);
};
