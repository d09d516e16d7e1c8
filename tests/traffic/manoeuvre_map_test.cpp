// The manoeuvre map against a plain simulation, over seeded exercises of one
// to four ships of every kind, in sight and in restricted visibility, now
// and then with the own ship stopped and with one more ship already inside
// the required CPA, keeping station on the own ship or as fast as it:
// - each ship's velocity obstacle holds just the own velocities with which
//   it passes too close: own velocities sampled over the whole plane agree
//   with the simulation away from its edges, and a ship inside the limit
//   gives a half-plane;
// - the clearing arcs at each speed of the map agree with a scan of the
//   compass every 0.01 degree; each end clears, 0.01 degree beyond it does
//   not, and the ship said to bound it passes at its limit there;
// - along the course rays every 30 degrees, a scan of speed every 0.01 kt
//   changes its verdict only within 0.01 kt of an obstacle's edge;
// - what the rules leave: every allowed course clears and turns to no side
//   the rules ask to avoid, nor crosses ahead of a ship to pass astern of;
//   every excluded course clears and does one of them for the ship named.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "tests/traffic/rules_sea.hpp"
#include "traffic/manoeuvre_map.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::traffic {
namespace {

using namespace testing;  // the seeded sea and its simulation

constexpr int kExercises = 60;
constexpr double kScanDeg = 0.01;
constexpr double kScanKt = 0.01;

// The grazing allowance, with what the simulation's arithmetic may differ by.
constexpr double kSimulatedGrazeNm = 1e-7 + 1e-11;

// The cheap simulation for the scans: the closest approach found from the
// ships moved a minute apart (the watch's end plays no part at these
// speeds). A ship passes too close when it comes nearer than its limit by
// more than `allowance`.
bool clears_in_simulation(const SeaTarget& t, Vec2 own_velocity, double required, double allowance = kSimulatedGrazeNm) {
    const double now = length(t.at_manoeuvre);
    const double least = testing::least_range_ahead(t, own_velocity);
    if (now < 1e-9) return false;
    return least >= std::min(now, required) - allowance;
}

bool all_clear(const Sea& sea, Vec2 own_velocity, double allowance = kSimulatedGrazeNm) {
    for (const SeaTarget& t : sea.truth) {
        if (!clears_in_simulation(t, own_velocity, sea.exercise.required_cpa_nm, allowance)) return false;
    }
    return true;
}

// The seeded sea, now and then with the own ship stopped, and with one more
// ship already inside the limit, one keeping station on the own ship or one
// as fast as the own ship.
Sea sea_with_ship_inside(std::mt19937_64& rng) {
    Sea sea = random_sea(rng);
    TrafficExercise& e = sea.exercise;
    if (chance(rng, 0.1)) {  // the ships sighted so far are then solved as moving otherwise
        e.own.speed_kt = 0.0;
        sea.own_velocity = {};
    }
    const auto add = [&](const char* name, SeaTarget t) {
        e.targets.push_back(Target{name, sight(t, sea.own_velocity, -12.0, ClockTime{588}),
                                   sight(t, sea.own_velocity, -6.0, ClockTime{594})});
        sea.truth.push_back(t);
        sea.kinds.push_back(VesselKind::Power);
    };
    const auto anywhere = [&](double from_nm, double to_nm) { return along(uniform(rng, 0.0, 360.0), uniform(rng, from_nm, to_nm)); };
    if (chance(rng, 0.3)) add("IN", {along(uniform(rng, 0.0, 360.0), uniform(rng, 2.0, 16.0)), anywhere(0.2 * e.required_cpa_nm, 0.9 * e.required_cpa_nm)});
    if (chance(rng, 0.15)) add("STATION", {sea.own_velocity, anywhere(2.5, 8.0)});
    if (chance(rng, 0.15)) add("EQUAL", {along(uniform(rng, 0.0, 360.0), e.own.speed_kt), anywhere(2.5, 8.0)});
    for (std::size_t i = 0; i < e.targets.size(); ++i) e.targets[i].kind = sea.kinds[i];
    e.rules = sea.settings;
    return sea;
}

bool on_any(const std::vector<CourseArc>& arcs, double course) {
    for (const CourseArc& a : arcs) {
        if (a.holds(course)) return true;
    }
    return false;
}

double degrees_off(double a, double b) { return std::fabs(signed_turn(a, b)); }

bool near_an_end(const std::vector<CourseArc>& arcs, double course, double within) {
    for (const CourseArc& a : arcs) {
        if (degrees_off(a.from, course) <= within || degrees_off(normalized_degrees(a.to), course) <= within) return true;
    }
    return false;
}

// Whether the rules, read as the solution reads them, take the course away
// in the simulation: a turn to the side they forbid, or crossing ahead of a
// ship to pass astern of.
bool excluded_in_simulation(const Sea& sea, const TrafficSolution& s, std::size_t ship, CourseAndSpeed c) {
    const ShipRules& r = s.rules[ship];
    if (!r.risk) return false;
    const TurnSide side = side_of_turn(sea.exercise.own.course, c.course);
    if (side != TurnSide::None && side == r.encounter.forbidden_turn) return true;
    return r.encounter.pass_astern && simulated_crossing_ahead(sea.truth[ship], along(c.course, c.speed_kt));
}

bool any_excludes(const Sea& sea, const TrafficSolution& s, CourseAndSpeed c) {
    for (std::size_t i = 0; i < s.rules.size(); ++i) {
        if (excluded_in_simulation(sea, s, i, c)) return true;
    }
    return false;
}

void check_obstacles(const Sea& sea, const ManoeuvreMap& map, std::mt19937_64& rng) {
    const double required = sea.exercise.required_cpa_nm;
    for (std::size_t i = 0; i < sea.truth.size(); ++i) {
        const SeaTarget& t = sea.truth[i];
        const VelocityObstacle& o = map.obstacles[i];
        const double range = length(t.at_manoeuvre);
        EXPECT_EQ(o.shape, range < required ? ObstacleShape::HalfPlane : ObstacleShape::Cone) << "ship " << i;
        if (o.shape == ObstacleShape::HalfPlane) {
            EXPECT_GT(o.half_angle, 89.9);
        }
        for (int k = 0; k < 300; ++k) {
            const Vec2 own = along(uniform(rng, 0.0, 360.0), uniform(rng, 0.0, 30.0));
            const Vec2 d = own - o.apex;
            if (length(d) < kScanKt) continue;
            const double off_edges = std::min(degrees_off(bearing_of(d), o.port_edge), degrees_off(bearing_of(d), o.starboard_edge));
            if (off_edges < kScanDeg) continue;
            EXPECT_EQ(obstructs(o, own), !clears_in_simulation(t, own, required))
                << "ship " << i << " own velocity " << bearing_of(own) << " deg " << length(own) << " kt";
        }
    }
}

// The arcs at one speed against the scan of the compass, and their ends.
void check_arcs(const Sea& sea, const ArcsAtSpeed& at) {
    const double required = sea.exercise.required_cpa_nm;
    std::vector<CourseArc> arcs;
    for (const BoundedArc& b : at.arcs) arcs.push_back(b.arc);
    for (int i = 0; i < 36000; ++i) {
        const double c = i * kScanDeg;
        if (near_an_end(arcs, c, kScanDeg)) continue;
        ASSERT_EQ(on_any(arcs, c), all_clear(sea, along(c, at.speed_kt))) << "course " << c << " at " << at.speed_kt << " kt";
    }
    for (std::size_t k = 0; k < at.arcs.size(); ++k) {
        const BoundedArc& b = at.arcs[k];
        if (b.arc.width() >= 360.0) continue;
        const double next_from = at.arcs[(k + 1) % at.arcs.size()].arc.from;
        const double prev_to = normalized_degrees(at.arcs[(k + at.arcs.size() - 1) % at.arcs.size()].arc.to);
        const struct { double end; double beyond; std::ptrdiff_t ship; double neighbour; } ends[] = {
            {b.arc.from, -kScanDeg, b.from_ship, prev_to}, {b.arc.to, kScanDeg, b.to_ship, next_from}};
        for (const auto& e : ends) {
            EXPECT_TRUE(all_clear(sea, along(normalized_degrees(e.end), at.speed_kt))) << "end " << e.end;
            if (degrees_off(normalized_degrees(e.end), e.neighbour) <= kScanDeg) continue;  // a blocked sliver beyond
            const Vec2 beyond = along(normalized_degrees(e.end + e.beyond), at.speed_kt);
            EXPECT_FALSE(all_clear(sea, beyond, 0.0)) << "beyond end " << e.end;
            ASSERT_GE(e.ship, 0) << "end " << e.end;
            const SeaTarget& t = sea.truth[static_cast<std::size_t>(e.ship)];
            EXPECT_FALSE(clears_in_simulation(t, beyond, required, 0.0)) << "bounding ship " << e.ship;
            const double limit = std::min(required, length(t.at_manoeuvre));
            EXPECT_NEAR(testing::least_range_ahead(t, along(normalized_degrees(e.end), at.speed_kt)), limit, 1e-5);
        }
    }
}

// Along each course ray, the verdict of the simulation changes only where
// the obstacles' verdict changes, to the scan's resolution.
void check_speed_rays(const Sea& sea, const ManoeuvreMap& map) {
    const auto obstructed = [&](Vec2 own) {
        for (const VelocityObstacle& o : map.obstacles) {
            if (obstructs(o, own)) return true;
        }
        return false;
    };
    for (int ray = 0; ray < 12; ++ray) {
        const double course = ray * 30.0;
        for (double speed = 0.0; speed <= sea.exercise.own.speed_kt; speed += kScanKt) {
            const bool blocked = !all_clear(sea, along(course, speed));
            if (blocked == obstructed(along(course, speed))) continue;
            const bool edge_near = obstructed(along(course, speed - kScanKt)) != obstructed(along(course, speed + kScanKt));
            EXPECT_TRUE(edge_near) << "course " << course << " speed " << speed;
        }
    }
}

void check_rules(const Sea& sea, const TrafficSolution& s, const ManoeuvreMap& map) {
    for (std::size_t k = 0; k < map.allowed.size(); ++k) {
        const AllowedAtSpeed& a = map.allowed[k];
        std::vector<CourseArc> clearing;
        for (const BoundedArc& b : map.clearing[k].arcs) clearing.push_back(b.arc);
        for (const CourseArc& arc : a.allowed) {
            for (const double share : {0.0, 0.25, 0.5, 0.75, 1.0}) {
                const CourseAndSpeed c{normalized_degrees(arc.from + share * arc.width()), a.speed_kt};
                EXPECT_TRUE(all_clear(sea, along(c.course, c.speed_kt))) << "allowed " << c.course;
                EXPECT_FALSE(any_excludes(sea, s, c)) << "allowed " << c.course << " at " << c.speed_kt;
            }
        }
        for (const ExcludedArc& x : a.excluded) {
            if (x.arc.width() < 2.0 * kScanDeg) continue;
            const CourseAndSpeed c{x.arc.middle(), a.speed_kt};
            EXPECT_TRUE(on_any(clearing, c.course)) << "excluded " << c.course;
            EXPECT_TRUE(excluded_in_simulation(sea, s, x.ship, c)) << "excluded " << c.course << " for ship " << x.ship;
            EXPECT_GT(x.rule, 0);
        }
        // Every clearing course is either allowed or excluded.
        for (int i = 0; i < 3600; ++i) {
            const double c = i * 0.1;
            if (!on_any(clearing, c) || near_an_end(clearing, c, kScanDeg)) continue;
            bool placed = on_any(a.allowed, c);
            for (const ExcludedArc& x : a.excluded) placed = placed || x.arc.holds(c);
            EXPECT_TRUE(placed) << "course " << c << " at " << a.speed_kt;
        }
    }
}

TEST(ManoeuvreMap, AgreesWithTheSimulationOverSeededExercises) {
    std::mt19937_64 rng(25);
    int half_planes = 0;
    int excluded = 0;
    for (int n = 0; n < kExercises; ++n) {
        SCOPED_TRACE("exercise " + std::to_string(n));
        Sea sea = sea_with_ship_inside(rng);
        const TrafficSolution s = solve_traffic(sea.exercise);
        // The ships simulated as the sightings placed them: for a ship inside
        // the limit, its present range is the limit, and the sightings' last
        // digits would move a grazing edge.
        for (std::size_t i = 0; i < sea.truth.size(); ++i) sea.truth[i] = {s.targets[i].true_velocity, s.targets[i].position};
        const ManoeuvreMap map = manoeuvre_map(sea.exercise, s);
        ASSERT_EQ(map.clearing.size(), std::size(kMapSpeedShares));
        check_obstacles(sea, map, rng);
        for (const ArcsAtSpeed& at : map.clearing) check_arcs(sea, at);
        check_speed_rays(sea, map);
        check_rules(sea, s, map);
        if (::testing::Test::HasFatalFailure()) return;
        for (const VelocityObstacle& o : map.obstacles) half_planes += o.shape == ObstacleShape::HalfPlane;
        for (const AllowedAtSpeed& a : map.allowed) excluded += static_cast<int>(a.excluded.size());
    }
    // The seeds reach every region of the map.
    EXPECT_GT(half_planes, 5);
    EXPECT_GT(excluded, 20);
}

TEST(ManoeuvreMap, DegenerateShips) {
    TargetSolution at_own;
    TargetSolution no_limit;
    no_limit.position = {3.0, 0.0};
    const struct {
        const TargetSolution& ship;
        double required;
        ObstacleShape shape;
        bool blocks_all;
    } cases[] = {{at_own, 1.0, ObstacleShape::Everything, true}, {no_limit, 0.0, ObstacleShape::Nothing, false}};
    for (const auto& c : cases) {
        const VelocityObstacle o = velocity_obstacle(c.ship, c.required);
        EXPECT_EQ(o.shape, c.shape);
        EXPECT_EQ(obstructs(o, {5.0, 5.0}), c.blocks_all);
    }
}

}  // namespace
}  // namespace echo_track::traffic
