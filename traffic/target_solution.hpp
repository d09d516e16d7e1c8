#pragma once
// What the plot of one target gives the officer at the present course and
// speed: its relative and true motion, how it passes, where it crosses the
// own heading line, and where it bears at the manoeuvre time.

#include <optional>
#include <string>
#include <vector>

#include "traffic/target_sector.hpp"
#include "traffic/clock.hpp"
#include "traffic/exercise.hpp"
#include "traffic/passage.hpp"
#include "traffic/track_fit.hpp"
#include "traffic/vec2.hpp"

namespace echo_track::traffic {

// Where the target's relative track crosses the own heading line (the line
// through the own ship along its course, ahead and astern).
struct BowCrossing {
    bool crosses = false;  // false: the track runs parallel to the heading line, or the target keeps station
    double range_nm = 0.0; // along the heading: positive ahead, negative astern
    double time_min = 0.0; // minutes from the manoeuvre time; negative: crossed already
};

// When the manoeuvre is, on one line of time: so many minutes after a
// reference clock time, so that ships sighted hours apart are carried to it
// alike, however the clock turns in between.
struct ManoeuvreClock {
    ClockTime reference;
    double after_reference_min = 0.0;
};

struct TargetSolution {
    std::string name;

    // Every sighting at the same clock time: nothing can be solved for this
    // target, and every figure below but the sightings is left at zero.
    bool same_time = false;

    std::vector<PlottedSighting> plot;  // every sighting, in time order
    bool plot_consistent = true;        // no sighting off the line through those before it
    bool from_latest_two = false;       // so the track is drawn through the two latest

    int interval_min = 0;     // the span of the sightings the track is drawn through
    ClockTime latest;         // the latest sighting's time
    Sighting latest_sighting;
    double latest_relative_bearing = 0.0;  // of the latest sighting, from the own heading, 0..360
    Vec2 latest_position;     // on the track at the latest sighting's time, nm from the own ship

    Vec2 true_velocity;       // knots
    double true_course = 0.0;
    double true_speed_kt = 0.0;

    double minutes_to_manoeuvre = 0.0;  // from the latest sighting to the manoeuvre time
    Vec2 position;                 // at the manoeuvre time, nm
    double bearing = 0.0;          // true, at the manoeuvre time
    double range_nm = 0.0;
    double relative_bearing = 0.0; // from the own heading, clockwise 0..360
    Sector sector = Sector::ForwardOfBeam;  // of that relative bearing
    std::optional<Aspect> aspect;  // the own ship from the target's course; none when it does not move
    bool closing = false;          // range decreasing at the manoeuvre time
    bool overtaking = false;       // more than 22.5 degrees abaft the beam and closing
    bool inside_required = false;  // already closer than the required CPA

    bool implausible_speed = false; // true speed above kImplausibleSpeedKt: the sightings are likely wrong

    Passage present;               // at the present course and speed, from the manoeuvre time
    BowCrossing bow_crossing;
};

// Above this true speed (knots) no ship sails: the sightings are likely
// mistyped, though the plot still follows them.
inline constexpr double kImplausibleSpeedKt = 100.0;

// The bearing of a sighting from the own heading (the own course), 0..360:
// as it was given, or from its true bearing.
double relative_bearing_of(const Sighting& sighting, double own_course);

// The minutes from `reference` to the latest sighting of `target`: to its
// first sighting the shorter way round the clock, and on from there to its
// latest; used to find the latest observation of all.
int minutes_to_latest(ClockTime reference, const Target& target);

// Solves one target for the own ship `own`, carried to the manoeuvre time;
// each of three or more sightings may lie `plot_tolerance_nm` (or 2 % of its
// range, if more) off the line through those before it.
TargetSolution solve_target(const Target& target, const CourseAndSpeed& own, const ManoeuvreClock& manoeuvre,
                            double required_cpa_nm, double plot_tolerance_nm = kPlotToleranceNm);

// The position of a solved target `minutes` after the manoeuvre time, when
// the own ship makes `own_velocity` from then on (nm from the own ship).
Vec2 relative_position_after(const TargetSolution& target, Vec2 own_velocity, double minutes);

// Whether the own ship making `own_velocity` from the manoeuvre time passes
// every solved target clear (targets seen twice at the same time are not
// solved and not judged).
bool clears_every_solved(const std::vector<TargetSolution>& targets, Vec2 own_velocity, double required_cpa_nm);

}  // namespace echo_track::traffic
