#include "CTavComOverlapLayout.h"

#include <algorithm>
#include <numeric>

namespace {

int effectiveEnd(const CTavComOverlapLayout::Span& s)
{
    return std::max(s.end, s.start + 1);
}

// Widens each span of one group over the free lanes to its right.
void widen(std::vector<CTavComOverlapLayout::Span>& spans, const std::vector<int>& members, int lanes)
{
    std::vector<std::vector<int>> byLane(lanes);
    for (int i : members)
        byLane[spans[i].lane].push_back(i);
    for (int i : members) {
        CTavComOverlapLayout::Span& s = spans[i];
        s.lanes = lanes;
        s.span = 1;
        for (int lane = s.lane + 1; lane < lanes; ++lane) {
            const auto& others = byLane[lane];
            const bool blocked = std::any_of(others.begin(), others.end(), [&](int j) {
                return CTavComOverlapLayout::Overlaps(s, spans[j]);
            });
            if (blocked)
                break;
            ++s.span;
        }
    }
}

} // namespace

bool CTavComOverlapLayout::Overlaps(const Span& a, const Span& b)
{
    return a.start < effectiveEnd(b) && b.start < effectiveEnd(a);
}

int CTavComOverlapLayout::Layout(std::vector<Span>& spans)
{
    std::vector<int> order(spans.size());
    std::iota(order.begin(), order.end(), 0);
    // Earlier first; of two that start together the longer takes the left lane.
    std::stable_sort(order.begin(), order.end(), [&spans](int a, int b) {
        if (spans[a].start != spans[b].start)
            return spans[a].start < spans[b].start;
        return effectiveEnd(spans[a]) > effectiveEnd(spans[b]);
    });

    int maxLanes = 0;
    int group = 0;
    int groupEnd = 0;
    std::vector<int> laneEnds;
    std::vector<int> members;
    auto closeGroup = [&]() {
        if (members.empty())
            return;
        const int lanes = static_cast<int>(laneEnds.size());
        widen(spans, members, lanes);
        maxLanes = std::max(maxLanes, lanes);
        members.clear();
        laneEnds.clear();
        ++group;
    };

    for (int i : order) {
        Span& s = spans[i];
        if (!members.empty() && s.start >= groupEnd)
            closeGroup();
        const auto free =
            std::find_if(laneEnds.begin(), laneEnds.end(), [&s](int end) { return end <= s.start; });
        if (free == laneEnds.end()) {
            s.lane = static_cast<int>(laneEnds.size());
            laneEnds.push_back(effectiveEnd(s));
        } else {
            s.lane = static_cast<int>(free - laneEnds.begin());
            *free = effectiveEnd(s);
        }
        s.group = group;
        groupEnd = members.empty() ? effectiveEnd(s) : std::max(groupEnd, effectiveEnd(s));
        members.push_back(i);
    }
    closeGroup();
    return maxLanes;
}
