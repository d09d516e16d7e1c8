// The traffic board as laid out, checked the way a person checks a plot:
// the figures stand where the solution puts them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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

}  // namespace
}  // namespace echo_track::plot
