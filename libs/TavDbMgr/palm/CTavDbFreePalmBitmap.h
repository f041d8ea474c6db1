#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <cstdint>

#include "TavStatus.h"

// Decodes the handheld's bitmap resources ('Tbmp', 'tAIB'): header versions 0 to 3, 1 to 16 bits
// per pixel, uncompressed, scan-line, RLE and PackBits data, colour tables, transparency, and
// families that hold the same picture in several depths and densities.
class CTavDbFreePalmBitmap final
{
public:
    enum Flag : uint16_t
    {
        FlagCompressed = 0x8000,
        FlagHasColorTable = 0x4000,
        FlagHasTransparency = 0x2000,
        FlagIndirect = 0x1000,
        FlagForScreen = 0x0800,
        FlagDirectColor = 0x0400,
        FlagIndirectColorTable = 0x0200,
        FlagNoDither = 0x0100,
    };
    enum PixelFormat
    {
        Indexed = 0,
        Rgb565 = 1,
        Rgb565LittleEndian = 2,
        IndexedLittleEndian = 3
    };
    static constexpr int StandardDensity = 72;
    static constexpr int MaxSide = 4096;
    static constexpr qsizetype MaxPixels = 4 * 1024 * 1024;

    // One picture of a family, as its header describes it.
    struct Member
    {
        qsizetype offset = 0; // of its header within the resource
        int headerSize = 16;
        int version = 0;
        int width = 0;
        int height = 0;
        int rowBytes = 0;
        uint16_t flags = 0;
        int depth = 1;
        int density = StandardDensity;
        int pixelFormat = Indexed;
        int compression = 0xFF;   // CTavDbPalmBitmapRows::Compression; 0xFF when not compressed
        uint32_t transparent = 0; // index, or RGB565 value for 16 bits (version 3)
    };

    struct Options
    {
        Options() : preferredDensity(StandardDensity), maxDepth(16) {}
        // The family member closest to this density wins, then the deepest up to maxDepth.
        int preferredDensity;
        int maxDepth;
    };

    // The best member of the family as a picture (ARGB32, transparent pixels fully transparent)
    // and its mask (1 bit per pixel, 1 where the picture shows). When the best member is broken
    // the next best is tried; the first error is returned when none decodes.
    static TavStatus CreateBitmap(QByteArrayView data, QImage* image, QImage* mask = nullptr,
                                  const Options& options = Options(), Member* chosen = nullptr);

    // The members in file order; the 16-byte dummy header (version 1, pixel size 0xFF) before the
    // high-density members is stepped over. Corrupt when not even the first header is complete.
    static TavStatus ReadFamily(QByteArrayView data, QList<Member>* members);
    // Member indexes from the most to the least wanted.
    static QList<int> RankMembers(const QList<Member>& members, const Options& options);
    static TavStatus DecodeMember(QByteArrayView data, const Member& member, QImage* image, QImage* mask);

private:
    CTavDbFreePalmBitmap() = delete;
};
