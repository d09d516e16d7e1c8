#pragma once
// The speed alternative: keeping the present course, the speeds up to the
// present one that pass every solved ship clear, and the highest of them to
// a tenth of a knot. A speed is taken as reached at once at the manoeuvre
// time; a loaded ship needs many minutes to halve her speed, which the
// officer has to allow for.

#include <vector>

#include "traffic/clear_spans.hpp"
#include "traffic/target_solution.hpp"

namespace echo_track::traffic {

struct SpeedChoice {
    bool present_clears = false;        // no change needed
    std::vector<Span> clearing_speeds;  // knots, within 0 .. the present speed, in order
    bool found = false;                 // some tenth of a knot below the present speed clears
    double speed_kt = 0.0;              // the highest such tenth (the present speed when it clears)
    bool every_lower_clears = false;    // so does every speed below it, down to stopping
};

// The speed choice on `course`, the present speed being `present_kt`.
SpeedChoice speed_choice(const std::vector<TargetSolution>& targets, double course, double present_kt,
                         double required_cpa_nm);

}  // namespace echo_track::traffic
