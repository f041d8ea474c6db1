#include "CTavComDragTracker.h"

#include <algorithm>
#include <utility>

#include "CTavComTimeScale.h"

void CTavComDragTracker::SetStep(int seconds)
{
    m_step = std::clamp(seconds, 1, 3600);
}

void CTavComDragTracker::Begin(Mode mode, CTavComScheduleBox* box, int column, bool noTime, int startSec,
                               int endSec, const QPoint& pressPoint, int pressSec)
{
    m_mode = (noTime && mode == Mode::Resize) ? Mode::Move : mode;
    m_dragging = false;
    m_pressPoint = pressPoint;
    m_origStart = startSec;
    m_origEnd = std::max(startSec, endSec);
    m_grabOffset = noTime ? 0 : std::clamp(pressSec - startSec, 0, std::max(0, m_origEnd - startSec));
    m_result = CTavComDragResult{
        box, m_mode == Mode::Resize, column, column, noTime, noTime, m_origStart, m_origEnd};
}

bool CTavComDragTracker::Update(const QPoint& point, int column, bool overNoTime, int pointerSec)
{
    if (m_mode == Mode::None)
        return false;
    if (!m_dragging) {
        if ((point - m_pressPoint).manhattanLength() < m_threshold)
            return false;
        m_dragging = true;
    }
    const CTavComDragResult before = m_result;
    constexpr int day = CTavComTimeScale::kDaySeconds;
    if (m_mode == Mode::Resize) {
        m_result.endSec = CTavComTimeScale::Snap(pointerSec, m_step);
    } else {
        if (column >= 0)
            m_result.toColumn = column;
        m_result.toNoTime = overNoTime;
        if (!overNoTime) {
            const int length = m_result.wasNoTime ? kNoTimeLength : m_origEnd - m_origStart;
            const int lastStart = day / m_step * m_step - m_step;
            const int start =
                std::clamp(CTavComTimeScale::Snap(pointerSec - m_grabOffset, m_step), 0, lastStart);
            m_result.startSec = start;
            m_result.endSec = std::min(start + length, day);
        } else {
            m_result.startSec = m_origStart;
            m_result.endSec = m_origEnd;
        }
    }
    return before.startSec != m_result.startSec || before.endSec != m_result.endSec ||
           before.toColumn != m_result.toColumn || before.toNoTime != m_result.toNoTime;
}

std::optional<CTavComDragResult> CTavComDragTracker::Finish()
{
    const bool dragged = m_dragging;
    CTavComDragResult result = m_result;
    Cancel();
    if (!dragged)
        return std::nullopt;
    if (!result.toNoTime)
        Normalise(result.startSec, result.endSec);
    const bool same = result.toColumn == result.fromColumn && result.toNoTime == result.wasNoTime &&
                      (result.toNoTime || (result.startSec == m_origStart && result.endSec == m_origEnd));
    if (same)
        return std::nullopt;
    return result;
}

void CTavComDragTracker::Cancel()
{
    m_mode = Mode::None;
    m_dragging = false;
    m_result = CTavComDragResult{};
}

void CTavComDragTracker::Normalise(int& startSec, int& endSec)
{
    if (endSec < startSec)
        std::swap(startSec, endSec);
    if (endSec >= CTavComTimeScale::kDaySeconds)
        endSec = kLastEnd;
    if (startSec > endSec)
        startSec = endSec;
}
