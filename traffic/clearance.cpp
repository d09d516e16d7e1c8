#include "traffic/clearance.hpp"

#include <algorithm>
#include <cmath>

namespace echo_track::traffic {
namespace {

// The least range a ship now at `range` may come to and still clear: the
// required CPA, or its present range when it is already closer, less the
// grazing allowance.
double least_allowed(double range, double required_cpa_nm) { return std::min(range, required_cpa_nm) - kGrazeNm; }

bool keeps_station_inside(double range, double speed, double required_cpa_nm) {
    return speed < kStationKeepingKt && range < clearing_limit(required_cpa_nm);
}

}  // namespace

LeastRange least_range_ahead(Vec2 position, Vec2 relative_velocity) {
    const double speed = length(relative_velocity);
    // Range squared |P + V t|^2 is least at t = -P.V / |V|^2, taken within the watch.
    const double hours = speed > 0.0 ? std::clamp(-dot(position, relative_velocity) / (speed * speed), 0.0, kWatchH) : 0.0;
    const Vec2 point = position + hours * relative_velocity;
    return LeastRange{point, length(point), hours};
}

bool passes_clear(Vec2 position, Vec2 relative_velocity, double required_cpa_nm) {
    const double range = length(position);
    if (range < kAtOwnShipNm) return false;
    if (keeps_station_inside(range, length(relative_velocity), required_cpa_nm)) return false;
    return least_range_ahead(position, relative_velocity).nm >= least_allowed(range, required_cpa_nm);
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
    borders.edges = {Vec2{cos_half * a.north - sin_half * a.east, sin_half * a.north + cos_half * a.east},
                     Vec2{cos_half * a.north + sin_half * a.east, -sin_half * a.north + cos_half * a.east}};
    // Passing nearer than `least` within the watch: |P + V t| < least for
    // some t <= kWatchH, that is V within `least / kWatchH` of -P / kWatchH.
    borders.circles.push_back({(-1.0 / kWatchH) * position, least / kWatchH});
    return borders;
}

}  // namespace echo_track::traffic
