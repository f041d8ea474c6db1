#pragma once

// Maps a time of day (seconds after midnight) to a y offset in the timed area and back. An
// hour is two rows; y 0 is midnight and DayHeight() is the following midnight.
class CTavComTimeScale final
{
public:
    static constexpr int kDaySeconds = 86400;
    static constexpr int kRowsPerHour = 2;

    explicit CTavComTimeScale(int rowHeight = 22);

    int RowHeight() const { return m_rowHeight; }
    int HourHeight() const { return m_rowHeight * kRowsPerHour; }
    int DayHeight() const { return HourHeight() * 24; }

    // The pixel row a time falls into (rounded down).
    int TimeToY(int seconds) const;
    // The first second of a pixel row, clamped to the day.
    int YToTime(int y) const;
    // The smallest span of seconds that covers at least the given number of pixels.
    int PixelsToSeconds(int pixels) const;

    // To the nearest multiple of step, within 0..kDaySeconds.
    static int Snap(int seconds, int step);

private:
    int m_rowHeight;
};
