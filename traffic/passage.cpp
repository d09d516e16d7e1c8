#include "traffic/passage.hpp"

namespace echo_track::traffic {

Passage passage(Vec2 position, Vec2 target_velocity, Vec2 own_velocity, double required_cpa_nm) {
    Passage p;
    p.relative_velocity = target_velocity - own_velocity;
    p.relative_speed_kt = length(p.relative_velocity);
    p.keeps_station = p.relative_speed_kt < kStationKeepingKt;
    if (p.keeps_station) {
        p.closest_point = position;
    } else {
        p.relative_course = bearing_of(p.relative_velocity);
        // Range squared |P + V t|^2 is least at t = -P.V / |V|^2 (hours).
        const double hours = -dot(position, p.relative_velocity) / (p.relative_speed_kt * p.relative_speed_kt);
        p.tcpa_min = 60.0 * hours;
        p.closest_point = position + hours * p.relative_velocity;
    }
    p.cpa_nm = length(p.closest_point);
    p.cpa_bearing = bearing_of(p.closest_point);
    p.danger = !p.keeps_station && p.tcpa_min > 0.0 && p.cpa_nm < required_cpa_nm;
    return p;
}

}  // namespace echo_track::traffic
