// The traffic tool as a user runs it: the golden report, refusals with exit
// status 2, the board written with -o, and both of its names.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <variant>

#include "traffic_io/traffic_file.hpp"
#include "tests/tools/tool_run.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::tools {
namespace {

using namespace echo_track::traffic_io;


using testing::read_whole;
using testing::run_program;
using testing::run_tool;
using testing::ScratchFolder;
using testing::ToolRun;

const std::filesystem::path kSource = ECHO_TRACK_SOURCE_DIR;
const std::string kCrossing = (kSource / "examples/crossing-three-ships.toml").string();

TEST(TrafficTool, PrintsTheGoldenReport) {
    // The README shows the crossing's table and the traffic lane's whole report.
    const struct {
        const char* example;
        bool whole_in_readme;
    } kGolden[] = {{"crossing-three-ships", false}, {"traffic-lane", true}};
    for (const auto& g : kGolden) {
        SCOPED_TRACE(g.example);
        ScratchFolder logs;
        const auto run = run_tool({(kSource / "examples" / (std::string(g.example) + ".toml")).string()}, logs.path());
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        const std::string golden = read_whole(kSource / "tests/traffic_io/golden" / (std::string(g.example) + ".txt"));
        EXPECT_EQ(run.out, golden);
        const std::string shown = g.whole_in_readme ? golden : golden.substr(0, golden.find("\n\nManoeuvre")) + "\n";
        EXPECT_NE(read_whole(kSource / "README.md").find("```\n" + shown + "```"), std::string::npos);
    }
}

TEST(TrafficTool, DrawsTheBoardWholeAndStillReports) {
    ScratchFolder folder;
    ScratchFolder logs;
    const auto run = run_tool({kCrossing, "-o", (folder.path() / "board.png").string()}, logs.path());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(read_whole(folder.path() / "board.png").substr(1, 3), "PNG");
    EXPECT_NE(run.out.find("Smallest alteration to starboard"), std::string::npos);
}

// A ship whose sightings give a speed no ship makes is plotted all the same,
// with a warning on standard error.
TEST(TrafficTool, WarnsOfAShipTooFastToBeMeant) {
    ScratchFolder folder;
    ScratchFolder logs;
    std::ofstream(folder.path() / "ex.toml") << "required_cpa_nm = 1\n[own_ship]\ncourse = 0\nspeed_kt = 10\n"
                                                "[[target]]\nname = \"Charlie\"\nfirst = { time = \"10:00\", bearing = 90, range_nm = 500 }\n"
                                                "second = { time = \"10:06\", bearing = 270, range_nm = 500 }\n";
    const auto run = run_tool({(folder.path() / "ex.toml").string()}, logs.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "echo-track-plot: warning: Charlie: true speed 10000 kt; check the sightings\n");
    EXPECT_NE(run.out.find("Charlie"), std::string::npos);
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

// echo-track-plot FILE.toml is echo-track-traffic under another name:
// the same report, JSON, board and refusals, byte for byte, but for the
// program's name in its messages.
struct Call {
    const char* name;
    std::vector<std::string> args;  // "@" stands for the scratch folder
};
void PrintTo(const Call& c, std::ostream* os) { *os << c.name; }

class BothNames : public ::testing::TestWithParam<Call> {};

TEST_P(BothNames, GiveTheSameBytes) {
    struct Outcome {
        ToolRun run;
        std::string board;
    };
    const auto call = [&](const std::string& program) {
        ScratchFolder folder;
        ScratchFolder logs;
        std::vector<std::string> args;
        for (std::string a : GetParam().args) {
            if (a.rfind("@", 0) == 0) a = (folder.path() / a.substr(1)).string();
            args.push_back(a);
        }
        Outcome o{run_program(program, args, logs.path()), ""};
        if (std::filesystem::exists(folder.path() / "board")) o.board = read_whole(folder.path() / "board");
        const std::string here = folder.path().string();
        for (std::string* text : {&o.run.out, &o.run.err}) {
            for (std::size_t at; (at = text->find(here)) != std::string::npos;) text->replace(at, here.size(), "@");
        }
        return o;
    };
    const Outcome plot = call(ECHO_TRACK_PLOT_PATH);
    Outcome traffic = call(ECHO_TRACK_TRAFFIC_PATH);
    for (std::size_t at; (at = traffic.run.err.find("echo-track-traffic")) != std::string::npos;) {
        traffic.run.err.replace(at, 18, "echo-track-plot");
    }
    EXPECT_EQ(plot.run.status, traffic.run.status);
    EXPECT_EQ(plot.run.out, traffic.run.out);
    EXPECT_EQ(plot.run.err, traffic.run.err);
    EXPECT_EQ(plot.board, traffic.board);
}

INSTANTIATE_TEST_SUITE_P(
    TrafficTool, BothNames,
    ::testing::Values(Call{"report", {kCrossing}}, Call{"json", {kCrossing, "--json"}},
                      Call{"svg_board", {kCrossing, "-o", "@board.svg"}}, Call{"png_board", {"-o", "@board.png", kCrossing}},
                      Call{"pdf_letter", {kCrossing, "--page", "letter", "-o", "@board.pdf"}},
                      Call{"other_example", {(kSource / "examples/overtaking-between-two.toml").string(), "--json"}},
                      Call{"missing_file", {"@none.toml"}}, Call{"unknown_option", {kCrossing, "--jsn"}},
                      Call{"bad_board_name", {kCrossing, "-o", "@board.jpg"}}));

TEST(TrafficTool, HelpAndVersionUnderItsOwnName) {
    ScratchFolder logs;
    const auto help = run_program(ECHO_TRACK_TRAFFIC_PATH, {"--help"}, logs.path());
    EXPECT_EQ(help.status, 0);
    for (const char* shown : {"Usage: echo-track-traffic", "--json", "-o,--output FILE", "--page PAPER", "FILE.toml"}) {
        EXPECT_NE(help.out.find(shown), std::string::npos) << shown << " in\n" << help.out;
    }
    const auto version = run_program(ECHO_TRACK_TRAFFIC_PATH, {"--version"}, logs.path());
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "echo-track-traffic " ECHO_TRACK_VERSION "\n");
}

}  // namespace
}  // namespace echo_track::tools
