#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QString>
#include <cstdint>
#include <optional>

#include "CTavListColumnTable.h"
#include "CTavListGeometry.h"

class QBrush;
class QPainter;
class QPixmap;

// The drawing primitives every module list is made of: rows, highlight, frames, texts,
// pictures and lines, in the list's geometry and colours. Colours are kept as the platform's
// colour values (red in the low byte).
class CTavListPainter
{
public:
    static constexpr uint32_t kHighlight = 0xB97456;
    static constexpr uint32_t kLightGrey = 0xF2F2F2;
    static constexpr uint32_t kLineColour = 0xCDCDCD;
    static constexpr uint32_t kFocusColour = 0x808080;
    static constexpr int kFontPointSize = 10;

    static QColor ToQColor(uint32_t colorRef);

    CTavListGeometry& Geometry() { return m_geometry; }
    const CTavListGeometry& Geometry() const { return m_geometry; }
    CTavListColumnTable& Columns() { return m_columns; }
    const CTavListColumnTable& Columns() const { return m_columns; }

    // Remembers the painter, lays the page out for the row height and selects the list font.
    void Begin(QPainter* painter, int rowHeight);
    void End();
    bool IsPainting() const { return m_target != nullptr; }
    QPainter* Target() const { return m_target; }

    // The list font, created on first need from the preferred faces.
    const QFont& Font();
    // The height of a line of text in the list font.
    int TextHeight();

    void SetTextColor(uint32_t colour);
    void SetBkColor(uint32_t colour);
    uint32_t TextColor() const { return m_textColour; }
    uint32_t BkColor() const { return m_backgroundColour; }
    uint32_t HighlightColor() const { return m_highlightColour; }
    uint32_t FourthColor() const { return m_fourthColour; }

    // Draws text left-aligned and vertically centred, cut with "..." when it does not fit.
    void DrawText(const QRect& rect, const QString& text, int flags = 0);
    // Fills with the brush, or white without one.
    void Fill(const QRect& rect, const QBrush* brush = nullptr);
    void HighlightRow(int index);
    void FocusFrame(int index);
    // The row filled with the masked-row pattern (its selected look when flag is set) and
    // framed in black.
    void PatternedRow(int index, bool flag);
    void BlackFrame(int index);
    void DrawBitmap(int x, int y, const QPixmap& bitmap);
    // A picture scaled into the row at (x, y), or the placeholder of the given kind.
    void DrawThumbnail(int x, int y, const QImage* picture, int placeholderKind);
    void VerticalLine(int x);

    // A picture file loaded once and kept by name; null when it cannot be read.
    const QImage* CachedPicture(const QString& fileName);
    void ClearPictureCache() { m_pictures.clear(); }

private:
    CTavListGeometry m_geometry;
    CTavListColumnTable m_columns;
    uint32_t m_highlightColour = kHighlight;
    uint32_t m_textColour = 0x000000;
    uint32_t m_backgroundColour = 0xFFFFFF;
    uint32_t m_fourthColour = kLightGrey;
    std::optional<QFont> m_font;
    int m_textHeight = 0;
    QHash<QString, QImage> m_pictures;
    QPainter* m_target = nullptr;
};
