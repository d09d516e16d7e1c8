#pragma once
// How one ship passes the own ship if both keep their velocities from the
// manoeuvre time on: the closest point of the whole relative track (which may
// lie behind), the least range from the manoeuvre time on (what matters to
// the navigator), and whether it passes clear.

#include "traffic/clearance.hpp"
#include "traffic/vec2.hpp"

namespace echo_track::traffic {

struct Passage {
    Vec2 relative_velocity;        // the ship's motion as seen from the own ship, knots
    double relative_course = 0.0;  // degrees true; 0 when keeping station
    double relative_speed_kt = 0.0;
    bool keeps_station = false;    // next to no relative motion: the range stays

    // The closest point of the whole track, ahead or behind.
    Vec2 closest_point;            // nm from the own ship
    double cpa_nm = 0.0;
    double cpa_bearing = 0.0;      // true bearing of the closest point; 0 when the CPA is below kAtOwnShipNm
    double tcpa_min = 0.0;         // minutes from the manoeuvre time; negative: already past; 0 when keeping station

    // The least range from the manoeuvre time on (within the watch): the
    // closest point when it still lies ahead, else the present range (an
    // opening ship is closest now); for a ship keeping station its range,
    // which stays.
    Vec2 least_point;
    double least_nm = 0.0;
    double least_bearing = 0.0;    // 0 when the least range is below kAtOwnShipNm
    double least_min = 0.0;        // when, minutes from the manoeuvre time (0: now)

    bool at_own_ship = false;      // range below kAtOwnShipNm at the manoeuvre time
    bool inside = false;           // closer than the required CPA at the manoeuvre time
    bool opening = false;          // moving, and its range never decreases from now on
    bool clears = true;            // passes clear, as passes_clear judges it
    bool danger = false;           // does not pass clear
};

// The passage of a ship now at `position` (nm) with true velocity
// `target_velocity`, while the own ship makes `own_velocity` (knots).
Passage passage(Vec2 position, Vec2 target_velocity, Vec2 own_velocity, double required_cpa_nm);

// Whether a figure of the given size has a bearing: below kAtOwnShipNm the
// direction of a point is noise.
inline bool has_bearing(double range_nm) { return range_nm >= kAtOwnShipNm; }

// Whether a motion of the given speed has a course: below kStationKeepingKt
// its direction is noise.
inline bool has_course(double speed_kt) { return speed_kt >= kStationKeepingKt; }

}  // namespace echo_track::traffic
