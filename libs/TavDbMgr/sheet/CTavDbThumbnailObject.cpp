#include "CTavDbThumbnailObject.h"

#include "CTavDbFreeBytes.h"
#include "CTavDbFreePixels.h"

void CTavDbThumbnailObject::SetThumbnail(const QImage& page)
{
    m_image = page.isNull() ? QImage()
                            : page.scaled(StoredSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                  .convertToFormat(QImage::Format_RGB32);
    Touch();
}

void CTavDbThumbnailObject::PackPayload(CTavDbFreeWriter& out) const
{
    CTavDbFreePixels::Write(m_image, &out);
}

bool CTavDbThumbnailObject::ParsePayload(CTavDbFreeReader& in)
{
    return CTavDbFreePixels::Read(&in, &m_image);
}
