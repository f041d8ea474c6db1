#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the page of a sheet sits in the editor and how objects move on it: the page shows part
// of the canvas, scrolled vertically; mouse points become canvas points; objects move in steps
// of two pixels and never leave the page.
class CTavDbFreePageGeometry final
{
public:
    static constexpr QPoint DefaultOrigin{17, 37};
    static constexpr int ScrollStep = 120;

    CTavDbFreePageGeometry(QSize pageSize = QSize(300, 394), QSize canvasSize = QSize(320, 480),
                           QPoint origin = DefaultOrigin);

    QSize PageSize() const { return m_page; }
    QSize CanvasSize() const { return m_canvas; }
    QPoint Origin() const { return m_origin; }
    // The editor window for this page: 340 x 580 for the 300 x 394 page, growing with it.
    QSize WindowSize() const { return QSize(340 + m_page.width() - 300, 580 + m_page.height() - 394); }

    int Scroll() const { return m_scroll; }
    // Clamped to 0 ... canvas height - page height.
    void SetScroll(int offset);
    void ScrollBy(int delta) { SetScroll(m_scroll + delta); }
    // The part of the canvas the page shows.
    QRect VisibleRect() const { return QRect(QPoint(0, m_scroll), m_page); }

    QPoint ToCanvas(const QPoint& windowPoint) const { return windowPoint - m_origin + QPoint(0, m_scroll); }
    QPoint ToWindow(const QPoint& canvasPoint) const { return canvasPoint + m_origin - QPoint(0, m_scroll); }

    // One mouse move of a dragged object: the delta plus the carried remainder, rounded down to
    // an even number; the odd pixel is carried to the next move.
    static int EvenStep(int delta, int* remainder);
    // The rectangle moved back inside the page (its top-left kept when it is larger).
    static QRect PushInside(const QRect& rect, const QRect& page);
    // The resize delta with each component that would take the right or bottom edge past the
    // page's last pixel set to 0.
    static QPoint ClampResize(const QRect& rect, const QPoint& delta, const QRect& page);

private:
    QSize m_page;
    QSize m_canvas;
    QPoint m_origin;
    int m_scroll = 0;
};
