// Plotting as it is taught, against plain geometry over seeded exercises:
// several sightings on one line give the line through the first and last;
// a third sighting off the line is told by how far; a manoeuvre at a range
// comes at that range and no sooner; the aspect and the sector as the
// target's frame and the collision rules give them.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "tests/traffic/simulated_sea.hpp"
#include "traffic/range_trigger.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::traffic {
namespace {

using testing::SeaTarget;
using testing::uniform;

constexpr double kNm = 1e-9;

int whole(std::mt19937_64& rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

// A ship on the simulated sea, the own ship making `own` throughout.
struct Plotted {
    CourseAndSpeed own;
    SeaTarget truth;
    int latest = 0;  // clock minute of the latest sighting, which is the manoeuvre time
};

Plotted random_plot(std::mt19937_64& rng) {
    Plotted p;
    p.own = {uniform(rng, 0.0, 360.0), uniform(rng, 0.0, 20.0)};
    p.truth = {along(uniform(rng, 0.0, 360.0), uniform(rng, 0.0, 25.0)), along(uniform(rng, 0.0, 360.0), uniform(rng, 1.0, 10.0))};
    p.latest = whole(rng, 0, 1) ? whole(rng, 0, 30) : whole(rng, 0, kMinutesPerDay - 1);  // across midnight now and then
    return p;
}

// Sightings `ago` minutes before the latest (oldest first), exactly on the track.
std::vector<Sighting> sightings(const Plotted& p, const std::vector<int>& ago) {
    std::vector<Sighting> seen;
    const Vec2 own = along(p.own.course, p.own.speed_kt);
    for (const int m : ago) seen.push_back(testing::sight(p.truth, own, -m, ClockTime{((p.latest - m) % kMinutesPerDay + kMinutesPerDay) % kMinutesPerDay}));
    return seen;
}

std::vector<int> minutes_ago(std::mt19937_64& rng, int count) {
    std::vector<int> ago = {0};
    while (static_cast<int>(ago.size()) < count) ago.insert(ago.begin(), ago.front() + whole(rng, 1, 15));
    return ago;
}

TargetSolution solved(const Plotted& p, const std::vector<Sighting>& seen, double tolerance = kPlotToleranceNm) {
    return solve_target(Target{"T", seen}, p.own, ManoeuvreClock{seen.front().time, static_cast<double>(minutes_between(seen.front().time, seen.back().time))}, 1.0, tolerance);
}

void expect_same_figures(const TargetSolution& a, const TargetSolution& b) {
    EXPECT_NEAR(a.true_velocity.north, b.true_velocity.north, 1e-9);
    EXPECT_NEAR(a.true_velocity.east, b.true_velocity.east, 1e-9);
    EXPECT_NEAR(a.position.north, b.position.north, kNm);
    EXPECT_NEAR(a.position.east, b.position.east, kNm);
    EXPECT_NEAR(a.present.cpa_nm, b.present.cpa_nm, kNm);
}

// Three to six sightings exactly on a track (a third exactly on the line
// among them) are consistent, lie on the line of those before them, and
// give the figures of the first and last alone.
TEST(Plotting, SightingsOnALineGiveTheFiguresOfTheFirstAndLast) {
    std::mt19937_64 rng(2301);
    for (int n = 0; n < 1000; ++n) {
        const Plotted p = random_plot(rng);
        const std::vector<Sighting> seen = sightings(p, minutes_ago(rng, whole(rng, 3, 6)));
        const TargetSolution all = solved(p, seen);
        SCOPED_TRACE(n);
        ASSERT_TRUE(all.plot_consistent);
        EXPECT_FALSE(all.from_latest_two);
        for (std::size_t k = 2; k < all.plot.size(); ++k) EXPECT_NEAR(*all.plot[k].off_track_nm, 0.0, kNm);
        expect_same_figures(all, solved(p, {seen.front(), seen.back()}));
        if (HasFailure()) return;
    }
}

// The latest of three sightings moved off the line through the first two
// by d is off it by exactly d: flagged when d is more than its tolerance,
// not when less, and then the figures are those of the two latest.
TEST(Plotting, ALatestSightingOffTheLineIsFlaggedByItsDistance) {
    std::mt19937_64 rng(2302);
    for (int n = 0; n < 2000; ++n) {
        const Plotted p = random_plot(rng);
        std::vector<Sighting> seen = sightings(p, minutes_ago(rng, 3));
        const double fixed = uniform(rng, 0.05, 0.5);
        const double tolerance = std::max(fixed, kPlotToleranceShare * seen.back().range_nm);
        const double d = tolerance * (whole(rng, 0, 1) ? uniform(rng, 0.0, 0.999) : uniform(rng, 1.001, 4.0));
        const Vec2 moved = along(seen.back().bearing, seen.back().range_nm) + along(uniform(rng, 0.0, 360.0), d);
        seen.back().bearing = bearing_of(moved);
        seen.back().range_nm = length(moved);
        // The tolerance is of the moved sighting's range: keep clear of its edge.
        const double allowed = std::max(fixed, kPlotToleranceShare * seen.back().range_nm);
        if (std::fabs(d - allowed) < 1e-6) continue;
        const TargetSolution t = solved(p, seen, fixed);
        SCOPED_TRACE(n);
        ASSERT_TRUE(t.plot.back().off_track_nm);
        EXPECT_NEAR(*t.plot.back().off_track_nm, d, kNm);
        EXPECT_EQ(t.plot_consistent, d <= allowed) << d << " against " << allowed;
        EXPECT_EQ(t.from_latest_two, d > allowed);
        if (t.from_latest_two) expect_same_figures(t, solved(p, {seen[1], seen[2]}, fixed));
        if (HasFailure()) return;
    }
}

// An exercise of one to three ships, the first of which closes to the asked
// range somewhere ahead of the latest sighting.
TEST(Plotting, AManoeuvreAtARangeComesAtThatRangeAndNoSooner) {
    std::mt19937_64 rng(2303);
    int reached = 0;
    for (int n = 0; n < 1500; ++n) {
        TrafficExercise e;
        e.own = {uniform(rng, 0.0, 360.0), uniform(rng, 0.0, 20.0)};
        const int latest = whole(rng, 0, kMinutesPerDay - 1);
        const int ships = whole(rng, 1, 3);
        for (int i = 0; i < ships; ++i) {
            Plotted p = random_plot(rng);
            p.own = e.own;
            p.latest = latest;
            e.targets.push_back(Target{"T" + std::to_string(i), sightings(p, minutes_ago(rng, whole(rng, 2, 4)))});
        }
        const TrafficSolution at_latest = solve_traffic(e);
        const TargetSolution& first = at_latest.targets.front();
        // Mostly a range between its least ahead and its range now, else beyond either.
        const double asked = whole(rng, 0, 9) < 7 ? uniform(rng, first.present.least_nm, first.range_nm)
                                                  : uniform(rng, 0.5 * first.present.least_nm, 1.2 * first.range_nm);
        e.manoeuvre.at_range = RangeTrigger{"T0", asked};
        const RangeTime r = range_time(e, *e.manoeuvre.at_range);
        SCOPED_TRACE(n);
        if (asked > first.range_nm) {
            EXPECT_EQ(r.reach, RangeReach::AlreadyInside);
        } else if (asked < first.present.least_nm - kNm) {
            EXPECT_EQ(r.reach, RangeReach::NeverCloses);
        }
        if (r.reach != RangeReach::Reached) continue;
        ++reached;
        const TrafficSolution s = solve_traffic(e);
        EXPECT_NEAR(s.targets.front().range_nm, asked, kNm);
        EXPECT_NEAR(s.manoeuvre_after_latest_min, r.after_latest_min, 1e-12);
        EXPECT_EQ(s.latest_observation.minutes, latest);
        const Vec2 v = first.present.relative_velocity;
        for (int k = 0; k < 200 && r.after_latest_min > 0.0; ++k) {
            const double minutes = r.after_latest_min * k / 200.0;
            EXPECT_GT(length(first.position + (minutes / 60.0) * v), asked) << minutes << " of " << r.after_latest_min;
        }
        if (HasFailure()) return;
    }
    EXPECT_GT(reached, 700);
}

// The own ship placed at a known bearing from a target's course, in the
// target's frame: its aspect is that bearing, red to port and green to
// starboard; ahead and astern exactly on the course line.
TEST(Plotting, AspectIsTheOwnShipsBearingFromTheTargetsCourse) {
    std::mt19937_64 rng(2304);
    for (const double angle : {0.0, 22.5, 90.0, 112.5, 180.0}) {
        for (const double side : {1.0, -1.0}) {
            for (int n = 0; n < 50; ++n) {
                const double course = uniform(rng, 0.0, 360.0);
                const Vec2 velocity = along(course, uniform(rng, 0.1, 25.0));
                const Vec2 position = -along(course + side * angle, uniform(rng, 0.1, 12.0));  // the own ship from the target
                const std::optional<Aspect> a = aspect_of(position, velocity);
                ASSERT_TRUE(a);
                EXPECT_NEAR(a->degrees, angle, 1e-9) << course;
                if (angle > 0.0 && angle < 180.0) {
                    EXPECT_EQ(a->side, side > 0.0 ? AspectSide::Green : AspectSide::Red) << course;
                }
                // Exactly on the course line (the own ship a power of two of the
                // velocity away, which scales without rounding): ahead or astern.
                const double k = std::ldexp(side, whole(rng, -4, 2));
                EXPECT_EQ(aspect_of(-k * velocity, velocity)->side, side > 0.0 ? AspectSide::Ahead : AspectSide::Astern);
                EXPECT_EQ(aspect_of(-k * velocity, velocity)->degrees, side > 0.0 ? 0.0 : 180.0);
            }
        }
    }
    EXPECT_FALSE(aspect_of(Vec2{3.0, 4.0}, Vec2{}));  // a stopped target has no course
    EXPECT_FALSE(aspect_of(Vec2{}, Vec2{5.0, 0.0}));  // nor a bearing from the own ship at it
}

// The sectors of the collision rules on both sides of the bow, their
// borders included as the manual page reads them.
TEST(Plotting, SectorsAsTheCollisionRulesDrawThem) {
    const std::pair<double, Sector> cases[] = {{89.999, Sector::ForwardOfBeam}, {90.0, Sector::AbaftBeam}, {112.5, Sector::AbaftBeam},
                                               {112.501, Sector::MoreThan22_5AbaftBeam}};
    for (const auto& [off_the_bow, sector] : cases) EXPECT_TRUE(sector_of(off_the_bow) == sector && sector_of(360.0 - off_the_bow) == sector) << off_the_bow;
}

}  // namespace
}  // namespace echo_track::traffic
