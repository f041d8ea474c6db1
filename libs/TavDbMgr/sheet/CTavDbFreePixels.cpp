#include "CTavDbFreePixels.h"

#include <vector>

#include "CTavDbFreeBytes.h"

namespace {
uint16_t toRgb565(QRgb c)
{
    return uint16_t(((qRed(c) >> 3) << 11) | ((qGreen(c) >> 2) << 5) | (qBlue(c) >> 3));
}

QRgb fromRgb565(uint16_t v)
{
    const int r = (v >> 11) & 0x1F;
    const int g = (v >> 5) & 0x3F;
    const int b = v & 0x1F;
    return qRgb((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2));
}
} // namespace

void CTavDbFreePixels::Write(const QImage& image, CTavDbFreeWriter* out)
{
    if (image.isNull() || image.width() > MaxSide || image.height() > MaxSide) {
        out->u16(0);
        out->u16(0);
        return;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    out->u16(uint16_t(rgb.width()));
    out->u16(uint16_t(rgb.height()));
    std::vector<uint16_t> px;
    px.reserve(size_t(rgb.width()) * size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            px.push_back(toRgb565(line[x]));
    }
    size_t i = 0;
    while (i < px.size()) {
        size_t run = 1;
        while (i + run < px.size() && run < 129 && px[i + run] == px[i])
            ++run;
        if (run >= 2) {
            out->u8(uint8_t(0x7E + run));
            out->u16(px[i]);
            i += run;
            continue;
        }
        // Literal pixels up to the next run of two or more.
        size_t n = 1;
        while (i + n < px.size() && n < 128 && !(i + n + 1 < px.size() && px[i + n] == px[i + n + 1]))
            ++n;
        out->u8(uint8_t(n - 1));
        for (size_t k = 0; k < n; ++k)
            out->u16(px[i + k]);
        i += n;
    }
}

bool CTavDbFreePixels::Read(CTavDbFreeReader* in, QImage* image)
{
    const int w = in->u16();
    const int h = in->u16();
    if (!in->ok() || w > MaxSide || h > MaxSide)
        return false;
    if (w == 0 || h == 0) {
        *image = QImage();
        return true;
    }
    QImage out(w, h, QImage::Format_RGB32);
    const qsizetype total = qsizetype(w) * h;
    qsizetype done = 0;
    // 32-bit rows have no padding, so the pixels are one run of memory.
    QRgb* bits = reinterpret_cast<QRgb*>(out.bits());
    auto put = [&](uint16_t v) { bits[done++] = fromRgb565(v); };
    while (done < total) {
        const uint8_t c = in->u8();
        if (!in->ok())
            return false;
        if (c < 0x80) {
            for (int k = 0; k <= c && done < total; ++k)
                put(in->u16());
        } else {
            const uint16_t v = in->u16();
            for (int k = 0; k < c - 0x7E && done < total; ++k)
                put(v);
        }
        if (!in->ok())
            return false;
    }
    *image = out;
    return true;
}
