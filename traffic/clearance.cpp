#include "traffic/clearance.hpp"

#include <algorithm>
#include <cmath>

namespace echo_track::traffic {
namespace {

// The least range a ship now at `range` may come to and still clear: the
// required CPA, or its present range when it is already closer, less the
// grazing allowance.
double least_allowed(double range, double required_cpa_nm) { return std::min(range, required_cpa_nm) - kGrazeNm; }

}  // namespace

PointAhead closest_point_ahead(Vec2 position, Vec2 relative_velocity) {
    const double vv = dot(relative_velocity, relative_velocity);
    // Range squared |P + V t|^2 is least at t = -P.V / |V|^2, taken within the watch.
    const double hours = vv > 0.0 ? std::clamp(-dot(position, relative_velocity) / vv, 0.0, kWatchH) : 0.0;
    return PointAhead{position + hours * relative_velocity, hours};
}

LeastRange least_range_ahead(Vec2 position, Vec2 relative_velocity) {
    const PointAhead closest = closest_point_ahead(position, relative_velocity);
    return LeastRange{closest.point, length(closest.point), closest.hours};
}

bool passes_clear(Vec2 position, Vec2 relative_velocity, double required_cpa_nm) {
    // Ranges are compared by their squares where that is the same order: the
    // judgement is asked for every ship on every course tried.
    const double range_squared = dot(position, position);
    if (range_squared < kAtOwnShipNm * kAtOwnShipNm) return false;
    // Keeping station inside the limit: its range stays where it is.
    const double limit = clearing_limit(required_cpa_nm);
    const bool keeps_station = dot(relative_velocity, relative_velocity) < kStationKeepingKt * kStationKeepingKt;
    if (keeps_station && limit > 0.0 && range_squared < limit * limit) return false;
    const bool inside = range_squared < required_cpa_nm * required_cpa_nm;
    const double allowed = least_allowed(inside ? std::sqrt(range_squared) : required_cpa_nm, required_cpa_nm);
    if (allowed <= 0.0) return true;
    const Vec2 closest = closest_point_ahead(position, relative_velocity).point;
    return dot(closest, closest) >= allowed * allowed;
}

VerdictBorders verdict_borders(Vec2 position, double required_cpa_nm) {
    VerdictBorders borders;
    const double range = length(position);
    const double least = least_allowed(range, required_cpa_nm);
    if (range < kAtOwnShipNm) return borders;
    if (range < clearing_limit(required_cpa_nm)) borders.circles.push_back({Vec2{}, kStationKeepingKt});
    if (least <= 0.0) return borders;
    // The cone of velocities that pass nearer than `least`: its half angle
    // has sin = least / range, taken from both legs.
    const Vec2 a = (-1.0 / range) * position;
    const double sin_half = least / range;
    const double cos_half = std::sqrt((range - least) * (range + least)) / range;
    borders.edges.push_back(Vec2{cos_half * a.north - sin_half * a.east, sin_half * a.north + cos_half * a.east});
    borders.edges.push_back(Vec2{cos_half * a.north + sin_half * a.east, -sin_half * a.north + cos_half * a.east});
    // Passing nearer than `least` within the watch: |P + V t| < least for
    // some t <= kWatchH, that is V within `least / kWatchH` of -P / kWatchH.
    borders.circles.push_back({(-1.0 / kWatchH) * position, least / kWatchH});
    return borders;
}

}  // namespace echo_track::traffic
