#pragma once
// Clock times of one day and the interval between two of them.

#include <cmath>

namespace echo_track::traffic {

inline constexpr int kMinutesPerDay = 1440;

// A time of day, whole minutes after 00:00 (0..1439).
struct ClockTime {
    int minutes = 0;
};

// Minutes from `from` to `to`, taken the shorter way round the clock, as the
// dialog takes its observation interval: -720 <= interval <= 720. 23:50 to
// 00:10 is +20; 00:10 to 23:50 is -20.
inline int minutes_between(ClockTime from, ClockTime to) {
    int d = to.minutes - from.minutes;
    if (d > kMinutesPerDay / 2) d -= kMinutesPerDay;
    if (d < -kMinutesPerDay / 2) d += kMinutesPerDay;
    return d;
}

// A moment of the day to a fraction of a minute, minutes after 00:00
// (0 <= minutes < 1440): the manoeuvre time when it is found from a range,
// and the time of a closest approach.
struct ClockMoment {
    double minutes = 0.0;
    bool whole() const { return minutes == std::floor(minutes); }
};

// The moment `minutes` (any sign, any size) after `from`, on the clock.
inline ClockMoment moment_after(double from_minutes, double minutes) {
    double m = std::fmod(from_minutes + minutes, static_cast<double>(kMinutesPerDay));
    if (m < 0.0) m += kMinutesPerDay;
    return ClockMoment{m >= kMinutesPerDay ? 0.0 : m};  // -1e-17 + 1440 rounds to 1440
}
inline ClockMoment moment_after(ClockTime from, double minutes) { return moment_after(from.minutes, minutes); }
inline ClockMoment moment_after(ClockMoment from, double minutes) { return moment_after(from.minutes, minutes); }

// The clock time nearest a moment, 23:59:40 giving 00:00.
inline ClockTime nearest_minute(ClockMoment moment) {
    return ClockTime{static_cast<int>(std::lround(moment.minutes)) % kMinutesPerDay};
}

}  // namespace echo_track::traffic
