// The typed values of one exercise made into the exercise record, step for
// step as the dialog does it, so that the picture shows what the report says.

#include "app/typed_exercise.hpp"

#include "app/entry_rules.hpp"

namespace echo_track {
namespace {

// Whole-number entries: rounded as the dialog's reader rounds, then limited.
double whole_entry(double value) { return limited_entry(whole_number(value)); }

}  // namespace

TypedExercise default_exercise() {
    const PlotRecord r;
    TypedExercise t;
    t.course = r.aka;
    t.velocity = r.va;
    t.time1 = clock_number(r.th1, r.tm1);
    t.bearing1 = r.rwp1;
    t.distance1 = r.r1;
    t.time2 = clock_number(r.th2, r.tm2);
    t.bearing2 = r.rwp2;
    t.distance2 = r.r2;
    t.min_cpa = r.scpa;
    t.delay = r.wait;
    return t;
}

PlotRecord exercise_record(const TypedExercise& typed) {
    PlotRecord r;
    r.aka = whole_entry(typed.course);
    r.va = limited_entry(typed.velocity);
    split_clock(whole_entry(typed.time1), r.th1, r.tm1);
    r.rwp1 = whole_entry(typed.bearing1);
    r.r1 = limited_entry(typed.distance1);
    split_clock(whole_entry(typed.time2), r.th2, r.tm2);
    r.rwp2 = whole_entry(typed.bearing2);
    r.r2 = limited_entry(typed.distance2);
    r.scpa = limited_entry(typed.min_cpa);
    r.wait = clamped_delay(whole_entry(typed.delay));
    set_manoeuvre_time(r);
    return r;
}

}  // namespace echo_track
