#pragma once

#include <QColor>
#include <QList>
#include <QPoint>
#include <QPolygon>
#include <QRect>

class CTavDbFreePdbObjectManager;
class CTavDbFreeRecord;
class CTavDbTextObject;
class CTavFreeEditUndo;

// The editor's tools and what the mouse is doing with them, as one small state number. Points
// are canvas points; the page is the part of the canvas shown, which nothing may leave.
class CTavFreeEditTools final
{
public:
    enum State
    {
        NoTool = 0,
        Pen = 1,
        Eraser = 3,
        Text = 5,
        Stroke = 7,
        TextBox = 8,
        Moving = 9,
        Resizing = 10,
        Erasing = 11,
    };

    explicit CTavFreeEditTools(CTavFreeEditUndo& undo) : m_undo(undo) {}

    void SetSheet(CTavDbFreePdbObjectManager* sheet);
    void SetPage(const QRect& page) { m_page = page; }
    const QRect& Page() const { return m_page; }

    int State() const { return m_state; }
    // The tool in use, also while an object is moved or resized.
    int Tool() const;
    void SetTool(int tool);
    int PenWidth() const { return m_penWidth; }
    void SetPenWidth(int width) { m_penWidth = s_lastWidth = width; }
    QColor PenColor() const { return m_penColor; }
    void SetPenColor(const QColor& color) { m_penColor = s_lastColor = color; }

    // True when the press started something the mouse now drives.
    bool Press(const QPoint& p);
    void Move(const QPoint& p);
    // A text box just placed, waiting for its text; null otherwise.
    CTavDbTextObject* Release(const QPoint& p);
    // Whether p is on the resize handle of the selection (the cursor shows it).
    bool OverHandle(const QPoint& p) const;

    CTavDbFreeRecord* Selection() const { return m_selection; }
    void ClearSelection();
    // Takes an object off the sheet (and out of the undo history).
    void Remove(CTavDbFreeRecord* record);
    // Takes the last stroke back; false when there is nothing to take back.
    bool Undo(QRect* changed = nullptr);

    // The box being dragged out (state 8) and the eraser's path (state 11).
    const QRect& DraggedBox() const { return m_box; }
    const QPolygon& ErasePath() const { return m_path; }
    const QList<CTavDbFreeRecord*>& EraseHits() const { return m_eraseHits; }

private:
    void startSelection(CTavDbFreeRecord* record, int state, const QPoint& p);

    CTavFreeEditUndo& m_undo;
    CTavDbFreePdbObjectManager* m_sheet = nullptr;
    QRect m_page{0, 0, 300, 394};
    int m_state = Pen;
    int m_keptTool = Pen;
    // The pen last chosen in this run: the next editor starts with it.
    static inline int s_lastWidth = 1;
    static inline QColor s_lastColor = QColor(Qt::black);
    int m_penWidth = s_lastWidth;
    QColor m_penColor = s_lastColor;

    CTavDbFreeRecord* m_selection = nullptr;
    CTavDbFreeRecord* m_current = nullptr; // the stroke or text box being made
    QPoint m_last;
    int m_remainderX = 0;
    int m_remainderY = 0;
    QPoint m_boxStart;
    QRect m_box;
    QPolygon m_path;
    QList<CTavDbFreeRecord*> m_eraseHits;
};
