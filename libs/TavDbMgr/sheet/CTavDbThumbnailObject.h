#pragma once

#include <QImage>

#include "CTavDbFreeRecord.h"

// The sheet's small picture, first record of a memo sheet, so that a list of sheets needs no
// drawing. It is kept at a quarter of the page (75 x 98), enough for the list's 24 x 24.
class CTavDbThumbnailObject final : public CTavDbFreeRecord
{
public:
    static constexpr QSize StoredSize{75, 98};

    CTavDbThumbnailObject() : CTavDbFreeRecord(KindThumbnail) {}

    const QImage& GetImage() const { return m_image; }
    // Scales the page picture down to the stored size.
    void SetThumbnail(const QImage& page);

protected:
    void PackPayload(CTavDbFreeWriter& out) const override;
    bool ParsePayload(CTavDbFreeReader& in) override;

private:
    QImage m_image;
};
