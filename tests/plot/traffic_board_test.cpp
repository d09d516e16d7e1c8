// The traffic board as laid out, checked the way a person checks a plot:
// the figures stand where the solution puts them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "plot/manoeuvre_inset.hpp"
#include "plot/traffic_board.hpp"
#include "traffic/recommendation.hpp"
#include "traffic/traffic_solution.hpp"
#include "traffic_io/traffic_file.hpp"

namespace echo_track::plot {
namespace {

using namespace echo_track::page;

const std::filesystem::path kSource = ECHO_TRACK_SOURCE_DIR;
const std::string kCrossing = (kSource / "examples/crossing-three-ships.toml").string();

// The board's figures stand where the solution puts them: each target at
// the manoeuvre time, each CPA, and the sectors of the speed circle.
TEST(TrafficBoard, FiguresStandWhereTheSolutionPutsThem) {
    const traffic::TrafficExercise e = traffic_io::read_traffic_file(kCrossing);
    const traffic::TrafficSolution s = traffic::solve_traffic(e);
    const Drawing d = layout_traffic_board(e, s);
    const auto page = [&](traffic::Vec2 p) { return PagePoint{d.centre.x + p.east * d.miles, d.centre.y - p.north * d.miles}; };
    std::vector<PagePoint> positions;
    std::vector<PagePoint> cpas;
    int clear = 0;
    int blocked = 0;
    for (const Shape& shape : d.shapes) {
        if (const auto* c = std::get_if<CircleShape>(&shape.form)) {
            if (shape.role == Role::ManoeuvrePosition) positions.push_back(c->centre);
            if (shape.role == Role::CpaPoint) cpas.push_back(c->centre);
        }
        if (const auto* seg = std::get_if<SegmentShape>(&shape.form)) {
            if (shape.role != Role::ClearingSector && shape.role != Role::BlockedSector) continue;
            const double x = (seg->from.x + seg->to.x) / 2.0 - d.centre.x;
            const double y = d.centre.y - (seg->from.y + seg->to.y) / 2.0;
            const double course = traffic::bearing_of(traffic::Vec2{y, x});
            const bool in_clear = std::any_of(s.arcs.clear.begin(), s.arcs.clear.end(),
                                              [&](const traffic::CourseArc& a) { return a.width() >= 360.0 || a.holds(course); });
            EXPECT_EQ(in_clear, shape.role == Role::ClearingSector) << course;
            ++(shape.role == Role::ClearingSector ? clear : blocked);
        }
    }
    ASSERT_EQ(positions.size(), 3u);
    ASSERT_EQ(cpas.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(positions[i].x, page(s.targets[i].position).x, 1e-9);
        EXPECT_NEAR(positions[i].y, page(s.targets[i].position).y, 1e-9);
        EXPECT_NEAR(cpas[i].x, page(s.targets[i].present.closest_point).x, 1e-9);
        EXPECT_NEAR(cpas[i].y, page(s.targets[i].present.closest_point).y, 1e-9);
    }
    EXPECT_GT(clear, 0);
    EXPECT_GT(blocked, 0);
}

// Every sighting stands where it was plotted, filled when the track runs
// through it; a target whose plot is not on a straight line is marked.
TEST(TrafficBoard, EverySightingIsDrawnAndAnAlteringTargetMarked) {
    const traffic::TrafficExercise e = traffic_io::read_traffic_file((kSource / "examples/relative-bearings-three-sightings.toml").string());
    const traffic::TrafficSolution s = traffic::solve_traffic(e);
    const Drawing d = layout_traffic_board(e, s);
    std::vector<CircleShape> drawn;
    std::vector<std::string> labels;
    for (const Shape& shape : d.shapes) {
        const auto* c = std::get_if<CircleShape>(&shape.form);
        if (c && (shape.role == Role::B1 || shape.role == Role::B2)) drawn.push_back(*c);
        if (const auto* t = std::get_if<TextShape>(&shape.form); t && shape.role == Role::PositionLabel) labels.push_back(t->text);
    }
    std::size_t k = 0;
    for (const traffic::TargetSolution& t : s.targets) {
        for (const traffic::PlottedSighting& seen : t.plot) {
            ASSERT_LT(k, drawn.size());
            const traffic::Vec2 p = traffic::along(seen.sighting.bearing, seen.sighting.range_nm);
            EXPECT_NEAR(drawn[k].centre.x, d.centre.x + p.east * d.miles, 1e-9);
            EXPECT_NEAR(drawn[k].centre.y, d.centre.y - p.north * d.miles, 1e-9);
            EXPECT_EQ(drawn[k].filled, seen.on_track) << t.name;
            ++k;
        }
        const bool marked = std::find(labels.begin(), labels.end(), t.name + ": altering?") != labels.end();
        EXPECT_EQ(marked, t.from_latest_two) << t.name;
    }
    EXPECT_EQ(k, drawn.size());
    EXPECT_TRUE(s.targets[1].from_latest_two);  // the Coaster
}

// The title says why no manoeuvre is drawn, and never that the present
// course clears when a ship is in danger.
TEST(TrafficBoard, SaysWhyNoManoeuvreIsDrawn) {
    const std::string stopped = "required_cpa_nm = 1.0\n[own_ship]\ncourse = 0\nspeed_kt = 0\n[manoeuvre]\ntime = \"10:20\"\n";
    const struct {
        std::string targets;
        const char* said;
    } cases[] = {
        {"[[target]]\nname = \"Inside\"\nfirst = { time = \"10:00\", bearing = 200, range_nm = 0.8 }\n"
         "second = { time = \"10:12\", bearing = 200, range_nm = 0.8 }\n",
         "No manoeuvre drawn: no course alteration clears every target"},
        {"[[target]]\nname = \"Far\"\nfirst = { time = \"10:00\", bearing = 90, range_nm = 9 }\n"
         "second = { time = \"10:12\", bearing = 90, range_nm = 9 }\n",
         "No manoeuvre drawn: the present course clears every target"},
    };
    for (const auto& c : cases) {
        const traffic::TrafficExercise e = traffic_io::parse_traffic_exercise(stopped + c.targets, "test");
        const Drawing d = layout_traffic_board(e, traffic::solve_traffic(e));
        const bool said = std::any_of(d.shapes.begin(), d.shapes.end(), [&](const Shape& shape) {
            const auto* t = std::get_if<TextShape>(&shape.form);
            return t && shape.role == Role::Title && t->text == c.said;
        });
        EXPECT_TRUE(said) << c.said;
    }
}

// The least range of a ship from the manoeuvre time on, the own ship making
// `own` (both on straight tracks), and whether that clears.
bool passes_clear_of(const traffic::TargetSolution& t, traffic::Vec2 own, double required) {
    const traffic::Vec2 w = t.true_velocity - own;
    const double ww = traffic::dot(w, w);
    const double hours = ww > 0.0 ? std::max(0.0, -traffic::dot(t.position, w) / ww) : 0.0;
    const double least = traffic::length(t.position + hours * w);
    return least >= std::min(traffic::length(t.position), required) - 1e-7;
}

// The manoeuvre map beside the board, read back from the page: every band's
// colour at its middle agrees with how the ships pass at that own course and
// speed (and, hatched, with the rules), every obstacle edge passes its ship at
// the limit, and the present velocity ends where it should.
TEST(TrafficBoard, TheManoeuvreMapReadsBackAsTheShipsPass) {
    int checked = 0;
    int avoided = 0;
    for (const auto& file : std::filesystem::directory_iterator(kSource / "examples")) {
        if (file.path().extension() != ".toml") continue;
        SCOPED_TRACE(file.path().filename().string());
        const traffic::TrafficExercise e = traffic_io::read_traffic_file(file.path().string());
        const traffic::TrafficSolution s = traffic::solve_traffic(e);
        const Drawing d = layout_traffic_board(e, s);
        const double per_knot = kInsetRadius / map_top_speed(e);
        std::optional<PagePoint> centre;
        for (const Shape& shape : d.shapes) {
            const auto* c = std::get_if<CircleShape>(&shape.form);
            if (c && shape.role == Role::MapGrid) centre = c->centre;
        }
        ASSERT_TRUE(centre);
        const auto velocity = [&](PagePoint p) { return traffic::Vec2{(centre->y - p.y) / per_knot, (p.x - centre->x) / per_knot}; };
        const auto clears_all = [&](traffic::Vec2 own) {
            return std::all_of(s.targets.begin(), s.targets.end(), [&](const auto& t) { return passes_clear_of(t, own, e.required_cpa_nm); });
        };
        for (const Shape& shape : d.shapes) {
            if (const auto* a = std::get_if<ArcShape>(&shape.form)) {
                if (a->to - a->from < 0.01) continue;
                const traffic::Vec2 own = traffic::along((a->from + a->to) / 2.0, a->radius / per_knot);
                const traffic::CourseAndSpeed c{traffic::bearing_of(own), traffic::length(own)};
                const bool allowed = traffic::rules_allow(s.targets, s.rules, e.own, c);
                const bool clear = clears_all(own);
                const bool as_drawn = shape.role == Role::MapClear     ? clear
                                      : shape.role == Role::MapBlocked ? !clear
                                                                       : clear && !allowed;
                EXPECT_TRUE(as_drawn) << static_cast<int>(shape.role) << " at " << c.course << "° " << c.speed_kt << " kt";
                avoided += shape.role == Role::MapAvoid;
                ++checked;
            }
            if (const auto* seg = std::get_if<SegmentShape>(&shape.form); seg && shape.role == Role::ObstacleEdge) {
                const PagePoint middle{(seg->from.x + seg->to.x) / 2.0, (seg->from.y + seg->to.y) / 2.0};
                const traffic::Vec2 own = velocity(middle);
                const auto on_edge = std::count_if(s.targets.begin(), s.targets.end(), [&](const traffic::TargetSolution& t) {
                    const double limit = std::min(traffic::length(t.position), e.required_cpa_nm);
                    const traffic::Vec2 w = t.true_velocity - own;
                    const double hours = std::max(0.0, -traffic::dot(t.position, w) / traffic::dot(w, w));
                    return std::fabs(traffic::length(t.position + hours * w) - limit) < 1e-6;
                });
                EXPECT_GE(on_edge, 1) << "edge at " << traffic::bearing_of(own) << " " << traffic::length(own);
            }
            if (const auto* seg = std::get_if<SegmentShape>(&shape.form); seg && shape.role == Role::MapVelocity && seg->stroke.ink == Ink::OwnShip) {
                const traffic::Vec2 own = velocity(seg->to);
                EXPECT_NEAR(own.north, traffic::along(e.own.course, e.own.speed_kt).north, 1e-9);
                EXPECT_NEAR(own.east, traffic::along(e.own.course, e.own.speed_kt).east, 1e-9);
            }
        }
    }
    EXPECT_GT(checked, 400);
    EXPECT_GT(avoided, 50);
}

}  // namespace
}  // namespace echo_track::plot
