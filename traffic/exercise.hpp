#pragma once
// A traffic exercise as the officer has it: the own ship, every target seen
// two or more times on the radar, the required CPA, the time of the
// manoeuvre and, perhaps, a trial manoeuvre to try.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "traffic/clock.hpp"
#include "traffic/rule_settings.hpp"

namespace echo_track::traffic {

// One radar observation: the clock time, the true bearing (degrees) and the
// range (nautical miles) of the target from the own ship. A bearing taken
// relative to the own heading is kept as it was given beside the true
// bearing made of it, so that a file written again says what was read.
struct Sighting {
    ClockTime time;
    double bearing = 0.0;
    double range_nm = 0.0;
    std::optional<double> relative_bearing{};  // degrees clockwise from the own heading, 0 <= b < 360, when so given
};

// A target seen two or more times. Two sightings may come in either order:
// which one is the later follows from the clock, taken the shorter way
// round. More than two come in time order, each after the one before, all
// within 12 hours.
struct Target {
    std::string name;
    std::vector<Sighting> sightings;
    VesselKind kind = VesselKind::Power;

    Target() = default;
    Target(std::string name_, std::vector<Sighting> seen) : name(std::move(name_)), sightings(std::move(seen)) {}
    Target(std::string name_, Sighting first, Sighting second) : name(std::move(name_)), sightings{first, second} {}
};

// A course (degrees true) and a speed (knots).
struct CourseAndSpeed {
    double course = 0.0;
    double speed_kt = 0.0;
};

// A manoeuvre made when one target, at the present courses and speeds,
// closes to a range.
struct RangeTrigger {
    std::string of;  // the target's name
    double range_nm = 0.0;
};

// When the own ship manoeuvres: at a clock time, a number of minutes after
// the latest observation of all the targets, or when a target closes to a
// range.
struct ManoeuvreTime {
    std::optional<ClockTime> at;
    int delay_min = 0;
    std::optional<RangeTrigger> at_range;
};

// How far off the straight track a sighting may lie and still be taken as
// on it: the larger of a fixed part and a share of its range (plotting off a
// radar screen is good to about that).
inline constexpr double kPlotToleranceNm = 0.2;
inline constexpr double kPlotToleranceShare = 0.02;

struct TrafficExercise {
    CourseAndSpeed own;
    std::vector<Target> targets;
    double required_cpa_nm = 1.0;
    double plot_tolerance_nm = kPlotToleranceNm;  // the fixed part
    ManoeuvreTime manoeuvre;
    std::optional<CourseAndSpeed> trial;  // a new course and speed from the manoeuvre time
    RuleSettings rules;                   // the own ship's kind among them
};

}  // namespace echo_track::traffic
