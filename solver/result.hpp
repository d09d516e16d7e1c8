#pragma once
// The solver routine called once per exercise after the dialog.

#include "console/console.hpp"
#include "solver/plot_record.hpp"

namespace echo_track {

// Solves the relative-motion plot of the record's two observations and the
// evasive manoeuvre at the manoeuvre time, and prints both reports. Reads
// every field but `wait`; leaves `aka` normalised into 0..360. On the
// no-danger outcome it waits for one typed line before it returns.
void result(console::Console& con, PlotRecord& record);

}  // namespace echo_track
