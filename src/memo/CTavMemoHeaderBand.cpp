#include "CTavMemoHeaderBand.h"

#include <QPainter>

#include "CTavFontChoice.h"
#include "CTavListPainter.h"

CTavMemoHeaderBand::CTavMemoHeaderBand(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("headerBand"));
    setFixedHeight(kHeight);
}

void CTavMemoHeaderBand::SetTexts(const QString& module, const QString& position, const QString& category)
{
    m_module = module;
    m_position = position;
    m_category = category;
    update();
}

void CTavMemoHeaderBand::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor band = CTavListPainter::ToQColor(kColour);
    p.fillRect(rect(), band);
    p.setFont(CTavFontChoice::ListFont(10));
    p.setPen(Qt::black);
    const struct
    {
        int x;
        int width;
        const QString& text;
    } places[] = {{0, 80, m_module}, {80, 100, m_position}, {180, std::max(0, width() - 180), m_category}};
    for (const auto& place : places) {
        if (place.text.isEmpty())
            continue;
        const QRect r(place.x + 6, 0, place.width - 6, height());
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(place.text, Qt::ElideRight, r.width()));
    }
}
