// Every claim the traffic solver makes, against a plain simulation, over
// thousands of seeded exercises of the awkward kinds together: ships keeping
// station outside and inside the limit, ships as fast as the own ship, the
// own ship stopped, a ship at the own ship, clearing sets split into
// slivers, targets seen twice at the same time, sightings across midnight,
// tracks fitted through three to five sightings, ships that altered before
// their two latest sightings, and a manoeuvre when a ship closes to a range
// (between whole minutes).
//
// A claim that a setting clears holds when, with both ships moved along
// their velocities from the manoeuvre time for a watch of 10 000 hours, no
// ship comes more than 1e-7 nm inside the required CPA, or a ship already
// inside does not close (come more than 1e-7 nm nearer than it is). A claim that a setting is blocked
// holds when some ship comes more than 1e-7 nm inside and is not one already
// inside that opens. A ship at the own ship at the manoeuvre time (closer
// than 1e-9 nm) has collided: it blocks every setting.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tests/traffic/simulated_sea.hpp"
#include "traffic/steerable.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::traffic {
namespace {

using testing::SeaTarget;
using testing::uniform;

constexpr int kExercises = 6000;
constexpr double kInsideNm = 1e-7;       // the grazing allowance of the definition
// What the figures may be off by: the sightings give the ships' motion to
// about 1e-12 kt, which over the watch moves a ship some 1e-8 nm. A claim is
// given that much either way.
constexpr double kSimulationNm = 1e-8;
constexpr double kHorizonH = 1e4;        // hours the simulated ships are watched: over a year

// The kinds of exercise, taken in turn, by name.
enum class Kind {
    Ordinary, StationOutside, StationInside, EqualSpeed, OwnStopped, AtOwnShip, ClearSlivers, BlockedSlivers, SameTime, Midnight,
    Fitted, Altering, AtRange
};
constexpr std::array kKindNames = {"ordinary", "station outside", "station inside", "equal speed", "own stopped",
                                   "at own ship", "clear slivers", "blocked slivers", "same time", "midnight",
                                   "fitted", "altering", "at range"};

// The exercise and the truth behind it: each target's simulated ship, none
// for a target seen twice at the same time.
struct Sea {
    Kind kind = Kind::Ordinary;
    TrafficExercise exercise;
    std::vector<std::optional<SeaTarget>> truth;
    Vec2 own_velocity;
    int clock = 0;          // the whole minute of the latest possible sighting
    double fraction = 0.0;  // the manoeuvre is this far past it (a manoeuvre at a range)
    int altered = -1;       // a ship that altered before its two latest sightings
};

SeaTarget ordinary_ship(std::mt19937_64& rng, double required);

double pick(std::mt19937_64& rng, std::initializer_list<double> values) {
    const auto i = std::uniform_int_distribution<std::size_t>(0, values.size() - 1)(rng);
    return *(values.begin() + static_cast<std::ptrdiff_t>(i));
}

bool chance(std::mt19937_64& rng, double p) { return uniform(rng, 0.0, 1.0) < p; }

// A ship sighted `count` times before the manoeuvre time, at whole minutes
// of the clock: two in either order, more in time order. A ship that
// altered was on `before` (its true velocity then) until the second latest
// sighting.
void add_ship(Sea& sea, std::mt19937_64& rng, const SeaTarget& t, int count = 2, std::optional<Vec2> before = std::nullopt) {
    const int delay = std::uniform_int_distribution<int>(0, 10)(rng);
    std::vector<int> ago = {delay};  // minutes before the latest possible sighting, latest first
    while (static_cast<int>(ago.size()) < count) ago.push_back(ago.back() + std::uniform_int_distribution<int>(count > 2 ? 3 : 1, 15)(rng));
    const auto clock_at = [&](int m) { return ClockTime{((sea.clock + m) % kMinutesPerDay + kMinutesPerDay) % kMinutesPerDay}; };
    const double turned_at = -sea.fraction - ago[1];  // minutes from the manoeuvre time
    std::vector<Sighting> seen;
    for (auto m = ago.rbegin(); m != ago.rend(); ++m) {
        const double minutes = -sea.fraction - *m;
        SeaTarget on = t;
        if (before && minutes < turned_at) on = SeaTarget{*before, testing::seen_at(t, sea.own_velocity, turned_at) - ((turned_at / 60.0) * (*before - sea.own_velocity))};
        seen.push_back(testing::sight(on, sea.own_velocity, minutes, clock_at(-*m)));
    }
    if (count == 2 && chance(rng, 0.3)) std::swap(seen[0], seen[1]);
    sea.exercise.targets.push_back(Target{"T" + std::to_string(sea.truth.size()), seen});
    sea.truth.emplace_back(t);
}

// A ship closing on the own ship at the manoeuvre time, by a knot at least.
SeaTarget closing_ship(std::mt19937_64& rng, const Sea& sea) {
    SeaTarget t = ordinary_ship(rng, sea.exercise.required_cpa_nm);
    for (int tries = 0; tries < 50; ++tries) {
        if (-dot(t.at_manoeuvre, t.velocity - sea.own_velocity) / length(t.at_manoeuvre) >= 1.0) return t;
        t = ordinary_ship(rng, sea.exercise.required_cpa_nm);
    }
    t.velocity = sea.own_velocity - 5.0 * (1.0 / length(t.at_manoeuvre)) * t.at_manoeuvre;
    return t;
}

SeaTarget ordinary_ship(std::mt19937_64& rng, double required) {
    SeaTarget t;
    t.at_manoeuvre = along(uniform(rng, 0.0, 360.0), uniform(rng, 0.3 * required, 12.0));
    // Mostly heading for the own ship within some degrees, else anywhere.
    const Vec2 towards = turned((-1.0 / length(t.at_manoeuvre)) * t.at_manoeuvre, uniform(rng, -25.0, 25.0));
    t.velocity = chance(rng, 0.6) ? uniform(rng, 2.0, 25.0) * towards : along(uniform(rng, 0.0, 360.0), uniform(rng, 0.0, 25.0));
    return t;
}

SeaTarget turned_ship(const SeaTarget& t, double degrees) { return {turned(t.velocity, degrees), turned(t.at_manoeuvre, degrees)}; }

// The blocked arcs of one ship alone at the own speed.
ClearingArcs arcs_of_one(const Sea& sea, const SeaTarget& t) {
    TargetSolution solved;
    solved.position = t.at_manoeuvre;
    solved.true_velocity = t.velocity;
    return clearing_arcs({solved}, sea.exercise.own.speed_kt, sea.exercise.own.course, sea.exercise.required_cpa_nm);
}

// Two ships whose blocked arcs leave a clearing sliver between them (or
// overlap a little): the second is the first turned about the own ship.
void add_clear_sliver(Sea& sea, std::mt19937_64& rng) {
    const SeaTarget a = ordinary_ship(rng, sea.exercise.required_cpa_nm);
    const ClearingArcs one = arcs_of_one(sea, a);
    add_ship(sea, rng, a);
    if (one.blocked.size() != 1 || one.every_course() || one.no_course()) return;
    const double gap = pick(rng, {1e-12, 1e-9, 1e-6, 1e-4, 0.01, 0.05, 0.3, -0.01});
    const double turn = one.blocked.front().width() + gap;
    add_ship(sea, rng, turned_ship(a, turn));
    if (chance(rng, 0.5)) add_ship(sea, rng, turned_ship(a, -turn));
}

// A ship whose cone edge the own-speed circle just touches, or just misses:
// a blocked sliver, or none.
void add_blocked_sliver(Sea& sea, std::mt19937_64& rng) {
    const double required = sea.exercise.required_cpa_nm;
    for (int tries = 0; tries < 20; ++tries) {
        const SeaTarget t = ordinary_ship(rng, required);
        if (length(t.at_manoeuvre) <= required) continue;
        for (const Vec2 e : verdict_borders(t.at_manoeuvre, required).edges) {
            const double touching = std::fabs(cross(t.velocity, e));
            if (dot(t.velocity, e) <= 0.0 || touching < 1.0 || touching > 25.0) continue;
            sea.exercise.own.speed_kt = touching * (1.0 + pick(rng, {-1e-6, -1e-9, 1e-12, 1e-9, 1e-6, 1e-3}));
            sea.own_velocity = along(sea.exercise.own.course, sea.exercise.own.speed_kt);
            add_ship(sea, rng, t);
            return;
        }
    }
}

Sea random_sea(std::mt19937_64& rng, Kind kind) {
    Sea sea;
    sea.kind = kind;
    TrafficExercise& e = sea.exercise;
    const double course = chance(rng, 0.5) ? std::floor(uniform(rng, 0.0, 360.0)) : uniform(rng, 0.0, 360.0);
    e.own = {course, kind == Kind::OwnStopped ? 0.0 : std::round(uniform(rng, 1.0, 20.0) * 10.0) / 10.0};
    sea.own_velocity = along(e.own.course, e.own.speed_kt);
    e.required_cpa_nm = chance(rng, 0.5) ? std::round(uniform(rng, 0.5, 3.0) * 10.0) / 10.0 : uniform(rng, 0.5, 3.0);
    sea.clock = kind == Kind::Midnight ? std::uniform_int_distribution<int>(0, 20)(rng)
                                       : std::uniform_int_distribution<int>(0, kMinutesPerDay - 1)(rng);
    e.manoeuvre.at = ClockTime{sea.clock};
    const double required = e.required_cpa_nm;
    switch (kind) {
        case Kind::StationOutside: {
            const double range = chance(rng, 0.2) ? required : uniform(rng, required, 12.0);
            add_ship(sea, rng, {sea.own_velocity, along(uniform(rng, 0.0, 360.0), range)});
            break;
        }
        case Kind::StationInside:
            add_ship(sea, rng, {sea.own_velocity, along(pick(rng, {0.0, 90.0, 180.0, uniform(rng, 0.0, 360.0)}) + course,
                                                        uniform(rng, 0.05, 0.99) * required)});
            break;
        case Kind::EqualSpeed: {
            const double heading = chance(rng, 0.3) ? course + pick(rng, {1e-9, 1e-6, 0.01, 1.0}) : uniform(rng, 0.0, 360.0);
            add_ship(sea, rng, {along(heading, e.own.speed_kt), along(uniform(rng, 0.0, 360.0), uniform(rng, 0.3 * required, 12.0))});
            break;
        }
        case Kind::OwnStopped:  // now and then beside a ship stopped too, inside the limit or outside
            if (chance(rng, 0.5)) add_ship(sea, rng, {Vec2{}, along(uniform(rng, 0.0, 360.0), uniform(rng, 0.3, 2.0) * required)});
            break;
        case Kind::AtOwnShip:
            add_ship(sea, rng, {chance(rng, 0.3) ? sea.own_velocity : along(uniform(rng, 0.0, 360.0), uniform(rng, 0.0, 20.0)), Vec2{}});
            break;
        case Kind::ClearSlivers: add_clear_sliver(sea, rng); break;
        case Kind::BlockedSlivers: add_blocked_sliver(sea, rng); break;
        case Kind::SameTime:
            e.targets.push_back(Target{"Same", {ClockTime{sea.clock}, 90.0, 5.0}, {ClockTime{sea.clock}, 91.0, 5.0}});
            sea.truth.emplace_back();
            break;
        case Kind::Fitted:
            add_ship(sea, rng, ordinary_ship(rng, required), std::uniform_int_distribution<int>(3, 5)(rng));
            break;
        case Kind::Altering: {
            const SeaTarget t = ordinary_ship(rng, required);
            sea.altered = static_cast<int>(sea.truth.size());
            add_ship(sea, rng, t, std::uniform_int_distribution<int>(3, 5)(rng), t.velocity + along(uniform(rng, 0.0, 360.0), uniform(rng, 10.0, 20.0)));
            break;
        }
        case Kind::AtRange: {
            // The manoeuvre between whole minutes, when this ship closes to its range then.
            sea.fraction = uniform(rng, 0.0, 1.0);
            const SeaTarget t = closing_ship(rng, sea);
            e.manoeuvre.at.reset();
            e.manoeuvre.at_range = RangeTrigger{"T" + std::to_string(sea.truth.size()), length(t.at_manoeuvre)};
            add_ship(sea, rng, t, chance(rng, 0.5) ? 2 : 3);
            break;
        }
        default: break;
    }
    const int others = std::uniform_int_distribution<int>(kind == Kind::Ordinary || kind == Kind::Midnight ? 1 : 0, 3)(rng);
    for (int i = 0; i < others; ++i) add_ship(sea, rng, ordinary_ship(rng, required));
    return sea;
}

// One claim: the own ship making `own_velocity` from the manoeuvre time
// clears every solved ship (target < 0) or the one named, or is blocked.
struct Claim {
    std::string what;
    Vec2 own_velocity;
    bool clears = true;
    int target = -1;
};

struct Verdict {
    bool clear = true;     // by the definition: no ship inside by more than the allowance, or inside and not closing
    bool blocked = false;  // some ship inside by more than the allowance, and not one inside that opens
};

Verdict simulated(const Sea& sea, Vec2 own_velocity, int only) {
    Verdict v;
    const double required = sea.exercise.required_cpa_nm;
    for (std::size_t i = 0; i < sea.truth.size(); ++i) {
        if (!sea.truth[i] || (only >= 0 && static_cast<std::size_t>(only) != i)) continue;
        const SeaTarget& t = *sea.truth[i];
        const double now = length(t.at_manoeuvre);
        const double least = testing::least_range_simulated(t, own_velocity, kHorizonH);
        if (now < 1e-9) {
            v.clear = false;
            v.blocked = true;
            continue;
        }
        const bool inside = now < required;
        const bool grows = length(t.at_manoeuvre + (t.velocity - own_velocity)) > now + kSimulationNm;  // after an hour
        if (least < required - kInsideNm - kSimulationNm && !(inside && least >= now - kInsideNm - kSimulationNm)) v.clear = false;
        if (least < required - kInsideNm + kSimulationNm && !(inside && grows && least >= now - kInsideNm + kSimulationNm)) v.blocked = true;
    }
    return v;
}

bool holds(const Sea& sea, const Claim& c) {
    const Verdict v = simulated(sea, c.own_velocity, c.target);
    return c.clears ? v.clear : v.blocked;
}

void outcome_claims(const std::string& what, const Outcome& o, std::vector<Claim>& claims) {
    const Vec2 own = along(o.own.course, o.own.speed_kt);
    claims.push_back({what, own, o.clears_all});
    for (std::size_t i = 0; i < o.passages.size(); ++i) {
        claims.push_back({what + ", passage " + std::to_string(i), own, o.passages[i].clears, static_cast<int>(i)});
    }
}

void arc_claims(const TrafficExercise& e, const ClearingArcs& arcs, std::vector<Claim>& claims) {
    const auto at = [&](double course) { return along(course, e.own.speed_kt); };
    for (const CourseArc& a : arcs.clear) {
        for (const double c : {a.from, a.middle(), a.to}) claims.push_back({"clearing arc at " + std::to_string(c), at(c), true});
        if (const auto shown = inward(a.from, a.to, 1, false)) {
            for (const double c : {shown->from, shown->to}) claims.push_back({"printed clearing end " + std::to_string(c), at(c), true});
        }
    }
    for (const CourseArc& a : arcs.blocked) {
        claims.push_back({"blocked arc middle " + std::to_string(a.middle()), at(a.middle()), false});
        if (const auto shown = inward(a.from, a.to, 1, true)) {
            for (const double c : {shown->from, shown->to}) claims.push_back({"printed blocked end " + std::to_string(c), at(c), false});
        }
    }
}

void speed_claims(const TrafficExercise& e, const SpeedAlternative& v, std::vector<Claim>& claims) {
    const Vec2 u = along(e.own.course, 1.0);
    const SpeedChoice& c = v.choice;
    if (c.present_clears) return;
    if (c.found) outcome_claims("speed alternative", v.outcome, claims);
    if (c.every_lower_clears) {
        for (const double k : {0.0, 0.25, 0.5, 0.75}) claims.push_back({"every lower speed", (k * v.speed_kt) * u, true});
    }
    double below = 0.0;
    for (const Span& s : c.clearing_speeds) {
        for (const double speed : {s.from, (s.from + s.to) / 2.0, s.to}) claims.push_back({"clearing speed " + std::to_string(speed), speed * u, true});
        if (s.from > below) claims.push_back({"speed between clearing ones", ((below + s.from) / 2.0) * u, false});
        below = s.to;
    }
    if (below < e.own.speed_kt) claims.push_back({"speed above the clearing ones", ((below + e.own.speed_kt) / 2.0) * u, false});
    if (v.stopping_does_not_clear) claims.push_back({"stopping", Vec2{}, false});
}

std::vector<Claim> claims_of(const TrafficExercise& e, const TrafficSolution& s) {
    std::vector<Claim> claims;
    const Vec2 present = along(e.own.course, e.own.speed_kt);
    claims.push_back({s.present_clears ? "none needed" : "present does not clear", present, s.present_clears});
    for (std::size_t i = 0; i < s.targets.size(); ++i) {
        if (!s.targets[i].same_time) claims.push_back({"table " + s.targets[i].name, present, s.targets[i].present.clears, static_cast<int>(i)});
    }
    arc_claims(e, s.arcs, claims);
    if (s.arcs.no_course()) {
        for (const double c : {0.0, 90.0, 180.0, 270.0}) claims.push_back({"no course", along(c, e.own.speed_kt), false});
    }
    for (const auto* side : {&s.starboard, &s.port}) {
        if (!*side) continue;
        const Alteration& a = (*side)->alteration;
        claims.push_back({"exact edge", along(a.exact_course, e.own.speed_kt), true});
        claims.push_back({"steered course", along(a.steered_course, e.own.speed_kt), true});
        outcome_claims("alteration", (*side)->outcome, claims);
    }
    speed_claims(e, s.speed_alternative, claims);
    if (s.trial) outcome_claims("trial", *s.trial, claims);
    return claims;
}

// The properties of the figures themselves: whole-degree steering on the
// clearing side of the exact edge, within the turn.
std::vector<std::string> figure_faults(const TrafficExercise& e, const TrafficSolution& s) {
    std::vector<std::string> faults;
    for (const Side side : {Side::Starboard, Side::Port}) {
        const auto& chosen = side == Side::Starboard ? s.starboard : s.port;
        if (!chosen) continue;
        const Alteration& a = chosen->alteration;
        if (s.present_clears != (a.steered_turn == 0.0)) faults.push_back("a turn of 0 without the present course clearing");
        if (a.steered_turn < a.exact_turn) faults.push_back("steered course short of the exact edge");
        if (a.steered_turn > 0.0 && a.steered_decimals == 0 && a.steered_course != std::round(a.steered_course)) faults.push_back("steered course not whole");
        if (!chosen->outcome.clears_all) faults.push_back("alteration outcome does not clear");
    }
    const SpeedAlternative& v = s.speed_alternative;
    if (v.choice.found && (v.speed_kt >= e.own.speed_kt || std::round(v.speed_kt * 10.0) != v.speed_kt * 10.0)) {
        faults.push_back("speed alternative not a tenth below the present speed");
    }
    if (v.choice.found && !v.outcome.clears_all) faults.push_back("speed alternative outcome does not clear");
    return faults;
}

// The properties of the new inputs: a fitted track found on its line, an
// altered ship found off it, a manoeuvre at a range at that range.
void plot_faults(const Sea& sea, const TrafficSolution& s, std::vector<std::string>& faults) {
    for (std::size_t i = 0; i < s.targets.size(); ++i) {
        const TargetSolution& t = s.targets[i];
        if (t.same_time) continue;
        if (static_cast<int>(i) == sea.altered && !t.from_latest_two) faults.push_back("an altered ship taken as on a straight line");
        if (static_cast<int>(i) != sea.altered && !t.plot_consistent) faults.push_back("a ship on a straight line taken as altering");
    }
    if (const auto& r = sea.exercise.manoeuvre.at_range) {
        for (const TargetSolution& t : s.targets) {
            if (t.name == r->of && (s.range_not_reached || std::fabs(t.range_nm - r->range_nm) > 1e-9)) faults.push_back("a manoeuvre at a range not at that range");
        }
    }
}

TEST(TrafficClaims, EveryClaimHoldsInASimulation) {
    std::mt19937_64 rng(2101);
    std::array<int, kKindNames.size()> failed{};
    int claims_checked = 0;
    for (int i = 0; i < kExercises; ++i) {
        const std::size_t k = static_cast<std::size_t>(i) % kKindNames.size();
        const Sea sea = random_sea(rng, static_cast<Kind>(k));
        const TrafficSolution s = solve_traffic(sea.exercise);
        std::vector<std::string> faults = figure_faults(sea.exercise, s);
        plot_faults(sea, s, faults);
        for (const Claim& c : claims_of(sea.exercise, s)) {
            ++claims_checked;
            if (!holds(sea, c)) faults.push_back(c.what + (c.clears ? " claimed clear" : " claimed blocked"));
        }
        if (faults.empty()) continue;
        if (++failed[k] <= 2) {
            ADD_FAILURE() << "exercise " << i << " (" << kKindNames[k] << "): " << faults.front()
                          << (faults.size() > 1 ? "; " + faults[1] : "") << " and " << faults.size() - 1 << " more";
        }
    }
    int total = 0;
    std::string tally;
    for (std::size_t k = 0; k < kKindNames.size(); ++k) {
        total += failed[k];
        tally += std::string(k ? ", " : "") + kKindNames[k] + " " + std::to_string(failed[k]);
    }
    std::printf("claims: %d checked over %d exercises; exercises with a false claim: %d (by kind: %s)\n", claims_checked, kExercises, total,
                tally.c_str());
    EXPECT_EQ(total, 0);
}

}  // namespace
}  // namespace echo_track::traffic
