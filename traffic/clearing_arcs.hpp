#pragma once
// The own courses at one speed that pass every solved ship clear from the
// manoeuvre time on, and the smallest alterations onto them.
//
// Turning the own ship through the compass at one speed moves its velocity
// round a circle. A ship's verdict can change only where that circle meets
// a border of its verdict in the plane of relative velocity (see
// verdict_borders) or passes its station-keeping velocity. Those courses cut the compass
// into pieces; each piece and each cut is judged by passes_clear itself.

#include <functional>
#include <optional>
#include <vector>

#include "traffic/target_solution.hpp"
#include "traffic/vec2.hpp"

namespace echo_track::traffic {

// An arc of own courses, clockwise from `from` to `to` (degrees true,
// 0 <= from < 360, from <= to <= from + 360). A clearing arc holds its ends
// (each end clears); a blocked arc does not (its ends are the clearing
// arcs' ends).
struct CourseArc {
    double from = 0.0;
    double to = 0.0;
    double width() const { return to - from; }
    double middle() const { return normalized_degrees(from + width() / 2.0); }
    // `course` lies on the arc, ends included.
    bool holds(double course) const;
};

// The courses that clear every solved ship and those blocked by at least
// one, both in clockwise order from north. Every course clears: one clearing
// arc from 0 to 360 and no blocked arc; no course clears: the reverse.
struct ClearingArcs {
    std::vector<CourseArc> clear;
    std::vector<CourseArc> blocked;
    bool every_course() const { return blocked.empty(); }
    bool no_course() const { return clear.empty(); }
};

// The clearing arcs at `speed_kt`. The present course is always one of the
// cuts, so the arcs and the verdict at the present course agree.
ClearingArcs clearing_arcs(const std::vector<TargetSolution>& targets, double speed_kt, double present_course,
                           double required_cpa_nm);

// The smallest turn to one side onto a clearing course: the exact edge of
// the first clearing arc that way, and the course to steer on it.
struct Alteration {
    double exact_course = 0.0;   // the near end of the clearing arc: the closest ship passes at the limit
    double exact_turn = 0.0;     // degrees, 0..180, towards the side
    double steered_course = 0.0; // a whole degree on the arc; on an arc that holds none, the fewest decimals that do
    double steered_turn = 0.0;
    int steered_decimals = 0;    // 0: a whole degree
    bool narrow_arc = false;     // the clearing arc is narrower than a degree
};

enum class Side { Starboard, Port };

// The smallest alteration to `side` from `course`, at most 180 degrees; none
// if no clearing arc lies within that turn. A present course that clears
// (`present_clears`) needs a turn of 0. `clears_course` judges one course at
// the same speed; the steered course is one that it clears.
std::optional<Alteration> smallest_alteration(const ClearingArcs& arcs, double course, Side side, bool present_clears,
                                              const std::function<bool(double)>& clears_course);

}  // namespace echo_track::traffic
