#include <QByteArrayView>
#include <QImage>

#include "CTavDbFreePalmBitmap.h"

// Every member of the family is decoded, not only the one CreateBitmap would pick.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QList<CTavDbFreePalmBitmap::Member> members;
    if (CTavDbFreePalmBitmap::ReadFamily(bytes, &members) != TavStatusCode::Ok)
        return 0;
    for (const CTavDbFreePalmBitmap::Member& member : members) {
        QImage image;
        QImage mask;
        if (CTavDbFreePalmBitmap::DecodeMember(bytes, member, &image, &mask) == TavStatusCode::Ok &&
            (image.size() != QSize(member.width, member.height) || mask.size() != image.size()))
            abort();
    }
    QImage image;
    CTavDbFreePalmBitmap::Options options;
    options.preferredDensity = 144;
    options.maxDepth = 8;
    CTavDbFreePalmBitmap::CreateBitmap(bytes, &image, nullptr, options);
    return 0;
}
