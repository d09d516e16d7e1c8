#pragma once
// A seeded sea for the tests of the collision rules: one to four ships of
// every kind, most heading for the own ship's track, in sight and in
// restricted visibility; and the plain simulation that judges what the
// tools claim of them: clearing, and crossing ahead of a ship.

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "tests/traffic/simulated_sea.hpp"
#include "traffic/collision_rules.hpp"
#include "traffic/exercise.hpp"

namespace echo_track::traffic::testing {

inline constexpr double kInsideNm = 1e-7 + 1e-8;  // the grazing allowance, and what the sightings' figures may be off by
inline constexpr double kWatchH = 1e4;

struct Sea {
    TrafficExercise exercise;
    std::vector<SeaTarget> truth;
    std::vector<VesselKind> kinds;
    RuleSettings settings;
    Vec2 own_velocity;
};

inline bool chance(std::mt19937_64& rng, double p) { return uniform(rng, 0.0, 1.0) < p; }

// A ship heading for the own ship's track within some degrees, so that most
// exercises hold a ship with risk; now and then one anywhere.
inline SeaTarget some_ship(std::mt19937_64& rng, const Sea& sea) {
    SeaTarget t;
    t.at_manoeuvre = along(uniform(rng, 0.0, 360.0), uniform(rng, 2.0, 9.0));
    const Vec2 meeting = (uniform(rng, 0.1, 0.5)) * sea.own_velocity;  // where the own ship is in 6 to 30 min
    const Vec2 towards = meeting - t.at_manoeuvre;
    const double speed = uniform(rng, 3.0, 22.0);
    t.velocity = chance(rng, 0.8) ? turned((speed / length(towards)) * towards, uniform(rng, -8.0, 8.0))
                                  : along(uniform(rng, 0.0, 360.0), speed);
    return t;
}

inline Sea random_sea(std::mt19937_64& rng) {
    Sea sea;
    TrafficExercise& e = sea.exercise;
    e.own = {std::floor(uniform(rng, 0.0, 360.0)), std::round(uniform(rng, 6.0, 18.0) * 10.0) / 10.0};
    sea.own_velocity = along(e.own.course, e.own.speed_kt);
    e.required_cpa_nm = std::round(uniform(rng, 0.5, 2.0) * 10.0) / 10.0;
    e.manoeuvre.at = ClockTime{600};
    sea.settings.visibility = chance(rng, 0.5) ? Visibility::InSight : Visibility::Restricted;
    constexpr VesselKind kKinds[] = {VesselKind::Power, VesselKind::Power, VesselKind::Power, VesselKind::Sailing,
                                     VesselKind::Fishing, VesselKind::RestrictedInAbility, VesselKind::NotUnderCommand,
                                     VesselKind::ConstrainedByDraught};
    const auto kind = [&] { return kKinds[std::uniform_int_distribution<std::size_t>(0, std::size(kKinds) - 1)(rng)]; };
    sea.settings.own_kind = chance(rng, 0.8) ? VesselKind::Power : kind();
    const int ships = std::uniform_int_distribution<int>(1, 4)(rng);
    for (int i = 0; i < ships; ++i) {
        const SeaTarget t = some_ship(rng, sea);
        e.targets.push_back(Target{"T" + std::to_string(i), testing::sight(t, sea.own_velocity, -12.0, ClockTime{588}),
                                   testing::sight(t, sea.own_velocity, -6.0, ClockTime{594})});
        sea.truth.push_back(t);
        sea.kinds.push_back(chance(rng, 0.6) ? VesselKind::Power : kind());
    }
    return sea;
}

// By the definition of clearing, the ships moved as the simulation moves them.
inline bool simulated_clear(const std::vector<SeaTarget>& ships, Vec2 own_velocity, double required) {
    for (const SeaTarget& t : ships) {
        const double now = length(t.at_manoeuvre);
        const double least = testing::least_range_simulated(t, own_velocity, kWatchH);
        if (now < 1e-9) return false;
        if (now < required ? least < now - kInsideNm : least < required - kInsideNm) return false;
    }
    return true;
}

// The ships seen `minutes` after the manoeuvre time, the own ship having
// made `own_velocity` meanwhile.
inline std::vector<SeaTarget> ships_at(const std::vector<SeaTarget>& ships, Vec2 own_velocity, double minutes) {
    std::vector<SeaTarget> later;
    for (const SeaTarget& t : ships) later.push_back({t.velocity, testing::seen_at(t, own_velocity, minutes)});
    return later;
}

// Whether the own ship making `own_velocity` crosses the line of the other's
// course ahead of it within the watch, stepping the simulation a minute at a time.
inline bool simulated_crossing_ahead(const SeaTarget& t, Vec2 own_velocity) {
    if (length(t.velocity) < 1e-9) return false;
    const Vec2 heading = (1.0 / length(t.velocity)) * t.velocity;
    const auto own_from_other = [&](double m) { return -testing::seen_at(t, own_velocity, m); };
    double before = cross(heading, own_from_other(0.0));
    for (double m = 1.0; m <= 24.0 * 60.0; m += 1.0) {
        const double now = cross(heading, own_from_other(m));
        if ((before < 0.0) != (now < 0.0) && dot(heading, own_from_other(m)) > 0.0) return true;
        before = now;
    }
    return false;
}

inline TurnSide side_of_turn(double from, double to) {
    const double turn = signed_turn(from, to);
    return turn > 0.0 ? TurnSide::Starboard : turn < 0.0 ? TurnSide::Port : TurnSide::None;
}

}  // namespace echo_track::traffic::testing
