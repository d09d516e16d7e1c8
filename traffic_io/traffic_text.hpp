#pragma once
// The figures of the traffic picture as text, shared by the report and the
// board: courses and bearings in whole degrees, miles, knots and minutes to
// one decimal, clock times "hh:mm".

#include <string>

#include <vector>

#include "traffic/clearing_arcs.hpp"
#include "traffic/clock.hpp"
#include "traffic/passage.hpp"
#include "traffic/target_solution.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::traffic_io {

// A course or bearing rounded to the nearest whole degree, "053°"; 359.5
// and above show as "000°".
std::string course_text(double degrees);

// A value with one decimal, "-12.5".
std::string tenths_text(double value);

// A figure as it was given, "1.5", "1.25", "2.0": the fewest digits that
// read back to it, at least one decimal.
std::string given_text(double value);

// A course with `decimals` decimals, the whole degrees in three digits:
// "053°", "123.4°".
std::string course_decimals_text(double degrees, int decimals);

// The least range of a passage, to the tenth, never reading against its
// verdict: a ship that does not pass clear, or passes clear only by
// opening from inside, reads below the required CPA (truncated to two
// decimals when the tenth would reach it); one that passes clear reads at
// least the required CPA (with the digits of the required CPA when the
// tenth falls short).
std::string least_range_text(const traffic::Passage& passage, double required_cpa_nm);

// The bearing of the least range, "-" when it is too close to have one.
std::string least_bearing_text(const traffic::Passage& passage);

// When the least range comes: "12.5", "now" for a ship closest now, "-"
// for one keeping station.
std::string least_time_text(const traffic::Passage& passage);

// The verdict of a passage: "clear", "opening", "inside, opening",
// "keeps station", "DANGER", "DANGER, keeps station inside", "DANGER, at the
// own ship".
std::string verdict_text(const traffic::Passage& passage);

// An arc of courses as printed, its ends to the tenth of a degree and inside
// it: "041.6° to 324.7°"; an arc that holds one tenth or none, "a sliver at
// 242.23°" (the fewest decimals inside it, at most six); empty for one
// narrower still.
std::string arc_text(const traffic::CourseArc& arc, bool clearing);

// The lines on standard error and in the JSON for figures that cannot be
// meant: "Charlie: true speed 4934 kt; check the sightings", and for a
// manoeuvre at a range that is never reached (which a file cannot ask for).
std::vector<std::string> traffic_warnings(const traffic::TrafficSolution& solution);

// "13:06".
std::string clock_text(traffic::ClockTime time);

// A moment as the header gives the manoeuvre: "13:06" when it is a whole
// minute, else to the nearest second, "13:06:25".
std::string clock_text(traffic::ClockMoment moment);

// The clock time of the least range of a passage (TCA), to the nearest
// minute: "13:31"; "-" for a ship keeping station, which has none.
std::string tca_text(const traffic::Passage& passage, traffic::ClockMoment manoeuvre);

// The same for the closest point of the whole track, "-" when keeping station.
std::string track_tca_text(const traffic::Passage& passage, traffic::ClockMoment manoeuvre);

// The moment `minutes` after the manoeuvre, to the nearest minute.
traffic::ClockTime clock_after_manoeuvre(traffic::ClockMoment manoeuvre, double minutes);

// Where the target bears from the own heading, in the words of the
// collision rules: "forward of the beam", "abaft the beam", "more than
// 22.5° abaft the beam", or "overtaking" (that, and closing).
std::string sector_text(const traffic::TargetSolution& target);

// Where the own ship bears from the target's course: "red 30", "green 145",
// "ahead", "astern"; "-" for a target that does not move.
std::string aspect_text(const traffic::TargetSolution& target);

// A sighting's distance off the track of those before it, to the nearest
// hundredth and never reading against its verdict: one off by more than its
// tolerance reads above it (rounded up when the nearest would not), one
// within reads within (rounded down when the nearest would not); "-" when
// there is none.
std::string off_track_text(const traffic::PlottedSighting& sighting);

// Where the target crosses the own heading line: "1.2 ahead in 12.5 min",
// "0.8 astern 3.0 min ago", "never".
std::string bow_crossing_text(const traffic::BowCrossing& crossing);

}  // namespace echo_track::traffic_io
