#pragma once
// Clock times of one day and the interval between two of them.

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

}  // namespace echo_track::traffic
