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

std::string with(const std::string& from, const std::string& to, std::string text = kGood) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

// The target's sightings as a list instead of first and second.
std::string listed(const std::string& sightings) {
    return with("first = { time = \"13:00\", bearing = 350, range_nm = 3.7 }\nsecond = { time = \"13:06\", bearing = 350, range_nm = 2.5 }",
                "sightings = [" + sightings + "]");
}
const std::string kSeen = "{ time = \"13:00\", bearing = 350, range_nm = 3.7 }";

std::string at_range(const std::string& keys) { return with("delay_min = 0", keys); }

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
        BadFile{"unknown_key", with("speed_kt = 5.0", "speed = 5.0"), "ex.toml:4:1: unknown key 'speed' in [own_ship]; expected course, speed_kt, kind"},
        BadFile{"visibility_misspelt", "visibility = \"fog\"\n" + kGood, "ex.toml:1:14: visibility: expected \"in_sight\" or \"restricted\""},
        BadFile{"kind_unknown", with("name = \"B\"", "name = \"B\"\nkind = \"tug\""), "ex.toml:9:8: target 1.kind: expected one of \"power\", \"sailing\""},
        BadFile{"own_kind_as_number", with("speed_kt = 5.0", "speed_kt = 5.0\nkind = 3"), "ex.toml:5:8: own_ship.kind: expected one of"},
        BadFile{"alteration_over_90", "least_alteration_deg = 91\n" + kGood, "ex.toml:1:24: least_alteration_deg: expected a number of degrees from 0 to 90"},
        BadFile{"speed_fraction_over_1", "least_speed_fraction = 1.5\n" + kGood, "ex.toml:1:24: least_speed_fraction: expected a number of the present speed's share from 0 to 1"},
        BadFile{"horizon_over_half_a_day", "risk_horizon_min = 721\n" + kGood, "ex.toml:1:20: risk_horizon_min: expected a number of minutes from 0 to 720"},
        BadFile{"missing_speed", with("speed_kt = 5.0\n", ""), "ex.toml:2:1: own_ship: 'speed_kt' is missing"},
        BadFile{"missing_sighting", with("second = { time = \"13:06\", bearing = 350, range_nm = 2.5 }\n", ""), "ex.toml:7:1: target 1: 'second' is missing"},
        BadFile{"both_times", with("delay_min = 0", "delay_min = 0\ntime = \"13:10\""), "ex.toml:6:13: manoeuvre: give one of time, delay_min and when_range_nm"},
        BadFile{"fractional_delay", with("delay_min = 0", "delay_min = 1.5"), "ex.toml:6:13: manoeuvre.delay_min: expected a whole number"},
        BadFile{"no_targets", kGood.substr(0, kGood.find("[[target]]")), "ex.toml:1:1: the file: 'target' is missing"},
        BadFile{"target_not_a_table_array", "target = 3\n" + kGood.substr(0, kGood.find("[[target]]")), "ex.toml:1:10: target: expected one [[target]] table"},
        BadFile{"two_targets_one_name", kGood + "[[target]]\nname = \"B\"\nfirst = { time = \"13:00\", bearing = 1, range_nm = 3 }\nsecond = { time = \"13:06\", bearing = 1, range_nm = 2 }\n",
                "ex.toml:12:8: target 2.name: 'B' names two targets"},
        BadFile{"zero_cpa", with("required_cpa_nm = 1.5", "required_cpa_nm = 0"), "ex.toml:1:19: required_cpa_nm: expected a number of nautical miles from 0.01"},
        BadFile{"cpa_of_0_01", with("required_cpa_nm = 1.5", "required_cpa_nm = 0.01"), "ex.toml:1:19: required_cpa_nm: expected more than 0.01 nautical miles"},
        BadFile{"manoeuvre_before_the_plot", with("delay_min = 0", "time = \"13:05\""),
                "ex.toml:6:8: manoeuvre.time: 13:05 is before the latest sighting, 13:06"},
        BadFile{"both_bearings", with("bearing = 350, range_nm = 3.7", "bearing = 350, relative_bearing = 50, range_nm = 3.7"),
                "ex.toml:9:61: target 1.first: give either bearing or relative_bearing, not both"},
        BadFile{"no_bearing", with("bearing = 350, range_nm = 3.7", "range_nm = 3.7"), "ex.toml:9:9: target 1.first: 'bearing' or 'relative_bearing' is missing"},
        BadFile{"relative_bearing_of_360", with("bearing = 350, range_nm = 3.7", "relative_bearing = 360, range_nm = 3.7"),
                "ex.toml:9:46: target 1.first.relative_bearing: expected a number of degrees from 0 to below 360"},
        BadFile{"single_sighting", listed(kSeen), "ex.toml:9:13: target 1.sightings: expected two sightings or more; one gives no motion"},
        BadFile{"sightings_out_of_order", listed(kSeen + ", { time = \"12:59\", bearing = 350, range_nm = 2.5 }"),
                "ex.toml:9:74: target 1.sightings[2].time: 12:59 is not after 13:00; list the sightings in time order"},
        BadFile{"sightings_over_half_a_day", listed(kSeen + ", { time = \"19:00\", bearing = 1, range_nm = 2 }, { time = \"01:00\", bearing = 2, range_nm = 1 }"),
                "ex.toml:9:121: target 1.sightings[3].time: the sightings span 12 hours or more"},
        BadFile{"sightings_and_first", with("name = \"B\"", "name = \"B\"\nsightings = [" + kSeen + ", " + kSeen + "]"),
                "ex.toml:10:9: target 1: give either first and second, or sightings, not both"},
        BadFile{"of_names_no_target", at_range("when_range_nm = 1.0\nof = \"C\""), "ex.toml:7:6: manoeuvre.of: 'C' names no target"},
        BadFile{"range_without_of", at_range("when_range_nm = 1.0"), "ex.toml:5:1: manoeuvre: 'of' is missing"},
        BadFile{"of_without_range", at_range("of = \"B\""), "ex.toml:6:6: manoeuvre.of: goes with when_range_nm"},
        BadFile{"range_and_time", at_range("when_range_nm = 1.0\nof = \"B\"\ntime = \"13:10\""),
                "ex.toml:6:17: manoeuvre: give one of time, delay_min and when_range_nm"},
        BadFile{"range_never_reached", with("range_nm = 2.5 }", "range_nm = 4.0 }", at_range("when_range_nm = 2.0\nof = \"B\"")),
                "ex.toml:6:17: manoeuvre.when_range_nm: B never closes to 2.0 nm at the present courses and speeds; from 13:06 on it comes no nearer than 4.0 nm"},
        BadFile{"range_passed_already", at_range("when_range_nm = 3.0\nof = \"B\""),
                "ex.toml:6:17: manoeuvre.when_range_nm: B is at 2.5 nm at the latest sighting, 13:06, inside 3.0 nm already"},
        BadFile{"range_of_a_ship_seen_at_one_time", with("\"13:06\"", "\"13:00\"", at_range("when_range_nm = 1.0\nof = \"B\"")),
                "ex.toml:7:6: manoeuvre.of: B was seen at one time only"},
        BadFile{"plot_tolerance_of_nothing", with("required_cpa_nm = 1.5", "required_cpa_nm = 1.5\nplot_tolerance_nm = 0"),
                "ex.toml:2:21: plot_tolerance_nm: expected a number of nautical miles from 0.01 to 10"}));

TEST(TrafficFile, ReadsTheSightingsAndTheManoeuvre) {
    const traffic::TrafficExercise e = parse_traffic_exercise(with("delay_min = 0", "time = \"00:03\""), "ex.toml");
    ASSERT_EQ(e.targets.size(), 1u);
    EXPECT_EQ(e.targets[0].sightings[1].time.minutes, 13 * 60 + 6);
    EXPECT_EQ(e.targets[0].sightings[0].range_nm, 3.7);
    ASSERT_TRUE(e.manoeuvre.at);
    EXPECT_EQ(e.manoeuvre.at->minutes, 3);
}

}  // namespace
}  // namespace echo_track::traffic_io
