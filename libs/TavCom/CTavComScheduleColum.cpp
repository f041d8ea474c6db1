#include "CTavComScheduleColum.h"

#include <algorithm>

#include "CTavComDayClock.h"
#include "CTavComOverlapLayout.h"
#include "CTavComScheduleBox.h"

namespace {

// Room kept free on the right of a column so that a full column still has a place to click.
constexpr int kFreeRight = 6;
constexpr int kLaneGap = 2;

// The part of the day a box covers on screen: at least minSeconds, and inside the day.
std::pair<int, int> shownSpan(const CTavComScheduleBox& box, int minSeconds)
{
    int start = box.GetStartSec();
    int end = std::max(box.GetEndSec(), start + minSeconds);
    if (end > CTavComTimeScale::kDaySeconds) {
        end = CTavComTimeScale::kDaySeconds;
        start = std::max(0, std::min(start, end - minSeconds));
    }
    return {start, end};
}

} // namespace

CTavComScheduleColum::CTavComScheduleColum() = default;

CTavComScheduleColum::CTavComScheduleColum(const QString& title) : m_title(title) {}

CTavComScheduleColum::~CTavComScheduleColum() = default;

void CTavComScheduleColum::AddBox(CTavComScheduleBox* box)
{
    if (!box)
        return;
    box->SetNoTime(false);
    m_boxes.emplace_back(box);
}

void CTavComScheduleColum::AddNoTimeBox(CTavComScheduleBox* box)
{
    if (!box)
        return;
    box->SetNoTime(true);
    m_noTimeBoxes.emplace_back(box);
}

void CTavComScheduleColum::ClearBoxes()
{
    m_boxes.clear();
    m_noTimeBoxes.clear();
}

int CTavComScheduleColum::CalcDuplication(int minSeconds)
{
    m_minSeconds = std::clamp(minSeconds, 0, CTavComTimeScale::kDaySeconds);
    std::vector<CTavComOverlapLayout::Span> spans;
    spans.reserve(m_boxes.size());
    CTavComDayClock clock;
    for (const auto& box : m_boxes) {
        box->CalcDayTimes(clock);
        const auto [start, end] = shownSpan(*box, m_minSeconds);
        spans.push_back({start, end});
    }
    for (const auto& box : m_noTimeBoxes)
        box->CalcDayTimes(clock);
    const int most = CTavComOverlapLayout::Layout(spans);
    for (size_t i = 0; i < spans.size(); ++i)
        m_boxes[i]->SetLane(spans[i].lane, spans[i].span, spans[i].lanes, spans[i].group);
    return most;
}

void CTavComScheduleColum::CalcLayout(const CTavComTimeScale& scale, const SizeSetting& size)
{
    const int left = m_x + 1;
    const int inner = std::max(1, m_width - 1 - kFreeRight);
    for (const auto& box : m_boxes) {
        const auto [start, end] = shownSpan(*box, m_minSeconds);
        const int lanes = std::max(1, box->GetDupCount());
        // Edges from the lane fractions, so that rounding never adds up across the lanes.
        const int x0 = left + inner * box->GetLane() / lanes;
        const int x1 = left + inner * (box->GetLane() + box->GetLaneSpan()) / lanes;
        const int gap = box->GetLane() + box->GetLaneSpan() < lanes ? kLaneGap : 0;
        const int y0 = scale.TimeToY(start);
        const int y1 = std::max(scale.TimeToY(end), y0 + 2);
        box->SetRect(QRect(QPoint(x0, y0 + 1), QPoint(std::max(x0, x1 - 1 - gap), y1 - 1)));
    }
    const int rowHeight = std::max(4, size.noTimeRowHeight);
    for (size_t i = 0; i < m_noTimeBoxes.size(); ++i) {
        const int top = static_cast<int>(i) * rowHeight + 2;
        m_noTimeBoxes[i]->SetRect(QRect(left + 1, top, std::max(1, m_width - 4), rowHeight - 2));
    }
}
