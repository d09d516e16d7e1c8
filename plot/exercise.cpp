// The typed values of one exercise made into the exercise record, step for
// step as the dialog does it, so that the picture shows what the report says.

#include "plot/exercise.hpp"

#include <cmath>

namespace echo_track::plot {
namespace {

// A typed entry beyond +-9999 is not refused but replaced by +-99999.
constexpr double kLargestEntry = 9999.0;
constexpr double kOverflowEntry = 99999.0;

double limited(double value) {
    if (value > kLargestEntry) return kOverflowEntry;
    if (value < -kLargestEntry) return -kOverflowEntry;
    return value;
}

// Whole-number entries: nearest whole number, halves upward, then limited.
double whole_entry(double value) { return limited(std::floor(value + 0.5)); }

// The clock number hhmm split into hour and minute, neither checked:
// 1375 gives 13 h 75 min.
void split_clock(double hhmm, double& hour, double& minute) {
    hour = std::trunc(hhmm / 100.0);
    minute = hhmm - 100.0 * hour;
}

}  // namespace

TypedExercise default_exercise() {
    const PlotRecord r;
    TypedExercise t;
    t.course = r.aka;
    t.velocity = r.va;
    t.time1 = 100.0 * r.th1 + r.tm1;
    t.bearing1 = r.rwp1;
    t.distance1 = r.r1;
    t.time2 = 100.0 * r.th2 + r.tm2;
    t.bearing2 = r.rwp2;
    t.distance2 = r.r2;
    t.min_cpa = r.scpa;
    t.delay = r.wait;
    return t;
}

PlotRecord exercise_record(const TypedExercise& typed) {
    PlotRecord r;
    r.aka = whole_entry(typed.course);
    r.va = limited(typed.velocity);
    split_clock(whole_entry(typed.time1), r.th1, r.tm1);
    r.rwp1 = whole_entry(typed.bearing1);
    r.r1 = limited(typed.distance1);
    split_clock(whole_entry(typed.time2), r.th2, r.tm2);
    r.rwp2 = whole_entry(typed.bearing2);
    r.r2 = limited(typed.distance2);
    r.scpa = limited(typed.min_cpa);
    r.wait = whole_entry(typed.delay);
    if (r.wait < 0.0) r.wait = 0.0;

    // Minutes carry into hours at 60; hours run on past 24.
    const double minutes = 60.0 * r.th2 + r.tm2 + r.wait;
    r.tmh = std::trunc(minutes / 60.0);
    r.tmm = minutes - 60.0 * r.tmh;
    return r;
}

}  // namespace echo_track::plot
