// Traffic exercise files that must be refused: each complaint names the
// file, line and column of the fault and says what was expected.

#include <gtest/gtest.h>

#include <string>

#include "traffic_io/traffic_file.hpp"

namespace echo_track::traffic_io {
namespace {

// A whole file that reads; each bad case changes one thing in it.
const std::string kGood = R"(required_cpa_nm = 1.5
[own_ship]
course = 300
speed_kt = 5.0
[manoeuvre]
delay_min = 0
[[target]]
name = "B"
first = { time = "13:00", bearing = 350, range_nm = 3.7 }
second = { time = "13:06", bearing = 350, range_nm = 2.5 }
)";

std::string with(const std::string& from, const std::string& to) {
    std::string text = kGood;
    text.replace(text.find(from), from.size(), to);
    return text;
}

struct BadFile {
    const char* name;
    std::string text;
    const char* says;  // the whole beginning of the message
};

void PrintTo(const BadFile& b, std::ostream* os) { *os << b.name; }

class RefusedFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(RefusedFile, NamesLineColumnAndWhatIsWrong) {
    try {
        parse_traffic_exercise(GetParam().text, "ex.toml");
        FAIL() << "accepted";
    } catch (const TrafficFileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(GetParam().says, 0), 0u) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    TrafficFile, RefusedFile,
    ::testing::Values(
        BadFile{"not_toml", with("course = 300", "course = "), "ex.toml:3:10: "},
        BadFile{"time_as_toml_time", with("time = \"13:00\"", "time = 13:00:00"), "ex.toml:9:18: target 1.first.time: expected a clock time \"hh:mm\""},
        BadFile{"time_out_of_day", with("\"13:06\"", "\"24:06\""), "ex.toml:10:19: target 1.second.time: expected a clock time"},
        BadFile{"time_without_colon", with("\"13:06\"", "\"1306\""), "ex.toml:10:19: target 1.second.time"},
        BadFile{"nan_speed", with("speed_kt = 5.0", "speed_kt = nan"), "ex.toml:4:12: own_ship.speed_kt: expected a finite number, not nan or inf"},
        BadFile{"inf_range", with("range_nm = 2.5", "range_nm = inf"), "ex.toml:10:54: target 1.second.range_nm: expected a finite number"},
        BadFile{"negative_speed", with("speed_kt = 5.0", "speed_kt = -1"), "ex.toml:4:12: own_ship.speed_kt: expected a number of knots from 0 to 99"},
        BadFile{"course_as_text", with("course = 300", "course = \"300\""), "ex.toml:3:10: own_ship.course: expected a number of degrees"},
        BadFile{"unknown_key", with("speed_kt = 5.0", "speed = 5.0"), "ex.toml:4:1: unknown key 'speed' in [own_ship]; expected course, speed_kt"},
        BadFile{"missing_speed", with("speed_kt = 5.0\n", ""), "ex.toml:2:1: own_ship: 'speed_kt' is missing"},
        BadFile{"missing_sighting", with("second = { time = \"13:06\", bearing = 350, range_nm = 2.5 }\n", ""), "ex.toml:7:1: target 1: 'second' is missing"},
        BadFile{"both_times", with("delay_min = 0", "delay_min = 0\ntime = \"13:10\""), "ex.toml:6:13: manoeuvre: give either time or delay_min"},
        BadFile{"fractional_delay", with("delay_min = 0", "delay_min = 1.5"), "ex.toml:6:13: manoeuvre.delay_min: expected a whole number"},
        BadFile{"no_targets", kGood.substr(0, kGood.find("[[target]]")), "ex.toml:1:1: the file: 'target' is missing"},
        BadFile{"target_not_a_table_array", "target = 3\n" + kGood.substr(0, kGood.find("[[target]]")), "ex.toml:1:10: target: expected one [[target]] table"},
        BadFile{"two_targets_one_name", kGood + "[[target]]\nname = \"B\"\nfirst = { time = \"13:00\", bearing = 1, range_nm = 3 }\nsecond = { time = \"13:06\", bearing = 1, range_nm = 2 }\n",
                "ex.toml:12:8: target 2.name: 'B' names two targets"},
        BadFile{"zero_cpa", with("required_cpa_nm = 1.5", "required_cpa_nm = 0"), "ex.toml:1:19: required_cpa_nm: expected a number of nautical miles from 0.01"},
        BadFile{"cpa_of_0_01", with("required_cpa_nm = 1.5", "required_cpa_nm = 0.01"), "ex.toml:1:19: required_cpa_nm: expected more than 0.01 nautical miles"},
        BadFile{"manoeuvre_before_the_plot", with("delay_min = 0", "time = \"13:05\""),
                "ex.toml:6:8: manoeuvre.time: 13:05 is before the latest sighting, 13:06"}));

TEST(TrafficFile, ReadsTheSightingsAndTheManoeuvre) {
    const traffic::TrafficExercise e = parse_traffic_exercise(with("delay_min = 0", "time = \"00:03\""), "ex.toml");
    ASSERT_EQ(e.targets.size(), 1u);
    EXPECT_EQ(e.targets[0].second.time.minutes, 13 * 60 + 6);
    EXPECT_EQ(e.targets[0].first.range_nm, 3.7);
    ASSERT_TRUE(e.manoeuvre.at);
    EXPECT_EQ(e.manoeuvre.at->minutes, 3);
}

}  // namespace
}  // namespace echo_track::traffic_io
