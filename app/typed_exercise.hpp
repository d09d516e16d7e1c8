#pragma once
// One exercise as the user types it (clock numbers hhmm, a delay in minutes)
// and the exercise record that the dialog would make of it.

#include "app/entry_rules.hpp"
#include "solver/plot_record.hpp"

namespace echo_track {

// The values in the order the dialog asks for them.
struct TypedExercise {
    double course = 0.0;      // own true course A, degrees
    double velocity = 0.0;    // own speed A, knots
    double time1 = 0.0;       // clock of B-1, hhmm
    double bearing1 = 0.0;    // true bearing of B at B-1, degrees
    double distance1 = 0.0;   // distance of B at B-1, nautical miles
    double time2 = 0.0;       // clock of B-2, hhmm
    double bearing2 = 0.0;    // true bearing of B at B-2, degrees
    double distance2 = 0.0;   // distance of B at B-2, nautical miles
    double min_cpa = 0.0;     // minimal CPA to maintain, nautical miles
    double delay = 0.0;       // minutes from B-2 to the manoeuvre
};

// A minimal CPA below this ends the dialog instead of solving.
inline const double kLeastCpa = kEndingCpa;

// The default exercise, as the dialog first offers it.
TypedExercise default_exercise();

// The record the dialog makes of typed values: course, bearings, clocks and
// delay rounded to whole numbers (halves up), every value beyond +-9999
// replaced by +-99999, clocks split into hour and minute, a negative delay
// taken as 0, and the manoeuvre time set `delay` minutes after B-2.
PlotRecord exercise_record(const TypedExercise& typed);

}  // namespace echo_track
