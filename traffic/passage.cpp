#include "traffic/passage.hpp"

namespace echo_track::traffic {
namespace {

// The bearing of a point, or 0 where a point that close has none.
double bearing_if_any(Vec2 point) { return has_bearing(length(point)) ? bearing_of(point) : 0.0; }

}  // namespace

Passage passage(Vec2 position, Vec2 target_velocity, Vec2 own_velocity, double required_cpa_nm) {
    Passage p;
    p.relative_velocity = target_velocity - own_velocity;
    p.relative_speed_kt = length(p.relative_velocity);
    p.keeps_station = p.relative_speed_kt < kStationKeepingKt;
    p.closest_point = position;
    if (!p.keeps_station) {
        p.relative_course = bearing_of(p.relative_velocity);
        // Range squared |P + V t|^2 is least at t = -P.V / |V|^2 (hours).
        const double hours = -dot(position, p.relative_velocity) / (p.relative_speed_kt * p.relative_speed_kt);
        p.tcpa_min = 60.0 * hours;
        p.closest_point = position + hours * p.relative_velocity;
    }
    p.cpa_nm = length(p.closest_point);
    p.cpa_bearing = bearing_if_any(p.closest_point);

    const LeastRange least = least_range_ahead(position, p.relative_velocity);
    p.least_point = least.point;
    p.least_nm = least.nm;
    p.least_bearing = bearing_if_any(least.point);
    p.least_min = 60.0 * least.hours;

    const double range = length(position);
    p.at_own_ship = range < kAtOwnShipNm;
    p.inside = range < required_cpa_nm;
    p.opening = !p.keeps_station && dot(position, p.relative_velocity) >= 0.0;
    p.clears = passes_clear(position, p.relative_velocity, required_cpa_nm);
    p.danger = !p.clears;
    return p;
}

}  // namespace echo_track::traffic
