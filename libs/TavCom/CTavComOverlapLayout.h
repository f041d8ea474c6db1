#pragma once

#include <vector>

// Side-by-side layout of time spans that overlap. Spans that overlap directly or through a chain
// of others form a group; every span of a group gets a lane, and a span widens over the lanes to
// its right that stay free for its whole length. Touching spans (one ends where the next starts)
// do not overlap.
class CTavComOverlapLayout final
{
public:
    struct Span
    {
        int start = 0;
        int end = 0;   // exclusive; an empty span is treated as one second long
        int lane = 0;  // out: 0-based lane within the group
        int span = 1;  // out: lanes covered, from lane to the right
        int lanes = 1; // out: lanes of the group
        int group = 0; // out: groups are numbered in time order
    };

    // Fills the out fields; returns the largest lane count of all groups (0 for no spans).
    static int Layout(std::vector<Span>& spans);

    static bool Overlaps(const Span& a, const Span& b);
};
