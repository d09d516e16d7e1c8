#pragma once
// The clearing courses the collision rules leave: from each clearing arc,
// the courses taken away by a turn the rules ask the own ship to avoid for
// a ship with risk (to port, or towards it), and those that would cross
// ahead of a ship it must pass astern of (Rule 15), each with the ship and
// the rule that take it away.
//
// A turn's side is the shorter way from the present course, so it changes
// only at the present course and its reciprocal; crossing ahead of a ship
// changes only where the own track runs parallel to the ship's course or
// meets the ship itself (a collision course), found in closed form. Between
// those courses each piece is judged once by rules_allow.

#include <cstddef>
#include <vector>

#include "traffic/recommendation.hpp"
#include "traffic/velocity_obstacle.hpp"

namespace echo_track::traffic {

// Courses the rules take away from a clearing arc, and why: the ship (an
// index into the targets) and the rule's number.
struct ExcludedArc {
    CourseArc arc;
    std::size_t ship = 0;
    int rule = 0;
};

struct AllowedAtSpeed {
    double speed_kt = 0.0;
    std::vector<CourseArc> allowed;     // clearing and allowed, clockwise from north; the present course alone is an arc of no width
    std::vector<ExcludedArc> excluded;  // clearing but taken away by the rules
};

// The arcs of `clearing` (the map at each speed) with the rules applied;
// `rules` as read at the present course and speed `own`.
std::vector<AllowedAtSpeed> allowed_arcs_by_speed(const std::vector<TargetSolution>& targets, const std::vector<ShipRules>& rules,
                                                  const CourseAndSpeed& own, const std::vector<ArcsAtSpeed>& clearing);

// Own courses at `speed_kt` where crossing ahead of a ship at `position`
// making `target_velocity` may begin or end.
std::vector<double> crossing_ahead_cuts(Vec2 position, Vec2 target_velocity, double speed_kt);

}  // namespace echo_track::traffic
