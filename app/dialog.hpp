#pragma once
// The exercise dialog: asks for every value of one exercise.

#include "console/console.hpp"
#include "solver/plot_record.hpp"

namespace echo_track {

// Asks for own course and speed, both observations, the minimal CPA and the
// delay, each with the record's value as the default; splits the clock times,
// derives the manoeuvre time. Ends the run (exit status 0) when the minimal
// CPA is below 0.001.
void input(console::Console& con, PlotRecord& record);

}  // namespace echo_track
