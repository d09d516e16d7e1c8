// The traffic report and its JSON where the geometry is awkward: each case
// a small exercise, the lines its report must (and must not) print and the
// JSON figures it must carry.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "traffic_io/traffic_file.hpp"
#include "traffic_io/traffic_json.hpp"
#include "traffic_io/traffic_report.hpp"
#include "traffic_io/traffic_text.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::traffic_io {
namespace {

std::string own_ship(double course, double speed) {
    return "[own_ship]\ncourse = " + std::to_string(course) + "\nspeed_kt = " + std::to_string(speed) + "\n";
}

std::string target(const std::string& name, const std::string& first, const std::string& second) {
    return "[[target]]\nname = \"" + name + "\"\nfirst = { time = \"10:00\", " + first + " }\nsecond = { time = \"10:06\", " +
           second + " }\n";
}

std::string listed(const std::string& name, const std::vector<std::string>& sightings) {
    std::string list;
    for (const std::string& one : sightings) list += (list.empty() ? "" : ", ") + ("{ " + one + " }");
    return "[[target]]\nname = \"" + name + "\"\nsightings = [" + list + "]\n";
}

struct Figure {
    const char* pointer;  // into the JSON
    nlohmann::json value;
};

struct ReportCase {
    const char* name;
    std::string file;
    std::vector<std::string> prints;
    std::vector<std::string> never;
    std::vector<Figure> json;
};
void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.name; }

class TrafficReportCase : public ::testing::TestWithParam<ReportCase> {};

TEST_P(TrafficReportCase, PrintsAndCarriesWhatItMust) {
    const traffic::TrafficExercise e = parse_traffic_exercise(GetParam().file, "ex.toml");
    const traffic::TrafficSolution s = traffic::solve_traffic(e);
    const std::string text = traffic_report(e, s);
    for (const std::string& line : GetParam().prints) EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    for (const std::string& line : GetParam().never) EXPECT_EQ(text.find(line), std::string::npos) << line << "\n" << text;
    const nlohmann::json j = nlohmann::json::parse(traffic_json(e, s));
    for (const Figure& f : GetParam().json) EXPECT_EQ(j.at(nlohmann::json::json_pointer(f.pointer)), f.value) << f.pointer;
}

const std::string kCrossing = "required_cpa_nm = 1.0\n[manoeuvre]\ntime = \"10:06\"\n";

INSTANTIATE_TEST_SUITE_P(
    TrafficReport, TrafficReportCase,
    ::testing::Values(
        // Own velocity equal to a station keeper's at the present course:
        // the port edge comes from the ship ahead and the station keeper
        // together, and the station keeper opens under the alteration.
        ReportCase{"station_keeper_beside_a_ship_ahead",
                   kCrossing + own_ship(3, 10) + target("Station", "bearing = 273, range_nm = 3.0", "bearing = 273, range_nm = 3.0") +
                       target("Ahead", "bearing = 3, range_nm = 6.0", "bearing = 3, range_nm = 4.0"),
                   {"Smallest alteration to port: 39° to 324° (the exact edge: 324.06°)", "    Station     CPA 3.0 nm at 273° now, opening",
                    "Station           -     0.0      003°"},
                   {"334°"},
                   {{"/targets/0/keeps_station", true}, {"/targets/0/tcpa_min", nullptr}, {"/starboard/passages/0/least_range_time_min", 0.0}}},
        ReportCase{"station_keeper_alone_blocks_courses_off_its_course",
                   kCrossing + own_ship(45, 10) + target("Station", "bearing = 135, range_nm = 3.0", "bearing = 135, range_nm = 3.0"),
                   {"Courses that clear all: 084.0° to 045.0°", "Blocked courses: 045.1° to 083.9°"},
                   {"Courses that clear all: every course"},
                   {{"/any_danger", false}, {"/starboard/steered_turn_deg", 0.0}}},
        // Keeping station inside the limit: blocked on the present course,
        // cleared by a turn that opens it, never by slowing down.
        ReportCase{"station_keeper_inside",
                   "required_cpa_nm = 0.9\n" + own_ship(348, 9) + target("Inside", "bearing = 240, range_nm = 0.4", "bearing = 240, range_nm = 0.4"),
                   {"DANGER, keeps station inside", "Smallest alteration to starboard: 1° to 349°", "CPA 0.4 nm at 240° now, inside, opening",
                    "Speed alternative on 348°: stopping does not clear"},
                   {"none needed", "TCPA 0.0"},
                   {{"/any_danger", true}, {"/targets/0/clears", false}, {"/starboard/clears_all", true}}},
        ReportCase{"own_ship_stopped",
                   kCrossing + own_ship(0, 0) + target("B", "bearing = 90, range_nm = 5.0", "bearing = 90, range_nm = 4.0"),
                   {"Courses that clear all: no course, the own ship is stopped", "Smallest alteration to starboard: none, the own ship is stopped",
                    "Speed alternative on 000°: none, the own ship is stopped already"},
                   {"every course", "1° to"},
                   {{"/clearing_arcs", nlohmann::json::array()}, {"/starboard", nullptr}, {"/speed_alternative/speed_kt", nullptr}}},
        // Slowing down clears the crossing ship but lets the overtaker in:
        // the highest tenth that clears, and not "at most".
        ReportCase{"slowing_lets_an_overtaker_close",
                   kCrossing + own_ship(0, 10) + target("Crosser", "bearing = 310, range_nm = 3.1", "bearing = 333, range_nm = 1.4") +
                       target("Overtaker", "bearing = 227, range_nm = 6.5", "bearing = 222, range_nm = 6.3"),
                   {"Speed alternative on 000°: 8.0 kt, but not every lower speed clears; the speeds that clear: "},
                   {"at most"},
                   {{"/speed_alternative/speed_kt", 8.0}, {"/speed_alternative/clears_all", true}, {"/speed_alternative/every_lower_clears", false}}},
        // The first clearing arc to starboard holds no whole degree.
        ReportCase{"narrow_clearing_arc",
                   "required_cpa_nm = 1.0\n" + own_ship(0, 12) + target("A", "bearing = 349, range_nm = 7.2", "bearing = 356, range_nm = 4.4") +
                       target("B", "bearing = 358, range_nm = 6.6", "bearing = 359, range_nm = 5.9") +
                       target("C", "bearing = 200, range_nm = 5.2", "bearing = 204, range_nm = 5.4"),
                   {"Courses that clear all: 011.2° to 011.9°, ", "Smallest alteration to starboard: 11.2° to 011.2° (the exact edge: 11.11°; "
                    "the clearing arc there is narrower than a degree and holds no whole one, so the course is given to 0.1°)"},
                   {"to 012°"},
                   {{"/starboard/steered_decimals", 1}, {"/starboard/narrow_arc", true}, {"/starboard/clears_all", true}}},
        // A CPA just below the limit reads below it; one at the limit given
        // with two decimals reads with them.
        ReportCase{"cpa_below_the_limit_reads_below",
                   kCrossing + own_ship(0, 0) +
                       target("B", "bearing = 79.164633573417516, range_nm = 5.0907611415190173",
                              "bearing = 76.544905091306927, range_nm = 4.1128881579736644"),
                   {" 0.95     000°", "DANGER"},
                   {" 1.0     000°"},
                   {{"/targets/0/danger", true}}},
        ReportCase{"cpa_at_a_limit_of_two_decimals",
                   "required_cpa_nm = 1.04\n" + own_ship(0, 0) +
                       target("B", "bearing = 78.250016428223317, range_nm = 5.107014783608914",
                              "bearing = 75.425783801961263, range_nm = 4.1329892329886371"),
                   {"required CPA 1.04 nm", " 1.04     000°", "clear"},
                   {"DANGER"},
                   {{"/targets/0/clears", true}}},
        // Undefined figures: a stopped ship has no true course, a CPA of
        // nothing no bearing.
        ReportCase{"stopped_ship_and_collision_course",
                   kCrossing + own_ship(0, 10) +
                       target("Buoy", "bearing = 37.93708483452654, range_nm = 5.750744978858433", "bearing = 45, range_nm = 5.0") +
                       target("Ram", "bearing = 0, range_nm = 3.0", "bearing = 0, range_nm = 2.0"),
                   {"Buoy           180°    10.0         -      0.0", "Ram            180°    10.0         -      0.0     0.0        -"},
                   {},
                   {{"/targets/0/true_course_deg", nullptr}, {"/targets/1/cpa_bearing_deg", nullptr}, {"/targets/1/least_range_bearing_deg", nullptr},
                    {"/targets/0/aspect_deg", nullptr}, {"/targets/0/aspect_side", nullptr}}},
        // A target seen twice at the same time: every claim names it as left out.
        ReportCase{"same_time_target",
                   kCrossing + own_ship(0, 10) + target("B", "bearing = 90, range_nm = 5.0", "bearing = 90, range_nm = 5.5") +
                       "[[target]]\nname = \"Twice\"\nfirst = { time = \"10:06\", bearing = 10, range_nm = 2 }\n"
                       "second = { time = \"10:06\", bearing = 11, range_nm = 2 }\n",
                   {"Courses that clear all (the solved targets only; not solved: Twice): every course",
                    "Smallest alteration to port (the solved targets only; not solved: Twice): none needed, the present course clears every solved target",
                    "Speed alternative on 000° (the solved targets only; not solved: Twice): none needed"},
                   {"clears every target"},
                   {{"/unsolved_targets", {"Twice"}}}},
        ReportCase{"ship_at_the_own_ship",
                   kCrossing + own_ship(0, 10) + target("Bravo", "bearing = 0, range_nm = 0", "bearing = 0, range_nm = 0"),
                   {"DANGER, at the own ship", "Courses that clear all: no course, Bravo is already at the own ship",
                    "Smallest alteration to starboard: none, Bravo is already at the own ship",
                    "Speed alternative on 000°: none, Bravo is already at the own ship"},
                   {"opening"},
                   {{"/targets/0/at_own_ship", true}, {"/targets/0/bearing_deg", nullptr}, {"/clearing_arcs", nlohmann::json::array()}}},
        ReportCase{"course_360_and_a_ship_too_fast_to_be_meant",
                   kCrossing + own_ship(360, 10) + target("Charlie", "bearing = 90, range_nm = 500", "bearing = 270, range_nm = 500"),
                   {"Own ship: course 000°"},
                   {},
                   {{"/own_ship/course_deg", 0.0}, {"/warnings", {"Charlie: true speed 10000 kt; check the sightings"}}, {"/schema_version", 5}}},
        // The latest of three sightings off the line of the first two: said,
        // and the figures from the two latest.
        ReportCase{"altering_target",
                   kCrossing + own_ship(0, 10) +
                       listed("Jog", {"time = \"10:00\", bearing = 45, range_nm = 8.0", "time = \"10:03\", bearing = 45, range_nm = 7.25",
                                      "time = \"10:06\", bearing = 60, range_nm = 6.5"}),
                   {"Jog                 3   10:06  060°     060°       6.5  -, -, 1.70",
                    "Jog: not on a straight line at a steady rate: the target may be altering (10:06 lies 1.70 nm off the track of the sightings "
                    "before it, more than 0.20); its figures are from the two latest sightings, 10:03 and 10:06"},
                   {},
                   {{"/targets/0/plot_consistent", false}, {"/targets/0/figures_from_latest_two", true}, {"/targets/0/interval_min", 3},
                    {"/targets/0/sightings/0/off_track_nm", nullptr}, {"/targets/0/sightings/0/on_track", false}, {"/targets/0/sightings/2/off", true}}},
        // Three sightings on a line across midnight: the line through all.
        ReportCase{"three_on_a_line_across_midnight",
                   "required_cpa_nm = 1.0\n" + own_ship(0, 0) +
                       listed("Steady", {"time = \"23:54\", bearing = 90, range_nm = 4.0", "time = \"00:00\", bearing = 90, range_nm = 3.0",
                                         "time = \"00:06\", bearing = 90, range_nm = 2.0"}),
                   {"Steady              3   00:06  090°     090°       2.0  -, -, 0.00"},
                   {"altering"},
                   {{"/targets/0/plot_consistent", true}, {"/targets/0/interval_min", 12}, {"/targets/0/true_speed_kt", 10.0},
                    {"/targets/0/latest_time", "00:06"}}},
        // A manoeuvre when B closes to 2.0 nm: 2.5 minutes after 13:06.
        ReportCase{"manoeuvre_at_a_range_to_the_second",
                   "required_cpa_nm = 1.5\n[manoeuvre]\nwhen_range_nm = 2.0\nof = \"B\"\n" + own_ship(300, 5) +
                       listed("B", {"time = \"13:00\", bearing = 350, range_nm = 3.7", "time = \"13:06\", bearing = 350, range_nm = 2.5"}),
                   {"manoeuvre at 13:08:30, when B closes to 2.0 nm", "Manoeuvre at 13:08:30, at the present speed 5.0 kt"},
                   {},
                   {{"/manoeuvre_time", "13:08:30"}, {"/latest_observation", "13:06"}, {"/manoeuvre_when/of", "B"}, {"/manoeuvre_when/range_nm", 2.0}}},
        // A ship keeping station abaft the starboard beam: its sector, the
        // own ship on its port side, no time of CPA.
        ReportCase{"sector_aspect_and_no_tca",
                   kCrossing + own_ship(0, 10) + target("Beam", "bearing = 100, range_nm = 3.0", "bearing = 100, range_nm = 3.0"),
                   {"abaft the beam                  red 80"},
                   {"forward of the beam"},
                   {{"/targets/0/sector", "abaft_beam"}, {"/targets/0/aspect_side", "red"}, {"/targets/0/tca", nullptr}, {"/targets/0/track_tca", nullptr}}},
        // Relative bearings: the latest shown both ways.
        ReportCase{"relative_bearings",
                   kCrossing + own_ship(45, 10) + target("Rel", "relative_bearing = 50, range_nm = 5.0", "relative_bearing = 50, range_nm = 4.0"),
                   {"Rel                 2   10:06  095°     050°       4.0  -"},
                   {},
                   {{"/targets/0/latest_bearing_deg", 95.0}, {"/targets/0/latest_relative_bearing_deg", 50.0}, {"/targets/0/sightings/0/relative_bearing_deg", 50.0}}}));

// Arcs as printed: both ends inside the arc, slivers said as such.
struct ArcCase {
    traffic::CourseArc arc;
    bool clearing;
    const char* text;
};

TEST(TrafficReport, ArcsPrintInsideThemselves) {
    const ArcCase cases[] = {
        {{41.52, 324.75}, true, "041.6° to 324.7°"},
        {{324.75, 401.52}, false, "324.8° to 041.5°"},
        {{242.23, 242.27}, true, "a sliver at 242.23°"},   // once printed "242.3° to 242.2°"
        {{242.15, 242.25}, true, "a sliver at 242.2°"},
        {{120.02, 479.97}, false, "120.1° to 119.9°"},       // once "120.0° to 120.0°"
        {{28.0, 28.1}, false, "a sliver at 028.01°"},         // the ends of a blocked arc clear
        {{10.0, 10.0}, false, ""},
    };
    for (const ArcCase& c : cases) EXPECT_EQ(arc_text(c.arc, c.clearing), c.text) << c.arc.from << " " << c.arc.to;
}

}  // namespace
}  // namespace echo_track::traffic_io
