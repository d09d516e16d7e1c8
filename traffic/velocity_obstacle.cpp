#include "traffic/velocity_obstacle.hpp"

#include <cmath>
#include <limits>

#include "traffic/clearance.hpp"
#include "traffic/trig.hpp"

namespace echo_track::traffic {
namespace {

// How far beyond an arc's end the blocking ship is looked for, degrees:
// first just past the end, then further for an end cut by rounding.
constexpr double kBeyondDeg[] = {1e-6, 1e-4, 1e-2};

// The arc's ends as the map gives them: each with the ship bounding it.
BoundedArc bounded(const std::vector<TargetSolution>& targets, double speed, const CourseArc& arc, double required_cpa_nm) {
    BoundedArc b{arc, -1, -1};
    if (arc.width() >= 360.0) return b;
    for (const double beyond : kBeyondDeg) {
        if (b.from_ship < 0) b.from_ship = bounding_ship(targets, speed, arc.from, -beyond, required_cpa_nm);
        if (b.to_ship < 0) b.to_ship = bounding_ship(targets, speed, arc.to, beyond, required_cpa_nm);
    }
    return b;
}

}  // namespace

VelocityObstacle velocity_obstacle(const TargetSolution& target, double required_cpa_nm) {
    VelocityObstacle o;
    o.apex = target.true_velocity;
    o.axis = bearing_of(target.position);
    const VerdictBorders borders = verdict_borders(target.position, required_cpa_nm);
    const double range = length(target.position);
    if (range < kAtOwnShipNm) {
        o.shape = ObstacleShape::Everything;
        return o;
    }
    if (borders.edges.size() < 2) return o;  // nothing to keep off: every velocity clears
    // The judgement's edges are rays of relative velocity; an own velocity
    // Vt - r e lies on the ray, so the edges run from the apex along -e.
    const double first = bearing_of(-borders.edges.items[0]);
    const double second = bearing_of(-borders.edges.items[1]);
    o.half_angle = std::fabs(signed_turn(o.axis, first));
    o.port_edge = signed_turn(o.axis, first) < 0.0 ? first : second;
    o.starboard_edge = signed_turn(o.axis, first) < 0.0 ? second : first;
    o.shape = range < required_cpa_nm ? ObstacleShape::HalfPlane : ObstacleShape::Cone;
    return o;
}

bool obstructs(const VelocityObstacle& obstacle, Vec2 own_velocity) {
    switch (obstacle.shape) {
        case ObstacleShape::Nothing: return false;
        case ObstacleShape::Everything: return true;
        case ObstacleShape::Cone:
        case ObstacleShape::HalfPlane: break;
    }
    const Vec2 d = own_velocity - obstacle.apex;
    // At the apex the ship keeps station: its range stays, which clears
    // outside the limit and not inside it.
    if (!has_course(length(d))) return obstacle.shape == ObstacleShape::HalfPlane;
    const Vec2 axis = along(obstacle.axis, 1.0);
    // Within the half angle of the axis: cos(angle) > cos(half angle).
    return dot(d, axis) > length(d) * trig::cos(obstacle.half_angle * kDegree);
}

std::ptrdiff_t bounding_ship(const std::vector<TargetSolution>& targets, double speed_kt, double course,
                             double beyond_deg, double required_cpa_nm) {
    const Vec2 at_end = along(course, speed_kt);
    const Vec2 past_end = along(normalized_degrees(course + beyond_deg), speed_kt);
    std::ptrdiff_t ship = -1;
    double nearest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const TargetSolution& t = targets[i];
        if (t.same_time || passes_clear(t.position, t.true_velocity - past_end, required_cpa_nm)) continue;
        const double limit = std::min(length(t.position), required_cpa_nm);
        const double off_limit = std::fabs(least_range_ahead(t.position, t.true_velocity - at_end).nm - limit);
        if (off_limit < nearest) {
            nearest = off_limit;
            ship = static_cast<std::ptrdiff_t>(i);
        }
    }
    return ship;
}

std::vector<ArcsAtSpeed> clearing_arcs_by_speed(const std::vector<TargetSolution>& targets, const CourseAndSpeed& own,
                                                double required_cpa_nm, const ClearingArcs& present_arcs) {
    std::vector<ArcsAtSpeed> map;
    for (const double share : kMapSpeedShares) {
        ArcsAtSpeed at{share * own.speed_kt, {}};
        const ClearingArcs arcs =
            share == 1.0 ? present_arcs : clearing_arcs(targets, at.speed_kt, own.course, required_cpa_nm);
        for (const CourseArc& arc : arcs.clear) at.arcs.push_back(bounded(targets, at.speed_kt, arc, required_cpa_nm));
        map.push_back(std::move(at));
    }
    return map;
}

}  // namespace echo_track::traffic
