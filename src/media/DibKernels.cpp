#include "DibKernels.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define LUMORA_HAVE_SSSE3_PATH 1
#endif

namespace {
constexpr int Tile = 32;
constexpr int BlockTile = 128;

using Turn = DibKernels::Turn;

// Square tiles keep both the rows read and the rows written in the first-level cache.
template <int P> void turnPixels(const Turn& t, int dxBegin, int dxEnd, int dyBegin, int dyEnd)
{
    for (int ty = dyBegin; ty < dyEnd; ty += Tile) {
        const int yEnd = std::min(ty + Tile, dyEnd);
        for (int tx = dxBegin; tx < dxEnd; tx += Tile) {
            const int xEnd = std::min(tx + Tile, dxEnd);
            for (int dy = ty; dy < yEnd; ++dy) {
                const int sx = t.mirrorX ? t.w - 1 - dy : dy;
                uchar* out = t.dst + dy * t.dstStride + tx * P;
                // Offsets, not pointers, walk the source column, so that nothing points before it.
                qsizetype in = (t.mirrorY ? qsizetype(t.h - 1 - tx) : qsizetype(tx)) * t.srcStride + sx * P;
                const qsizetype step = t.mirrorY ? -t.srcStride : t.srcStride;
                for (int dx = tx; dx < xEnd; ++dx, out += P, in += step)
                    std::memcpy(out, t.src + in, P);
            }
        }
    }
}

void reversePixels(const uchar* in, uchar* out, int from, int width)
{
    for (int x = from; x < width; ++x)
        std::memcpy(out + 3 * (width - 1 - x), in + 3 * x, 3);
}

#ifdef LUMORA_HAVE_SSSE3_PATH
bool haveBlocks()
{
    static const bool have = __builtin_cpu_supports("ssse3");
    return have;
}

// Four pixels of a row as four 32-bit lanes; the load runs 4 bytes past them.
__attribute__((target("ssse3"))) __m128i widened(const uchar* pixels, bool reversed)
{
    const __m128i widen = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i v = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels)), widen);
    return reversed ? _mm_shuffle_epi32(v, 0x1B) : v;
}

// Stores the 12 pixel bytes of the first 12 shuffled bytes exactly, touching nothing after them.
__attribute__((target("ssse3"))) void storeTwelve(uchar* out, __m128i v, __m128i order)
{
    const __m128i packed = _mm_shuffle_epi8(v, order);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), packed);
    const int last = _mm_cvtsi128_si32(_mm_srli_si128(packed, 8));
    std::memcpy(out + 8, &last, 4);
}

// Blocks of 4 × 4 pixels: each source row of a block is widened to four 32-bit lanes, the
// lanes are transposed in registers and narrowed back to 3 bytes a pixel.
__attribute__((target("ssse3"))) void turnBgrBlocks(const Turn& t, int dxEnd, int dyEnd)
{
    const __m128i narrow = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    const int step = t.mirrorY ? -1 : 1;
    for (int ty = 0; ty < dyEnd; ty += BlockTile) {
        const int yEnd = std::min(ty + BlockTile, dyEnd);
        for (int tx = 0; tx < dxEnd; tx += BlockTile) {
            const int xEnd = std::min(tx + BlockTile, dxEnd);
            for (int dy = ty; dy < yEnd; dy += 4) {
                const int column = 3 * (t.mirrorX ? t.w - 4 - dy : dy);
                for (int dx = tx; dx < xEnd; dx += 4) {
                    const int sy = t.mirrorY ? t.h - 1 - dx : dx;
                    const uchar* first = t.src + sy * t.srcStride + column;
                    const __m128i a = widened(first, t.mirrorX);
                    const __m128i b = widened(first + step * t.srcStride, t.mirrorX);
                    const __m128i c = widened(first + 2 * step * t.srcStride, t.mirrorX);
                    const __m128i d = widened(first + 3 * step * t.srcStride, t.mirrorX);
                    const __m128i ab0 = _mm_unpacklo_epi32(a, b), ab1 = _mm_unpackhi_epi32(a, b);
                    const __m128i cd0 = _mm_unpacklo_epi32(c, d), cd1 = _mm_unpackhi_epi32(c, d);
                    uchar* out = t.dst + dy * t.dstStride + dx * 3;
                    storeTwelve(out, _mm_unpacklo_epi64(ab0, cd0), narrow);
                    storeTwelve(out + t.dstStride, _mm_unpackhi_epi64(ab0, cd0), narrow);
                    storeTwelve(out + 2 * t.dstStride, _mm_unpacklo_epi64(ab1, cd1), narrow);
                    storeTwelve(out + 3 * t.dstStride, _mm_unpackhi_epi64(ab1, cd1), narrow);
                }
            }
        }
    }
}

__attribute__((target("ssse3"))) int reverseBgrBlocks(const uchar* in, uchar* out, int width)
{
    const __m128i reverse = _mm_setr_epi8(9, 10, 11, 6, 7, 8, 3, 4, 5, 0, 1, 2, -1, -1, -1, -1);
    int x = 0;
    for (; x + 4 <= width; x += 4)
        storeTwelve(out + 3 * (width - 4 - x), _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 3 * x)),
                    reverse);
    return x;
}
#endif
} // namespace

void DibKernels::turn(const Turn& t, int bytesPerPixel)
{
    if (bytesPerPixel == 1) {
        turnPixels<1>(t, 0, t.h, 0, t.w);
        return;
    }
#ifdef LUMORA_HAVE_SSSE3_PATH
    if (haveBlocks()) {
        // Whole blocks first, then the strips of fewer than four rows or columns.
        const int dxBlocks = t.h & ~3;
        const int dyBlocks = t.w & ~3;
        turnBgrBlocks(t, dxBlocks, dyBlocks);
        turnPixels<3>(t, dxBlocks, t.h, 0, t.w);
        turnPixels<3>(t, 0, dxBlocks, dyBlocks, t.w);
        return;
    }
#endif
    turnPixels<3>(t, 0, t.h, 0, t.w);
}

void DibKernels::reverseRow(const uchar* in, uchar* out, int width, int bytesPerPixel)
{
    if (bytesPerPixel == 1) {
        std::reverse_copy(in, in + width, out);
        return;
    }
    int done = 0;
#ifdef LUMORA_HAVE_SSSE3_PATH
    if (haveBlocks())
        done = reverseBgrBlocks(in, out, width);
#endif
    reversePixels(in, out, done, width);
}
