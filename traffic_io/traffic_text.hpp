#pragma once
// The figures of the traffic picture as text, shared by the report and the
// board: courses and bearings in whole degrees, miles, knots and minutes to
// one decimal, clock times "hh:mm".

#include <string>

#include "traffic/clock.hpp"
#include "traffic/target_solution.hpp"

namespace echo_track::traffic_io {

// A course or bearing rounded to the nearest whole degree, "053°"; 359.5
// and above show as "000°".
std::string course_text(double degrees);

// A value with one decimal, "-12.5".
std::string tenths_text(double value);

// A speed rounded down to a tenth of a knot, "7.3": a highest speed that
// clears is never shown above itself.
std::string speed_down_text(double kt);

// "13:06".
std::string clock_text(traffic::ClockTime time);

// Where the target sits relative to the own heading: "forward of the beam",
// "abeam", "abaft the beam", or "overtaking".
std::string aspect_text(const traffic::TargetSolution& target);

// Where the target crosses the own heading line: "1.2 ahead in 12.5 min",
// "0.8 astern 3.0 min ago", "never".
std::string bow_crossing_text(const traffic::BowCrossing& crossing);

}  // namespace echo_track::traffic_io
