#pragma once
// When B comes to its closest point of approach, from the one-ship plot's
// own figures: the run along the relative track from B-2 to the CPA at the
// relative speed, counted from the manoeuvre time (TCPA) and on the clock.

#include <optional>
#include <string>

#include "solver/manoeuvre.hpp"
#include "solver/plot_solution.hpp"

namespace echo_track::plot {

struct CpaTime {
    double tcpa_min = 0.0;  // from the manoeuvre time; negative: the CPA is past
    int clock_minutes = 0;  // the time of the CPA to the nearest minute, 0..1439
};

// None when B keeps station with A (no relative motion: the range stays).
std::optional<CpaTime> cpa_time(const PlotSolution& plot, const Manoeuvre& manoeuvre);

// "TCPA 37.3 min, 10:55" as the picture gives it; "TCPA -" when keeping station.
std::string cpa_time_text(const std::optional<CpaTime>& time);

}  // namespace echo_track::plot
