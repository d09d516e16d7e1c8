// The traffic solver against a simulated sea: ships moved along straight
// tracks with plain velocity vectors, sighted twice, and watched for their
// closest approach; the clearing arcs against a scan of courses.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "tests/traffic/simulated_sea.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::traffic {
namespace {

using testing::SeaTarget;
using testing::uniform;

constexpr double kMiles = 1e-9;        // nm
constexpr double kMinutes = 1e-6;      // min
constexpr double kSlowest = 0.1;       // kt: below it a TCPA is not sharp enough to compare
constexpr double kScanStep = 0.01;     // degrees
constexpr double kNarrowArc = 0.02;    // degrees: may fall between two scanned courses

struct Sea {
    TrafficExercise exercise;
    std::vector<SeaTarget> targets;
    Vec2 own_velocity;
};

// Own ship and one to four targets placed around it at the manoeuvre time,
// each sighted twice some minutes before (across midnight now and then).
Sea random_sea(std::mt19937_64& rng) {
    Sea sea;
    TrafficExercise& e = sea.exercise;
    e.own = {uniform(rng, 0.0, 360.0), uniform(rng, 0.0, 1.0) < 0.1 ? 0.0 : uniform(rng, 1.0, 20.0)};
    sea.own_velocity = along(e.own.course, e.own.speed_kt);
    e.required_cpa_nm = uniform(rng, 0.5, 3.0);
    const int clock = std::uniform_int_distribution<int>(0, kMinutesPerDay - 1)(rng);
    e.manoeuvre.at = ClockTime{clock};
    const int count = std::uniform_int_distribution<int>(1, 4)(rng);
    for (int i = 0; i < count; ++i) {
        SeaTarget t;
        t.velocity = along(uniform(rng, 0.0, 360.0), uniform(rng, 0.0, 25.0));
        t.at_manoeuvre = along(uniform(rng, 0.0, 360.0), uniform(rng, 0.3, 12.0));
        const int delay = std::uniform_int_distribution<int>(0, 10)(rng);
        const int interval = std::uniform_int_distribution<int>(3, 15)(rng);
        const auto clock_at = [&](int m) { return ClockTime{((clock + m) % kMinutesPerDay + kMinutesPerDay) % kMinutesPerDay}; };
        Target seen{"T" + std::to_string(i), testing::sight(t, sea.own_velocity, -delay - interval, clock_at(-delay - interval)),
                    testing::sight(t, sea.own_velocity, -delay, clock_at(-delay))};
        if (i % 2 == 1) std::swap(seen.sightings[0], seen.sightings[1]);  // the later sighting may come first
        e.targets.push_back(seen);
        sea.targets.push_back(t);
    }
    return sea;
}

std::vector<Sea> seas(std::uint64_t seed, int count) {
    std::mt19937_64 rng(seed);
    std::vector<Sea> all;
    for (int i = 0; i < count; ++i) all.push_back(random_sea(rng));
    return all;
}

// The least range of any target from the manoeuvre time on, the grazing
// allowance added; a target already inside the limit counts as passed clear
// when it opens at once (or comes nearer by less than the allowance).
double least_of_all(const Sea& sea, Vec2 own_velocity) {
    double least = INFINITY;
    for (const SeaTarget& t : sea.targets) {
        const double now = length(t.at_manoeuvre);
        const double ahead = testing::least_range_ahead(t, own_velocity);
        const bool inside = now < sea.exercise.required_cpa_nm;
        const bool opens = testing::closest_approach(t, own_velocity).minutes <= 0.0 || ahead >= now - kGrazeNm;
        least = std::min(least, inside && opens ? INFINITY : ahead + kGrazeNm);
    }
    return least;
}

TEST(TrafficSimulation, EachTargetPassesAsSimulated) {
    for (const Sea& sea : seas(1401, 300)) {
        const TrafficSolution s = solve_traffic(sea.exercise);
        const Vec2 heading = along(sea.exercise.own.course, 1.0);
        for (std::size_t i = 0; i < sea.targets.size(); ++i) {
            const SeaTarget& t = sea.targets[i];
            const TargetSolution& got = s.targets[i];
            SCOPED_TRACE(got.name);
            EXPECT_NEAR(got.position.north, t.at_manoeuvre.north, kMiles);
            EXPECT_NEAR(got.position.east, t.at_manoeuvre.east, kMiles);
            EXPECT_NEAR(got.true_velocity.north, t.velocity.north, 1e-9);
            EXPECT_NEAR(got.true_velocity.east, t.velocity.east, 1e-9);

            const testing::Approach closest = testing::closest_approach(t, sea.own_velocity);
            EXPECT_NEAR(got.present.cpa_nm, closest.range_nm, kMiles);
            if (got.present.relative_speed_kt >= kSlowest) {
                EXPECT_NEAR(got.present.tcpa_min, closest.minutes, kMinutes);
            }
            const bool simulated_danger = closest.minutes > 0.0 && closest.range_nm < sea.exercise.required_cpa_nm;
            if (std::fabs(closest.range_nm - sea.exercise.required_cpa_nm) > kMiles) {
                EXPECT_EQ(got.present.danger, simulated_danger);
            }

            // Crossing the heading line: where the simulated target's offset
            // across the line changes sign.
            const auto across = [&](double m) { return cross(heading, testing::seen_at(t, sea.own_velocity, m)); };
            const double crossing = testing::steady_zero(across);
            ASSERT_TRUE(got.bow_crossing.crosses);
            // A track nearly parallel to the heading crosses it thousands of
            // miles off: there the figure agrees to 1e-9 of its size.
            const double simulated_range = dot(heading, testing::seen_at(t, sea.own_velocity, crossing));
            EXPECT_NEAR(got.bow_crossing.range_nm, simulated_range, kMiles * std::max(1.0, std::fabs(simulated_range)));
            if (std::fabs(across(1.0) - across(0.0)) * 60.0 >= kSlowest) {
                EXPECT_NEAR(got.bow_crossing.time_min, crossing, kMinutes);
            }
        }
    }
}

// Whether the scanned course lies within a step of an arc edge, where the
// scan may see either side.
bool near_an_edge(const ClearingArcs& arcs, double course) {
    for (const auto* list : {&arcs.clear, &arcs.blocked}) {
        for (const CourseArc& a : *list) {
            if (a.width() >= 360.0) continue;
            if (std::fabs(signed_turn(a.from, course)) <= kScanStep || std::fabs(signed_turn(a.to, course)) <= kScanStep) return true;
        }
    }
    return false;
}

bool blocked_by_arcs(const ClearingArcs& arcs, double course) {
    return std::any_of(arcs.blocked.begin(), arcs.blocked.end(), [&](const CourseArc& a) { return a.holds(course); });
}

TEST(TrafficSimulation, ClearingArcsMatchAScanOfCourses) {
    for (const Sea& sea : seas(1402, 12)) {
        const TrafficSolution s = solve_traffic(sea.exercise);
        const double speed = sea.exercise.own.speed_kt;
        const double limit = sea.exercise.required_cpa_nm;
        for (int step = 0; step < 36000; ++step) {
            const double course = step * kScanStep;
            if (near_an_edge(s.arcs, course)) continue;
            const bool clear = least_of_all(sea, along(course, speed)) >= limit;
            ASSERT_EQ(!blocked_by_arcs(s.arcs, course), clear) << "course " << course;
        }
        for (const CourseArc& a : s.arcs.clear) {
            if (a.width() >= kNarrowArc) {
                EXPECT_GE(least_of_all(sea, along(a.middle(), speed)), limit - kMiles);
            }
        }
        for (const CourseArc& a : s.arcs.blocked) {
            if (a.width() >= kNarrowArc) {
                EXPECT_LT(least_of_all(sea, along(a.middle(), speed)), limit);
            }
        }
        // The smallest alterations: the edge and the steered whole degree
        // clear in simulation, and the scan finds nothing clear nearer.
        for (const Side side : {Side::Starboard, Side::Port}) {
            const auto& chosen = side == Side::Starboard ? s.starboard : s.port;
            const double sign = side == Side::Starboard ? 1.0 : -1.0;
            const double reach = chosen ? chosen->alteration.exact_turn - kScanStep : 180.0 - kScanStep;
            for (double turn = 0.0; turn < reach; turn += kScanStep) {
                const double course = normalized_degrees(sea.exercise.own.course + sign * turn);
                if (!near_an_edge(s.arcs, course)) {
                    EXPECT_LT(least_of_all(sea, along(course, speed)), limit) << course;
                }
            }
            if (!chosen) continue;
            EXPECT_GE(least_of_all(sea, along(chosen->alteration.exact_course, speed)), limit - kMiles);
            EXPECT_GE(least_of_all(sea, along(chosen->alteration.steered_course, speed)), limit - kMiles);
            if (chosen->alteration.exact_turn > 0.0) {
                EXPECT_EQ(chosen->alteration.steered_course, std::round(chosen->alteration.steered_course));
            }
            EXPECT_TRUE(chosen->outcome.clears_all);
        }
    }
}

TEST(TrafficSimulation, SpeedAlternativeIsTheHighestTenthThatClears) {
    for (const Sea& sea : seas(1403, 200)) {
        const TrafficSolution s = solve_traffic(sea.exercise);
        const double course = sea.exercise.own.course;
        const double limit = sea.exercise.required_cpa_nm;
        const double present = sea.exercise.own.speed_kt;
        const SpeedAlternative& alt = s.speed_alternative;
        if (alt.choice.present_clears) continue;
        const double from = alt.choice.found ? alt.speed_kt + 0.1 : 0.0;
        if (alt.choice.found) {
            EXPECT_LT(alt.speed_kt, present);
            EXPECT_EQ(alt.speed_kt * 10.0, std::round(alt.speed_kt * 10.0));
            EXPECT_GE(least_of_all(sea, along(course, alt.speed_kt)), limit - kMiles);
        }
        // No higher tenth below the present speed clears, away from the
        // edges of the clearing speeds where the scan may see either side.
        for (double v = from; v < present - 0.01; v += 0.1) {
            const bool near_edge = std::any_of(alt.choice.clearing_speeds.begin(), alt.choice.clearing_speeds.end(),
                                               [&](const Span& span) { return std::fabs(v - span.from) < 1e-6 || std::fabs(v - span.to) < 1e-6; });
            if (!near_edge) {
                EXPECT_LT(least_of_all(sea, along(course, v)), limit) << v;
            }
        }
    }
}

}  // namespace
}  // namespace echo_track::traffic

namespace echo_track::traffic {
namespace {

// Sound where the dialog is not: a target keeping station has its range as
// CPA and no TCPA; inside the limit it is cleared only by a course that
// opens it, and the same-time target beside it is reported, not solved.
TEST(TrafficSimulation, StationKeepingInsideTheLimitAndSameTimeSightings) {
    Sea sea;
    TrafficExercise& e = sea.exercise;
    e.own = {0.0, 12.0};
    e.required_cpa_nm = 1.5;
    e.manoeuvre.at = ClockTime{10 * 60 + 18};
    sea.own_velocity = along(0.0, 12.0);
    sea.targets = {SeaTarget{sea.own_velocity, along(200.0, 0.8)}};
    e.targets = {Target{"Station", {ClockTime{600}, 200.0, 0.8}, {ClockTime{612}, 200.0, 0.8}},
                 Target{"Same time", {ClockTime{612}, 90.0, 5.0}, {ClockTime{612}, 91.0, 5.0}}};
    const TrafficSolution s = solve_traffic(e);
    const TargetSolution& t = s.targets[0];
    EXPECT_TRUE(t.present.keeps_station);
    EXPECT_NEAR(t.present.cpa_nm, 0.8, kMiles);
    EXPECT_TRUE(t.present.danger);  // it stays inside for ever
    EXPECT_TRUE(s.targets[1].same_time);
    ASSERT_TRUE(s.starboard);
    EXPECT_GT(s.starboard->alteration.steered_turn, 0.0);  // the present course leaves it inside for ever
    EXPECT_LE(testing::closest_approach(sea.targets[0], along(s.starboard->alteration.steered_course, 12.0)).minutes, 0.0);
    EXPECT_TRUE(s.speed_alternative.stopping_does_not_clear);
}

}  // namespace
}  // namespace echo_track::traffic
