#pragma once
// The rules by which typed values become the exercise record: shared by the
// dialog and by every other front end that builds an exercise from typed
// values, so that each one solves exactly what the dialog would.

#include "solver/plot_record.hpp"

namespace echo_track {

// A minimal CPA below this ends the run instead of being solved: the
// single-precision 0.001, so a typed 0.001 ends the run as well.
inline const double kEndingCpa = static_cast<double>(0.001f);

// Whole-number entries (courses, bearings, clocks, delay): the nearest whole
// number, halves upward for every sign (-10 stays -10, -2.5 gives -2).
double whole_number(double value);

// A typed entry beyond +-9999 is not refused but replaced by +-99999.
double limited_entry(double value);

// The delay of the manoeuvre after B-2, never negative: a negative delay
// means at once.
double clamped_delay(double wait);

// The clock number hhmm (hour x 100 + minute) as the user sees and types it.
double clock_number(double hour, double minute);

// Splits a clock number into hour and minute, neither checked: 1375 gives
// 13 h 75 min, 10000 gives 100 h 0 min.
void split_clock(double hhmm, double& hour, double& minute);

// The manoeuvre time `wait` minutes after observation B-2: minutes carry into
// hours at 60, hours run on past 24 (the solver counts minutes from 00:00).
void set_manoeuvre_time(PlotRecord& record);

}  // namespace echo_track
