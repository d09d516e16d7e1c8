#pragma once
// What the plot of one target gives the officer at the present course and
// speed: its relative and true motion, how it passes, where it crosses the
// own heading line, and where it bears at the manoeuvre time.

#include <string>
#include <vector>

#include "traffic/clock.hpp"
#include "traffic/exercise.hpp"
#include "traffic/passage.hpp"
#include "traffic/vec2.hpp"

namespace echo_track::traffic {

// Where the target's relative track crosses the own heading line (the line
// through the own ship along its course, ahead and astern).
struct BowCrossing {
    bool crosses = false;  // false: the track runs parallel to the heading line, or the target keeps station
    double range_nm = 0.0; // along the heading: positive ahead, negative astern
    double time_min = 0.0; // minutes from the manoeuvre time; negative: crossed already
};

// The target's bearing relative to the own heading, as the rules of the road
// sort it: forward of the beam, abeam (within 22.5 degrees of it), or abaft.
enum class Aspect { ForwardOfBeam, Abeam, AbaftBeam };

struct TargetSolution {
    std::string name;

    // Both sightings at the same clock time: nothing can be solved for this
    // target, and every figure below is left at zero.
    bool same_time = false;

    int interval_min = 0;     // between the two sightings, shorter way round the clock
    ClockTime latest;         // the later sighting's time
    Vec2 latest_position;     // nm from the own ship

    Vec2 true_velocity;       // knots
    double true_course = 0.0;
    double true_speed_kt = 0.0;

    int minutes_to_manoeuvre = 0;  // from the latest sighting to the manoeuvre time
    Vec2 position;                 // at the manoeuvre time, nm
    double bearing = 0.0;          // true, at the manoeuvre time
    double range_nm = 0.0;
    double relative_bearing = 0.0; // from the own heading, clockwise 0..360
    Aspect aspect = Aspect::ForwardOfBeam;
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

// The minutes from `reference` to the later sighting of `target`, shorter way
// round the clock; used to find the latest observation of all.
int minutes_to_latest(ClockTime reference, const Target& target);

// Solves one target for the own ship `own`, carried to `manoeuvre_time`.
TargetSolution solve_target(const Target& target, const CourseAndSpeed& own, ClockTime manoeuvre_time,
                            double required_cpa_nm);

// The position of a solved target `minutes` after the manoeuvre time, when
// the own ship makes `own_velocity` from then on (nm from the own ship).
Vec2 relative_position_after(const TargetSolution& target, Vec2 own_velocity, double minutes);

// Whether the own ship making `own_velocity` from the manoeuvre time passes
// every solved target clear (targets seen twice at the same time are not
// solved and not judged).
bool clears_every_solved(const std::vector<TargetSolution>& targets, Vec2 own_velocity, double required_cpa_nm);

}  // namespace echo_track::traffic
