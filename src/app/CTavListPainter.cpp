#include "CTavListPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>

#include "CTavFontChoice.h"
#include "CTavListBitmaps.h"

QColor CTavListPainter::ToQColor(uint32_t colorRef)
{
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

const QFont& CTavListPainter::Font()
{
    if (!m_font) {
        m_font = CTavFontChoice::ListFont(kFontPointSize);
        m_textHeight = QFontMetrics(*m_font).height();
    }
    return *m_font;
}

int CTavListPainter::TextHeight()
{
    Font();
    return m_textHeight;
}

void CTavListPainter::Begin(QPainter* painter, int rowHeight)
{
    m_target = painter;
    m_geometry.Begin(rowHeight);
    if (m_target) {
        m_target->setFont(Font());
        m_target->setPen(ToQColor(m_textColour));
    }
}

void CTavListPainter::End()
{
    m_target = nullptr;
}

void CTavListPainter::SetTextColor(uint32_t colour)
{
    m_textColour = colour;
    if (m_target)
        m_target->setPen(ToQColor(colour));
}

void CTavListPainter::SetBkColor(uint32_t colour)
{
    m_backgroundColour = colour;
    if (m_target)
        m_target->setBackground(ToQColor(colour));
}

void CTavListPainter::DrawText(const QRect& rect, const QString& text, int flags)
{
    if (!m_target || rect.width() <= 0)
        return;
    const QFontMetrics metrics(Font());
    const QString shown = metrics.elidedText(text, Qt::ElideRight, rect.width());
    m_target->drawText(rect, (flags ? flags : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

void CTavListPainter::Fill(const QRect& rect, const QBrush* brush)
{
    if (m_target)
        m_target->fillRect(rect, brush ? *brush : QBrush(Qt::white));
}

void CTavListPainter::HighlightRow(int index)
{
    if (m_target)
        m_target->fillRect(m_geometry.RowRect(index), ToQColor(m_highlightColour));
}

void CTavListPainter::FocusFrame(int index)
{
    if (!m_target)
        return;
    m_target->save();
    m_target->setPen(ToQColor(kFocusColour));
    m_target->setBrush(Qt::NoBrush);
    m_target->drawRect(m_geometry.FrameRect(index).adjusted(0, 0, -1, -1));
    m_target->restore();
}

void CTavListPainter::PatternedRow(int index, bool flag)
{
    if (!m_target)
        return;
    m_target->fillRect(m_geometry.RowRect(index), QBrush(CTavListBitmaps::Pattern(flag)));
    BlackFrame(index);
}

void CTavListPainter::BlackFrame(int index)
{
    if (!m_target)
        return;
    m_target->save();
    m_target->setPen(Qt::black);
    m_target->setBrush(Qt::NoBrush);
    m_target->drawRect(m_geometry.FrameRect(index).adjusted(0, 0, -1, -1));
    m_target->restore();
}

void CTavListPainter::DrawBitmap(int x, int y, const QPixmap& bitmap)
{
    if (m_target)
        m_target->drawPixmap(x, y, bitmap);
}

void CTavListPainter::DrawThumbnail(int x, int y, const QImage* picture, int placeholderKind)
{
    if (!m_target)
        return;
    if (picture && !picture->isNull()) {
        const QRect target = m_geometry.ThumbnailRect(x, y, picture->size());
        if (target.isValid())
            m_target->drawImage(target, *picture);
        return;
    }
    const QSize size = m_geometry.PlaceholderSize();
    if (!size.isEmpty())
        m_target->drawPixmap(QRect(QPoint(x + 1, y + 1), size),
                             CTavListBitmaps::Placeholder(placeholderKind));
}

void CTavListPainter::VerticalLine(int x)
{
    if (!m_target)
        return;
    m_target->save();
    m_target->setPen(ToQColor(kLineColour));
    m_target->drawLine(x, m_geometry.headerHeight, x, m_geometry.headerHeight + m_geometry.paneHeight);
    m_target->restore();
}

const QImage* CTavListPainter::CachedPicture(const QString& fileName)
{
    auto it = m_pictures.find(fileName);
    if (it == m_pictures.end())
        it = m_pictures.insert(fileName, QImage(fileName));
    return it->isNull() ? nullptr : &*it;
}
