#pragma once
// How one target passes the own ship if both keep their velocities: the
// closest point of approach of two straight tracks, in closed form.

#include "traffic/vec2.hpp"

namespace echo_track::traffic {

// Below this relative speed (knots) a target counts as keeping station: its
// range never changes, so its present range is its CPA and there is no TCPA.
inline constexpr double kStationKeepingKt = 1e-9;

struct Passage {
    Vec2 relative_velocity;        // the target's motion as seen from the own ship, knots
    double relative_course = 0.0;  // degrees true; 0 when keeping station
    double relative_speed_kt = 0.0;
    bool keeps_station = false;    // no relative motion
    Vec2 closest_point;            // where it passes closest, nm from the own ship
    double cpa_nm = 0.0;
    double cpa_bearing = 0.0;      // true bearing of the closest point
    double tcpa_min = 0.0;         // minutes from the start; negative: already past and opening; 0 when keeping station
    bool danger = false;           // CPA below the required one with the closest point still ahead
};

// The passage of a target now at `position` (nm) with true velocity
// `target_velocity`, while the own ship makes `own_velocity` (knots).
Passage passage(Vec2 position, Vec2 target_velocity, Vec2 own_velocity, double required_cpa_nm);

}  // namespace echo_track::traffic
