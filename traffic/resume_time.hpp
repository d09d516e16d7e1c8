#pragma once
// When the own ship can go back to her original course and speed after a
// manoeuvre: the earliest time, to a tenth of a minute, from which
// - every solved ship passes clear of the required CPA at the original
//   course and speed,
// - every ship with risk is past its closest point on the manoeuvre and
//   opening (or keeps station clear of the limit), and
// - in restricted visibility, the turn back is one Rule 19(d) allows: not
//   to port for a ship with risk still closing forward of the beam (other
//   than one the own ship overtakes), not towards one still closing abeam
//   or abaft the beam.
// Turns and speed changes are taken as instant. The ships move on straight
// lines, so every condition changes only at closed-form times (where a ship
// meets the strip of positions from which the original motion would pass it
// inside the limit, passes its closest point, or crosses the own beam or
// heading line); between them each is judged once.

#include <vector>

#include "traffic/exercise.hpp"
#include "traffic/recommendation.hpp"
#include "traffic/target_solution.hpp"

namespace echo_track::traffic {

// Looked for within half a day of the manoeuvre time.
inline constexpr double kResumeWithinMin = 720.0;

struct ResumeTime {
    bool found = false;     // false: not within kResumeWithinMin
    double after_min = 0.0; // minutes after the manoeuvre time, a whole tenth
};

// The resume time after steering `manoeuvre` instead of `original` from the
// manoeuvre time; `rules` as read for the original course and speed.
ResumeTime resume_time(const std::vector<TargetSolution>& targets, const std::vector<ShipRules>& rules,
                       const CourseAndSpeed& original, const CourseAndSpeed& manoeuvre, Visibility visibility,
                       double required_cpa_nm);

// Whether going back at `minutes` after the manoeuvre time meets the three
// conditions above (the judgement the resume time is found by).
bool can_resume_at(const std::vector<TargetSolution>& targets, const std::vector<ShipRules>& rules,
                   const CourseAndSpeed& original, const CourseAndSpeed& manoeuvre, Visibility visibility,
                   double required_cpa_nm, double minutes);

}  // namespace echo_track::traffic
