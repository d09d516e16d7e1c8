#pragma once
// A manoeuvre made when one target closes to a range: "alter when Alpha is
// at 4 miles". The time is found at the present courses and speeds from the
// latest observation of all the targets on: the first moment the target's
// range falls to the asked range.

#include <optional>
#include <string>

#include "traffic/exercise.hpp"

namespace echo_track::traffic {

// The most minutes after the latest observation a manoeuvre may come: half a
// day, beyond which a clock time no longer says which day it means.
inline constexpr double kLatestManoeuvreMin = 720.0;

enum class RangeReach {
    Reached,        // at `after_latest_min`
    AlreadyInside,  // the target was inside the range already at the latest observation
    NeverCloses,    // its range never falls to the asked range (its least range ahead is more)
    TooLate,        // it does, but more than kLatestManoeuvreMin after the latest observation
    NotSolved,      // its sightings are all at one time: its motion is unknown
    NoSuchTarget,
};

struct RangeTime {
    RangeReach reach = RangeReach::NoSuchTarget;
    double after_latest_min = 0.0;  // from the latest observation of all
    double range_at_latest_nm = 0.0;
    double least_range_nm = 0.0;    // ahead of the latest observation
};

// When `trigger.of` first closes to `trigger.range_nm` in `exercise`.
RangeTime range_time(const TrafficExercise& exercise, const RangeTrigger& trigger);

}  // namespace echo_track::traffic
