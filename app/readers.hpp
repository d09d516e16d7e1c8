#pragma once
// Prompted value entry: show the default, read one typed line, keep the
// default on an empty line, otherwise take the typed number within limits.

#include "console/console.hpp"

namespace echo_track {

// Whole-number entry (courses, bearings, clock times, delay): the default is
// shown as I6; the typed value is rounded to a whole number, then limited
// (beyond +-9999 it becomes +-99999).
void readint(console::Console& con, double& xxx);

// Entry with fraction (speed, distances, CPA): the default is shown as F6.1;
// the typed value is only limited.
void readif(console::Console& con, double& xxx);

}  // namespace echo_track
