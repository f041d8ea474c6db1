#include "CTavComTimeScale.h"

#include <algorithm>

CTavComTimeScale::CTavComTimeScale(int rowHeight) : m_rowHeight(std::clamp(rowHeight, 4, 600)) {}

int CTavComTimeScale::TimeToY(int seconds) const
{
    const long long s = std::clamp(seconds, 0, kDaySeconds);
    return static_cast<int>(s * HourHeight() / 3600);
}

int CTavComTimeScale::YToTime(int y) const
{
    const long long py = std::clamp(y, 0, DayHeight());
    // Ceiling, so that TimeToY(YToTime(y)) == y for every row of the day.
    return static_cast<int>((py * 3600 + HourHeight() - 1) / HourHeight());
}

int CTavComTimeScale::PixelsToSeconds(int pixels) const
{
    const long long p = std::max(pixels, 0);
    return static_cast<int>((p * 3600 + HourHeight() - 1) / HourHeight());
}

int CTavComTimeScale::Snap(int seconds, int step)
{
    if (step <= 1)
        return std::clamp(seconds, 0, kDaySeconds);
    const int s = std::clamp(seconds, 0, kDaySeconds);
    return std::min((s + step / 2) / step * step, kDaySeconds);
}
