#pragma once
// Each ship's velocity obstacle: the own velocities, taken from the
// manoeuvre time, with which it passes inside the required CPA, in closed
// form; and from them the map of own courses that clear every ship, speed
// by speed, with the ship whose edge bounds each arc.
//
// In the plane of own velocity a ship at P making Vt passes too close when
// the own ship's velocity less the ship's, D = Vo - Vt, points at it within
// the half angle a, sin a = limit / |P|: a cone with its apex at Vt, its
// axis along the ship's bearing. A ship already inside the limit clears only
// by opening, so its obstacle is (to the grazing allowance) the half-plane
// of own velocities that close it: D.P > 0. A ship at the own ship is
// cleared by no velocity. The edges are those the clearing judgement
// (verdict_borders) cuts at, so the map and every verdict agree; only
// within |P| / 10^4 kt of the apex, where the closest point lies beyond the
// watch, the cone is not the judgement's.

#include <cstddef>
#include <string>
#include <vector>

#include "traffic/clearing_arcs.hpp"
#include "traffic/target_solution.hpp"
#include "traffic/vec2.hpp"

namespace echo_track::traffic {

enum class ObstacleShape {
    Nothing,     // no required CPA to keep: every velocity clears
    Cone,        // outside the limit
    HalfPlane,   // inside the limit: the velocities that close it
    Everything,  // at the own ship
};

struct VelocityObstacle {
    ObstacleShape shape = ObstacleShape::Nothing;
    Vec2 apex;                  // the ship's true velocity, knots
    double axis = 0.0;          // degrees true from the apex into the obstacle: the ship's bearing
    double half_angle = 0.0;    // degrees; the cone's, or just under 90 for the half-plane
    double port_edge = 0.0;     // degrees true from the apex along each edge, axis -/+ half angle
    double starboard_edge = 0.0;
};

VelocityObstacle velocity_obstacle(const TargetSolution& target, double required_cpa_nm);

// Whether the own velocity lies inside the obstacle (its edges clear).
bool obstructs(const VelocityObstacle& obstacle, Vec2 own_velocity);

// The speeds the map is drawn at, as shares of the present speed.
inline constexpr double kMapSpeedShares[] = {1.0, 0.75, 0.5, 0.25};

// A clearing arc at one speed with the ship whose edge bounds it at either
// end (the index into the targets; none for an arc of the whole compass).
struct BoundedArc {
    CourseArc arc;
    std::ptrdiff_t from_ship = -1;
    std::ptrdiff_t to_ship = -1;
};

struct ArcsAtSpeed {
    double speed_kt = 0.0;
    std::vector<BoundedArc> arcs;  // in clockwise order from north; empty when no course clears
};

// The clearing arcs at each share of the present speed. `present_arcs`, at
// the present speed, are the solution's own and are taken as they are.
std::vector<ArcsAtSpeed> clearing_arcs_by_speed(const std::vector<TargetSolution>& targets, const CourseAndSpeed& own,
                                                double required_cpa_nm, const ClearingArcs& present_arcs);

// The ship that bounds a clearing arc at its end `course`: of the ships
// that a course just beyond it does not clear, the one that passes nearest
// its limit on it. -1 when none is blocked just beyond.
std::ptrdiff_t bounding_ship(const std::vector<TargetSolution>& targets, double speed_kt, double course,
                             double beyond_deg, double required_cpa_nm);

}  // namespace echo_track::traffic
