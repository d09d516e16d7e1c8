#pragma once
// The main program: banner once, then one exercise after another.

#include "console/console.hpp"
#include "solver/plot_record.hpp"

namespace echo_track {

// Told of each exercise as the dialog has taken it, just before it is solved
// and reported; it must not write to the console.
class ExerciseWatcher {
public:
    virtual ~ExerciseWatcher() = default;
    virtual void entered(const PlotRecord& record) = 0;
};

// Runs exercises without end on the given console; returns only by the
// console ending the run (stop, error report).
[[noreturn]] void MAIN__(console::Console& con, ExerciseWatcher* watcher = nullptr);

}  // namespace echo_track
