#pragma once
// The collision rules in the text report: the settings they are read with,
// the recommended manoeuvre and the time to resume, as a navigator reads
// them. The passages are printed by the caller, as for every manoeuvre.

#include <string>

#include "traffic/exercise.hpp"
#include "traffic/resume_time.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::traffic_io {

// "Rules: restricted visibility; risk within 30 min; Rule 8: a turn of 30°
// or more, or a speed of 0.5 of the present or less; own ship power-driven,
// every target power-driven".
std::string rule_settings_text(const traffic::TrafficExercise& exercise);

// The heading line of the recommendation (what to do and the rules it
// follows), with what stands beside it (the 17(a)(ii) action, Rule 19(e)).
std::string recommendation_heading(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution);

// The same in one line for the board's legend, with the resume time:
// "Recommended (Rule 8 and Rule 19): keep course 045°, reduce to 5.5 kt from
// 10:09; resume 13:31:18".
std::string recommendation_line(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution);

// "Resume course 218° and 12.0 kt at 13:41:06, 29.1 min after the
// manoeuvre"; "Resume: not within 12 hours of the manoeuvre".
std::string resume_text(const traffic::CourseAndSpeed& original, const traffic::ResumeTime& resume,
                        traffic::ClockMoment manoeuvre);

// The resume time on the clock to the second, "13:41:06".
std::string resume_clock_text(const traffic::ResumeTime& resume, traffic::ClockMoment manoeuvre);

// The closing words: what the recommendation is and is not.
inline constexpr const char* kDecisionAid =
    "A decision aid: it knows nothing of the waters (lanes, depths, other hazards) nor of the ship's handling; the officer decides.";

}  // namespace echo_track::traffic_io
