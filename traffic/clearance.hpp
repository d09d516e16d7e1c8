#pragma once
// Whether one ship passes clear of the own ship: the one judgement that
// every arc, alteration, speed and verdict of the traffic picture is built
// on, with its tolerances stated here and nowhere else.
//
// From the manoeuvre time on, both ships hold their velocities. A ship
// outside the required CPA passes clear when it never comes closer than it;
// a ship inside passes clear only by opening at once (its range never
// decreases from then on). Either may graze its limit by kGrazeNm. "From
// then on" is the watch of kWatchH hours, longer than any encounter of ships
// within radar range. What the sightings cannot tell apart is settled in
// closed form: a ship with next to no relative motion keeps its range (clear
// when that is at least the required CPA), and a ship at the own ship is
// cleared by no course at all.

#include <vector>

#include "traffic/vec2.hpp"

namespace echo_track::traffic {

// A ship that comes inside the required CPA by less than this (nm), or a
// ship already inside that comes nearer by less than this, grazes its
// limit: it passes clear. Rounding in the plot is far smaller, so no course
// is blocked by rounding alone.
inline constexpr double kGrazeNm = 1e-7;

// Closer than this (nm) a ship is at the own ship: its bearing means
// nothing, and no course or speed clears it.
inline constexpr double kAtOwnShipNm = 1e-9;

// Below this relative speed (knots) a ship keeps station: its range stays
// as it is (it moves less than 1e-5 nm in the whole watch).
inline constexpr double kStationKeepingKt = 1e-9;

// How long the ships are followed from the manoeuvre time, hours: over a
// year. A passage further ahead is no passage.
inline constexpr double kWatchH = 1e4;

// The least range a passage may have and still clear: the required CPA less
// the grazing allowance.
inline double clearing_limit(double required_cpa_nm) { return required_cpa_nm - kGrazeNm; }

// The least range of a ship now at `position` with `relative_velocity`
// during the watch: where, how far, and when (hours from the manoeuvre
// time; 0 for a ship that is closest now).
struct LeastRange {
    Vec2 point;
    double nm = 0.0;
    double hours = 0.0;
};
LeastRange least_range_ahead(Vec2 position, Vec2 relative_velocity);

// Whether a ship now at `position` (nm from the own ship) with
// `relative_velocity` (knots) passes clear of `required_cpa_nm`.
bool passes_clear(Vec2 position, Vec2 relative_velocity, double required_cpa_nm);

// The shape of that judgement in the plane of relative velocity, for a ship
// at `position`. Its verdict changes only on these borders:
// - the edges of its collision cone (the velocities that pass at exactly
//   its limit), as unit vectors e of the rays r e (r >= 0); inside the
//   required CPA, where the limit is the present range less the allowance,
//   the cone opens to nearly the half-plane of closing velocities;
// - the circle that cuts the cone off near its apex, where the closest
//   point moves beyond the watch;
// - for a ship inside its limit, the small circle of velocities where it
//   keeps station (and so does not clear).
// At the own ship there are no borders, for nothing clears it.
struct Circle {
    Vec2 centre;
    double radius = 0.0;
};
struct VerdictBorders {
    std::vector<Vec2> edges;
    std::vector<Circle> circles;
};
VerdictBorders verdict_borders(Vec2 position, double required_cpa_nm);

}  // namespace echo_track::traffic
