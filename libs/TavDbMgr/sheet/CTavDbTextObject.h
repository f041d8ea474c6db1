#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "CTavDbFreeRecord.h"

class QFontMetrics;

// A text box: text (line feeds between lines), colour, one of the handheld's font codes and the
// box. Boxes are at least 24 x 24; the box rules of the editor are here so that the handheld
// and the PC agree on them.
class CTavDbTextObject final : public CTavDbFreeRecord
{
public:
    static constexpr int MinSide = 24;
    static constexpr int MaxChars = 4095;
    static constexpr int DefaultFont = 2;

    CTavDbTextObject() : CTavDbFreeRecord(KindText) { SetRectRaw(QRect(0, 0, MinSide, MinSide)); }

    // The six font codes the handheld offers, smallest first.
    static QList<int> FontCodes() { return {2, 7, 8, 9, 10, 15}; }
    // The font of a code; an unknown code gives the font of DefaultFont.
    static QFont CreateFont(int fontCode);
    // The text cut to fit width, with "..." appended when cut.
    static QString GetClippedText(const QString& text, const QFontMetrics& metrics, int width);

    // Where a box dragged from p starts: p kept MinSide pixels inside the page's right and
    // bottom edge.
    static QPoint StartBox(const QPoint& p, const QRect& page);
    // The box while dragging from start to p: at least MinSide square, ending one pixel inside
    // the page.
    static QRect DragBox(const QPoint& start, const QPoint& p, const QRect& page);
    // The placed box: at least MinSide square, inside the page, left and top even.
    static QRect FinishBox(const QRect& box, const QRect& page);

    void SetString(const QString& text, QColor color, int fontCode);
    void SetBox(const QRect& box);
    const QString& GetString() const { return m_text; }
    QColor GetColor() const { return m_color; }
    int GetFontCode() const { return m_font; }

    bool IsPageObject() const override { return true; }
    bool IsResizable() const override { return true; }
    QSize MinimumSize() const override { return QSize(MinSide, MinSide); }

protected:
    void PackPayload(CTavDbFreeWriter& out) const override;
    bool ParsePayload(CTavDbFreeReader& in) override;
    void DrawObject(QPainter& painter, const CTavDbFreeDrawContext& context) const override;

private:
    QString m_text;
    QColor m_color = Qt::black;
    int m_font = DefaultFont;
};
