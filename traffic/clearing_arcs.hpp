#pragma once
// The own courses and speeds that keep every target at or beyond the
// required CPA from the manoeuvre time on.
//
// In the own ship's velocity plane a target is passed too close exactly when
// its relative velocity lies in its collision cone: the directions from the
// target that come within the required CPA of the own ship. Own velocities of
// the present speed lie on a circle, so the blocked courses are where that
// circle meets the cone (apex at the target's true velocity): closed form,
// at most four edge courses per target.

#include <optional>
#include <vector>

#include "traffic/target_solution.hpp"
#include "traffic/vec2.hpp"

namespace echo_track::traffic {

// An arc of own courses, clockwise from `from` to `to` (degrees true,
// 0 <= from < 360, from <= to < from + 360, or to = from + 360 for the whole
// circle).
struct CourseArc {
    double from = 0.0;
    double to = 0.0;
    double width() const { return to - from; }
    double middle() const { return normalized_degrees(from + width() / 2.0); }
    // `course` lies strictly inside.
    bool holds(double course) const;
};

// The collision cone of one target, seen in the relative-velocity plane.
// Degenerate cases, by name: a target right at the own ship (range 0) has
// none, since any motion opens it; one already inside the required CPA has
// the half-plane of closing velocities (half angle 90 degrees); a target on
// the limit itself likewise.
struct CollisionCone {
    bool exists = false;
    Vec2 axis;             // unit vector from the target towards the own ship
    double sin_half = 0.0; // of the half angle: required CPA / range, at most 1
    double cos_half = 0.0; // 0 for the half-plane of a target on or inside the limit
    double half_angle() const;  // degrees, 0 < half angle <= 90
    // The relative velocity brings the target closer than the limit ahead
    // (strictly: a track that just touches the limit clears).
    bool holds(Vec2 relative_velocity) const;
};

CollisionCone collision_cone(Vec2 target_position, double required_cpa_nm);

// The own courses at `own_speed_kt` that pass the target too close, as
// arcs in clockwise order; empty if none does.
std::vector<CourseArc> blocked_courses(const CollisionCone& cone, Vec2 target_velocity, double own_speed_kt);

// The courses that clear every target and those blocked by at least one,
// both in clockwise order from north.
struct ClearingArcs {
    std::vector<CourseArc> clear;
    std::vector<CourseArc> blocked;
};

// Joins the blocked arcs of all targets; their complement is clear.
ClearingArcs join_blocked(const std::vector<std::vector<CourseArc>>& per_target);

// The smallest turn to one side onto a clearing course: the exact edge of
// the blocked sector, and the whole degree on its clearing side.
struct Alteration {
    double exact_course = 0.0;   // the edge: the closest target passes at exactly the limit
    double exact_turn = 0.0;     // degrees, 0..180, towards the side
    double steered_course = 0.0; // whole degrees, clearing every target
    double steered_turn = 0.0;
};

enum class Side { Starboard, Port };

// The smallest alteration to `side` from `course`, at most 180 degrees; none
// if no course within that turn clears all. A present course that clears
// (`present_clears`) needs a turn of 0. One that does not, though no blocked
// arc holds it, sits on the single blocked course of a target keeping
// station inside the limit: the edge is the course itself.
std::optional<Alteration> smallest_alteration(const ClearingArcs& arcs, double course, Side side, bool present_clears);

// The own speeds on the present course that pass a target too close, as open
// intervals (knots; the ends may lie beyond 0 and the present speed).
struct SpeedInterval {
    double low = 0.0;
    double high = 0.0;
};
std::vector<SpeedInterval> blocked_speeds(const CollisionCone& cone, Vec2 target_velocity, double course);

// The highest speed not above `present_kt` that clears all, or none when even
// stopping does not. `present_clears` tells whether the present speed does
// (it may be the single blocked speed at which a target inside the limit
// keeps station).
std::optional<double> highest_clearing_speed(const std::vector<std::vector<SpeedInterval>>& per_target, double present_kt,
                                             bool present_clears);

}  // namespace echo_track::traffic
