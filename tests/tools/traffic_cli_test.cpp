// echo-track-plot FILE.toml as a user runs it: the golden report, refusals
// with exit status 2, the board written with -o, and the board's geometry.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <variant>

#include "plot/traffic_board.hpp"
#include "traffic_io/traffic_file.hpp"
#include "tests/tools/tool_run.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::tools {
namespace {

using namespace echo_track::plot;
using namespace echo_track::traffic_io;

using namespace echo_track::page;

using testing::read_whole;
using testing::run_tool;
using testing::ScratchFolder;

const std::filesystem::path kSource = ECHO_TRACK_SOURCE_DIR;
const std::string kCrossing = (kSource / "examples/crossing-three-ships.toml").string();

TEST(TrafficTool, PrintsTheGoldenReport) {
    ScratchFolder logs;
    const auto run = run_tool({kCrossing}, logs.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::string golden = read_whole(kSource / "tests/traffic_io/golden/crossing-three-ships.txt");
    EXPECT_EQ(run.out, golden);
    // The README shows the table of this report.
    const std::string table = golden.substr(0, golden.find("\n\nManoeuvre"));
    EXPECT_NE(read_whole(kSource / "README.md").find("```\n" + table + "\n```"), std::string::npos);
}

TEST(TrafficTool, DrawsTheBoardWholeAndStillReports) {
    ScratchFolder folder;
    ScratchFolder logs;
    const auto run = run_tool({kCrossing, "-o", (folder.path() / "board.png").string()}, logs.path());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(read_whole(folder.path() / "board.png").substr(1, 3), "PNG");
    EXPECT_NE(run.out.find("Smallest alteration to starboard"), std::string::npos);
}

struct Refusal {
    const char* name;
    std::string file;                 // written to the scratch folder as ex.toml unless empty
    const char* board;                // the -o file in the scratch folder
    const char* says;                 // part of the one error line
};
void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

class TrafficRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(TrafficRefusal, OneLineStatusTwoAndNoBoard) {
    ScratchFolder folder;
    ScratchFolder logs;
    if (!GetParam().file.empty()) std::ofstream(folder.path() / "ex.toml") << GetParam().file;
    const std::vector<std::string> args = {(folder.path() / "ex.toml").string(), "-o", (folder.path() / GetParam().board).string()};
    const auto run = run_tool(args, logs.path());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("echo-track-plot: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(GetParam().says), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / GetParam().board));
}

INSTANTIATE_TEST_SUITE_P(
    TrafficTool, TrafficRefusal,
    ::testing::Values(Refusal{"missing_file", "", "board.svg", "ex.toml: cannot read: No such file"},
                      Refusal{"bad_file", "required_cpa_nm = inf\n", "board.svg", "ex.toml:1:19: required_cpa_nm"},
                      Refusal{"board_in_no_folder", "required_cpa_nm = 1.5\n[own_ship]\ncourse = 1\nspeed_kt = 1\n"
                              "[[target]]\nname = \"B\"\nfirst = { time = \"13:00\", bearing = 350, range_nm = 3.7 }\n"
                              "second = { time = \"13:06\", bearing = 350, range_nm = 2.5 }\n", "no/board.svg", "cannot write"},
                      Refusal{"board_format", "required_cpa_nm = 1\n", "board.jpg", "board.jpg does not end in .svg, .png or .pdf"}));

// The file's own line and column reach the user unchanged.
TEST(TrafficTool, BadFileNamesLineAndColumn) {
    ScratchFolder folder;
    ScratchFolder logs;
    const auto file = folder.path() / "ex.toml";
    std::ofstream(file) << "# comment\nrequired_cpa_nm = nan\n";
    const auto run = run_tool({file.string()}, logs.path());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "echo-track-plot: " + file.string() + ":2:19: required_cpa_nm: expected a finite number, not nan or inf\n");
}

// Same-time sightings are reported for that target while the others are solved.
TEST(TrafficTool, SameTimeSightingsLeaveTheOthersSolved) {
    const std::string text = read_whole(kCrossing) + "[[target]]\nname = \"Delta\"\n"
                             "first = { time = \"10:12\", bearing = 90, range_nm = 5 }\nsecond = { time = \"10:12\", bearing = 91, range_nm = 5 }\n";
    const traffic::TrafficExercise e = parse_traffic_exercise(text, "ex.toml");
    const traffic::TrafficSolution s = traffic::solve_traffic(e);
    ASSERT_EQ(s.targets.size(), 4u);
    EXPECT_TRUE(s.targets[3].same_time);
    EXPECT_TRUE(s.targets[1].present.danger);
    EXPECT_TRUE(s.starboard && s.port);
}

// The board's figures stand where the solution puts them: each target at
// the manoeuvre time, each CPA, and the sectors of the speed circle.
TEST(TrafficBoard, FiguresStandWhereTheSolutionPutsThem) {
    const traffic::TrafficExercise e = read_traffic_file(kCrossing);
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
}  // namespace echo_track::tools
