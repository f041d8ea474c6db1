#pragma once

#include <QColor>

#include "CTavDbFreeRecord.h"

// The sheet's background colour and the rectangle of its canvas (320 x 480 for memo sheets,
// of which the page shows 300 x 394 at a time).
class CTavDbFreeCanvasObject final : public CTavDbFreeRecord
{
public:
    static constexpr QRect DefaultRect{0, 0, 320, 480};

    CTavDbFreeCanvasObject() : CTavDbFreeRecord(KindCanvas) { SetRectRaw(DefaultRect); }

    QColor GetColor() const { return m_color; }
    void SetColor(int red, int green, int blue, const QRect& rect);

protected:
    void PackPayload(CTavDbFreeWriter& out) const override;
    bool ParsePayload(CTavDbFreeReader& in) override;

private:
    QColor m_color = Qt::white;
};
