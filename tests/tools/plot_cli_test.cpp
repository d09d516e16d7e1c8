// The tool's command line: help, and every refusal as one line on standard
// error with exit status 2 and no file left behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/tools/tool_run.hpp"

namespace echo_track::tools {
namespace {


using testing::run_tool;
using testing::ScratchFolder;

struct Refusal {
    const char* name;
    std::vector<std::string> args;  // "@" stands for the scratch folder
    const char* says;               // part of the one error line
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

std::vector<Refusal> refusals() {
    return {
        {"unknown_option", {"--speed", "5", "--output", "@/p.png"}, "--speed"},
        {"stray_argument", {"--output", "@/p.png", "5"}, "not expected"},
        {"course_not_a_number", {"--course-a", "abc", "--output", "@/p.png"}, "--course-a"},
        {"distance_not_a_number", {"--distance-b1", "3,7", "--output", "@/p.svg"}, "--distance-b1"},
        {"time_not_a_number", {"--time-b2", "13:06", "--output", "@/p.pdf"}, "--time-b2"},
        {"value_missing", {"--output", "@/p.png", "--delay"}, "--delay"},
        {"infinite_value", {"--velocity-a", "inf", "--output", "@/p.png"}, "--velocity-a"},
        {"nan_value", {"--bearing-b2", "nan", "--output", "@/p.png"}, "--bearing-b2"},
        {"cpa_ends_the_dialog", {"--min-cpa", "0.001", "--output", "@/p.png"}, "--min-cpa"},
        {"no_output", {"--course-a", "10"}, "--output"},
        {"unknown_format", {"--output", "@/p.jpg"}, "p.jpg"},
        {"unknown_paper", {"--page", "a5", "--output", "@/p.pdf"}, "--page"},
        {"missing_folder", {"--output", "@/no/such/folder/p.png"}, "cannot write"},
        {"output_is_a_folder", {"--output", "@/taken.png"}, "cannot write"},
    };
}

class Refused : public ::testing::TestWithParam<Refusal> {};

TEST_P(Refused, OneLineStatusTwoAndNoFile) {
    ScratchFolder folder;
    ScratchFolder logs;
    std::filesystem::create_directory(folder.path() / "taken.png");
    std::vector<std::string> args = GetParam().args;
    for (std::string& a : args) {
        if (a.rfind('@', 0) == 0) a = folder.path().string() + a.substr(1);
    }
    const auto run = run_tool(args, logs.path());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.err.back(), '\n');
    EXPECT_EQ(run.err.rfind("echo-track-plot: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(GetParam().says), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"taken.png"});
}

INSTANTIATE_TEST_SUITE_P(Options, Refused, ::testing::ValuesIn(refusals()),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(Help, ListsEveryOptionWithItsUnitAndDefault) {
    ScratchFolder logs;
    const auto run = run_tool({"--help"}, logs.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    for (const char* shown : {"--course-a DEG=300", "--velocity-a KT=5.0", "--time-b1 HHMM=1300", "--bearing-b1 DEG=350",
                              "--distance-b1 NM=3.7", "--time-b2 HHMM=1306", "--bearing-b2 DEG=350",
                              "--distance-b2 NM=2.5", "--min-cpa NM=1.5", "--delay MIN=0", "--output FILE"}) {
        EXPECT_NE(run.out.find(shown), std::string::npos) << shown;
    }
}

TEST(Version, OneLineWithoutAnOutput) {
    ScratchFolder logs;
    const auto run = run_tool({"--version"}, logs.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "echo-track-plot " ECHO_TRACK_VERSION "\n");
}

TEST(Output, ReplacesAnExistingPictureWhole) {
    ScratchFolder folder;
    ScratchFolder logs;
    const auto file = folder.path() / "plot.svg";
    ASSERT_EQ(run_tool({"--output", file.string(), "--min-cpa", "3"}, logs.path()).status, 0);
    const std::string first = testing::read_whole(file);
    ASSERT_EQ(run_tool({"--output", file.string()}, logs.path()).status, 0);
    const std::string second = testing::read_whole(file);
    EXPECT_NE(first, second);
    EXPECT_NE(second.find("</svg>"), std::string::npos);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"plot.svg"});
}

}  // namespace
}  // namespace echo_track::tools
