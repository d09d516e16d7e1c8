#include "traffic/clearing_arcs.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace echo_track::traffic {
namespace {

// Below this own speed (knots) every course gives the same velocity: the
// own ship is stopped, and a course alone changes nothing.
constexpr double kStoppedKt = 1e-9;

// Below this |cross| the own course runs parallel to a cone edge and never
// meets it.
constexpr double kParallel = 1e-12;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The two edges of the cone as unit directions of relative velocity.
std::array<Vec2, 2> cone_edges(const CollisionCone& cone) {
    const Vec2 a = cone.axis;
    const double c = cone.cos_half;
    const double s = cone.sin_half;
    return {Vec2{c * a.north - s * a.east, s * a.north + c * a.east},
            Vec2{c * a.north + s * a.east, -s * a.north + c * a.east}};
}

// Own courses at `speed` whose relative velocity lies on an edge of the
// cone: where the own-speed circle meets the edge rays. On the ray
// Vt - r e (r >= 0) the circle |Vo| = speed gives r^2 - 2 r (Vt.e) + |Vt|^2
// - speed^2 = 0, whose discriminant is speed^2 - cross(Vt, e)^2.
std::vector<double> edge_courses(const CollisionCone& cone, Vec2 target_velocity, double speed) {
    std::vector<double> courses;
    for (const Vec2 e : cone_edges(cone)) {
        const double off = std::fabs(cross(target_velocity, e));
        const double discriminant = (speed - off) * (speed + off);
        if (discriminant < 0.0) continue;  // the edge passes outside the circle
        const double root = std::sqrt(discriminant);
        const double along_edge = dot(target_velocity, e);
        for (const double r : {along_edge - root, along_edge + root}) {
            if (r >= 0.0) courses.push_back(bearing_of(target_velocity - r * e));
        }
    }
    std::sort(courses.begin(), courses.end());
    courses.erase(std::unique(courses.begin(), courses.end()), courses.end());
    return courses;
}

bool course_blocked(const CollisionCone& cone, Vec2 target_velocity, double course, double speed) {
    return cone.holds(target_velocity - along(course, speed));
}

// Splits wrapping arcs at north so that every piece lies within 0..360.
std::vector<CourseArc> unwrapped(const std::vector<std::vector<CourseArc>>& per_target) {
    std::vector<CourseArc> pieces;
    for (const auto& arcs : per_target) {
        for (const CourseArc& a : arcs) {
            if (a.to <= 360.0) {
                pieces.push_back(a);
            } else {
                pieces.push_back({a.from, 360.0});
                pieces.push_back({0.0, std::min(a.to - 360.0, 360.0)});
            }
        }
    }
    return pieces;
}

}  // namespace

bool CourseArc::holds(double course) const {
    if (width() >= 360.0) return true;
    const double offset = normalized_degrees(course - from);
    return offset > 0.0 && offset < width();
}

double CollisionCone::half_angle() const { return std::atan2(sin_half, cos_half) / kDegree; }

bool CollisionCone::holds(Vec2 relative_velocity) const {
    if (!exists) return false;
    return dot(relative_velocity, axis) > length(relative_velocity) * cos_half;
}

CollisionCone collision_cone(Vec2 target_position, double required_cpa_nm) {
    CollisionCone cone;
    const double range = length(target_position);
    if (range == 0.0) return cone;  // right at the own ship: any motion opens it
    cone.exists = true;
    cone.axis = (-1.0 / range) * target_position;
    if (range <= required_cpa_nm) {
        cone.sin_half = 1.0;  // on or inside the limit: every closing motion is too close
        cone.cos_half = 0.0;
    } else {
        cone.sin_half = required_cpa_nm / range;
        cone.cos_half = std::sqrt((range - required_cpa_nm) * (range + required_cpa_nm)) / range;
    }
    return cone;
}

std::vector<CourseArc> blocked_courses(const CollisionCone& cone, Vec2 target_velocity, double own_speed_kt) {
    if (!cone.exists) return {};
    if (own_speed_kt < kStoppedKt) {
        if (cone.holds(target_velocity)) return {CourseArc{0.0, 360.0}};
        return {};
    }
    const std::vector<double> edges = edge_courses(cone, target_velocity, own_speed_kt);
    if (edges.empty()) {
        if (course_blocked(cone, target_velocity, 0.0, own_speed_kt)) return {CourseArc{0.0, 360.0}};
        return {};
    }
    // Between two neighbouring edge courses a course is blocked or clear
    // throughout: its middle tells which.
    std::vector<CourseArc> arcs;
    for (std::size_t i = 0; i < edges.size(); ++i) {
        const CourseArc piece{edges[i], i + 1 < edges.size() ? edges[i + 1] : edges[0] + 360.0};
        if (piece.width() <= 0.0 || !course_blocked(cone, target_velocity, piece.middle(), own_speed_kt)) continue;
        if (!arcs.empty() && arcs.back().to == piece.from) {
            arcs.back().to = piece.to;
        } else {
            arcs.push_back(piece);
        }
    }
    // A blocked arc running through the last edge on into the first.
    if (arcs.size() > 1 && arcs.back().to == arcs.front().from + 360.0) {
        arcs.back().to = arcs.front().to + 360.0;
        arcs.erase(arcs.begin());
    }
    return arcs;
}

ClearingArcs join_blocked(const std::vector<std::vector<CourseArc>>& per_target) {
    std::vector<CourseArc> pieces = unwrapped(per_target);
    std::sort(pieces.begin(), pieces.end(), [](const CourseArc& a, const CourseArc& b) { return a.from < b.from; });
    ClearingArcs arcs;
    for (const CourseArc& p : pieces) {
        // Blocked arcs are open: two that only touch leave their common edge
        // clear (a single course, at exactly the limit from both targets).
        if (!arcs.blocked.empty() && p.from < arcs.blocked.back().to) {
            arcs.blocked.back().to = std::max(arcs.blocked.back().to, p.to);
        } else {
            arcs.blocked.push_back(p);
        }
    }
    if (arcs.blocked.empty()) {
        arcs.clear.push_back({0.0, 360.0});
        return arcs;
    }
    if (arcs.blocked.size() > 1 && arcs.blocked.front().from == 0.0 && arcs.blocked.back().to == 360.0) {
        arcs.blocked.back().to = 360.0 + arcs.blocked.front().to;
        arcs.blocked.erase(arcs.blocked.begin());
    }
    if (arcs.blocked.size() == 1 && arcs.blocked.front().width() >= 360.0) {
        arcs.blocked.front() = {0.0, 360.0};
        return arcs;
    }
    for (std::size_t i = 0; i < arcs.blocked.size(); ++i) {
        const CourseArc& here = arcs.blocked[i];
        const CourseArc& next = arcs.blocked[(i + 1) % arcs.blocked.size()];
        const double gap = normalized_degrees(next.from - here.to);
        if (gap > 0.0) arcs.clear.push_back({normalized_degrees(here.to), normalized_degrees(here.to) + gap});
    }
    std::sort(arcs.clear.begin(), arcs.clear.end(), [](const CourseArc& a, const CourseArc& b) { return a.from < b.from; });
    return arcs;
}

std::optional<Alteration> smallest_alteration(const ClearingArcs& arcs, double course, Side side, bool present_clears) {
    const auto blocking = [&](double c) {
        return std::find_if(arcs.blocked.begin(), arcs.blocked.end(), [&](const CourseArc& a) { return a.holds(c); });
    };
    Alteration alteration;
    alteration.exact_course = alteration.steered_course = course;
    if (present_clears) return alteration;
    const bool starboard = side == Side::Starboard;
    const auto here = blocking(course);
    if (here != arcs.blocked.end()) {
        if (here->width() >= 360.0) return std::nullopt;
        alteration.exact_course = normalized_degrees(starboard ? here->to : here->from);
    }
    const auto turn_to = [&](double c) { return normalized_degrees(starboard ? c - course : course - c); };
    alteration.exact_turn = turn_to(alteration.exact_course);
    // The first whole degree beyond the edge (strictly beyond a present
    // course that is itself the edge); if a narrow clear sector holds none,
    // on past the next blocked sector.
    double steered = starboard ? std::ceil(alteration.exact_course) : std::floor(alteration.exact_course);
    if (steered == course) steered += starboard ? 1.0 : -1.0;
    for (std::size_t tries = 0; tries <= arcs.blocked.size(); ++tries) {
        const auto blocked = blocking(steered);
        if (blocked == arcs.blocked.end()) break;
        steered = starboard ? std::ceil(blocked->to) : std::floor(blocked->from);
    }
    alteration.steered_course = normalized_degrees(steered);
    alteration.steered_turn = turn_to(alteration.steered_course);
    if (alteration.exact_turn > 180.0 || alteration.steered_turn > 180.0) return std::nullopt;
    return alteration;
}

std::vector<SpeedInterval> blocked_speeds(const CollisionCone& cone, Vec2 target_velocity, double course) {
    if (!cone.exists) return {};
    const Vec2 u = along(course, 1.0);
    // Own velocity s u meets the edge ray Vt - r e (r >= 0) where
    // s u + r e = Vt: s = cross(Vt, e) / cross(u, e), r = cross(u, Vt) / cross(u, e).
    std::vector<double> edges;
    for (const Vec2 e : cone_edges(cone)) {
        const double across = cross(u, e);
        if (std::fabs(across) < kParallel) continue;
        if (cross(u, target_velocity) / across >= 0.0) edges.push_back(cross(target_velocity, e) / across);
    }
    std::sort(edges.begin(), edges.end());
    const auto blocked = [&](double speed) { return cone.holds(target_velocity - speed * u); };
    if (edges.empty()) {
        if (blocked(0.0)) return {{-kInfinity, kInfinity}};
        return {};
    }
    std::vector<double> ends = {-kInfinity};
    ends.insert(ends.end(), edges.begin(), edges.end());
    ends.push_back(kInfinity);
    std::vector<SpeedInterval> intervals;
    for (std::size_t i = 0; i + 1 < ends.size(); ++i) {
        const double low = ends[i];
        const double high = ends[i + 1];
        if (!(low < high)) continue;
        const double probe = std::isinf(low) ? high - 1.0 : std::isinf(high) ? low + 1.0 : (low + high) / 2.0;
        if (!blocked(probe)) continue;
        if (!intervals.empty() && intervals.back().high == low) {
            intervals.back().high = high;
        } else {
            intervals.push_back({low, high});
        }
    }
    return intervals;
}

std::optional<double> highest_clearing_speed(const std::vector<std::vector<SpeedInterval>>& per_target, double present_kt,
                                             bool present_clears) {
    if (present_clears) return present_kt;
    std::vector<SpeedInterval> all;
    for (const auto& intervals : per_target) all.insert(all.end(), intervals.begin(), intervals.end());
    std::sort(all.begin(), all.end(), [](const SpeedInterval& a, const SpeedInterval& b) { return a.low < b.low; });
    std::vector<SpeedInterval> joined;
    for (const SpeedInterval& i : all) {
        if (!joined.empty() && i.low < joined.back().high) {
            joined.back().high = std::max(joined.back().high, i.high);
        } else {
            joined.push_back(i);
        }
    }
    // The blocked interval that holds the present speed, or ends at it.
    for (const SpeedInterval& i : joined) {
        if (i.low < present_kt && present_kt <= i.high) {
            if (i.low < 0.0) return std::nullopt;
            return i.low;
        }
    }
    return present_kt;
}

}  // namespace echo_track::traffic
