// The traffic board as laid out, checked the way a person checks a plot:
// the figures stand where the solution puts them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "plot/traffic_board.hpp"
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

}  // namespace
}  // namespace echo_track::plot
