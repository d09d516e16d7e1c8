#pragma once
// The main program: banner once, then one exercise after another.

#include "console/console.hpp"

namespace echo_track {

// Runs exercises without end on the given console; returns only by the
// console ending the run (stop, error report).
[[noreturn]] void MAIN__(console::Console& con);

}  // namespace echo_track
