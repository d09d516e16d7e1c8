#pragma once
// One exercise solved and reported: the routine called once per exercise
// after the dialog.

#include "console/console.hpp"
#include "solver/plot_record.hpp"

namespace echo_track {

// Solves the relative-motion plot of the record's two observations and the
// evasive manoeuvre at the manoeuvre time, and prints both reports. Reads
// every field but `wait`; leaves `aka` normalised into 0..360. Returns true
// when the report ended on "NO danger", after which the dialog waits for one
// typed line more than after the other outcomes.
[[nodiscard]] bool result(console::Console& con, PlotRecord& record);

}  // namespace echo_track
