#pragma once
// The two report blocks of an exercise, written line by line through the
// console: the plot report and the evasive manoeuvre report.

#include "console/console.hpp"
#include "solver/manoeuvre.hpp"
#include "solver/plot_solution.hpp"

namespace echo_track {

// The seven-line plot report. When both observations were taken at the same
// time, the heading, the KA/VA line and both observation lines are followed by
// a line saying that there is no solution, and nothing more.
void write_plot_report(console::Console& con, const PlotSolution& plot);

// The manoeuvre report for the required CPA `scpa`: direction line, time, B's
// position, then the too-close or no-danger message or the course rows with
// the turn and overtaking advice.
void write_manoeuvre_report(console::Console& con, double scpa, const PlotSolution& plot, const Manoeuvre& m);

}  // namespace echo_track
