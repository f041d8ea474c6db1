#pragma once

#include <QPoint>

#include <optional>

class CTavComScheduleBox;

// Where a moved or resized box ends up, as times of the day and the column it was dropped on.
struct CTavComDragResult
{
    CTavComScheduleBox* box = nullptr;
    bool resize = false;
    int fromColumn = -1;
    int toColumn = -1;
    bool wasNoTime = false;
    bool toNoTime = false; // dropped on the untimed band
    int startSec = 0;
    int endSec = 0;
};

// The gesture of moving a box or dragging its bottom edge, in times of the day. Nothing
// changes until the pointer has travelled a few pixels, so that a click only selects.
class CTavComDragTracker final
{
public:
    enum class Mode
    {
        None,
        Move,
        Resize
    };

    // The latest end a box may have: an end on the next day is cut back to this.
    static constexpr int kLastEnd = 23 * 3600 + 55 * 60 + 55;
    // Length given to an untimed box that is dropped among the hours.
    static constexpr int kNoTimeLength = 3600;

    void SetStep(int seconds);
    int Step() const { return m_step; }
    void SetThreshold(int pixels) { m_threshold = pixels; }

    // pressSec: the time under the pointer when the button went down (ignored for untimed boxes).
    void Begin(Mode mode, CTavComScheduleBox* box, int column, bool noTime, int startSec, int endSec,
               const QPoint& pressPoint, int pressSec);
    // Feeds a pointer position; returns true when the preview changed.
    bool Update(const QPoint& point, int column, bool overNoTime, int pointerSec);
    // Ends the gesture: the result when the box would change, nothing for a plain click.
    std::optional<CTavComDragResult> Finish();
    void Cancel();

    Mode GetMode() const { return m_mode; }
    bool IsActive() const { return m_mode != Mode::None; }
    bool IsDragging() const { return m_dragging; }
    CTavComScheduleBox* Box() const { return m_result.box; }
    // The box as it would land now (times not yet swapped or cut back).
    const CTavComDragResult& Preview() const { return m_result; }

    // Swaps reversed times and cuts an end on the next day back to kLastEnd.
    static void Normalise(int& startSec, int& endSec);

private:
    Mode m_mode = Mode::None;
    bool m_dragging = false;
    int m_step = 300;
    int m_threshold = 4;
    QPoint m_pressPoint;
    int m_grabOffset = 0;
    int m_origStart = 0;
    int m_origEnd = 0;
    CTavComDragResult m_result;
};
