// Typed values made into the exercise record the way the dialog makes them.

#include <gtest/gtest.h>

#include "app/typed_exercise.hpp"

namespace echo_track {
namespace {


TEST(Exercise, DefaultIsTheDialogsFirstExercise) {
    const PlotRecord r = exercise_record(default_exercise());
    const PlotRecord first;
    EXPECT_EQ(r.aka, first.aka);
    EXPECT_EQ(r.va, first.va);
    EXPECT_EQ(r.th1, first.th1);
    EXPECT_EQ(r.tm1, first.tm1);
    EXPECT_EQ(r.th2, first.th2);
    EXPECT_EQ(r.tm2, first.tm2);
    EXPECT_EQ(r.rwp1, first.rwp1);
    EXPECT_EQ(r.rwp2, first.rwp2);
    EXPECT_EQ(r.r1, static_cast<double>(3.7f)) << "the default distance keeps its single-precision bits";
    EXPECT_EQ(r.r2, first.r2);
    EXPECT_EQ(r.scpa, first.scpa);
    EXPECT_EQ(r.wait, 0.0);
    EXPECT_EQ(r.tmh, 13.0);
    EXPECT_EQ(r.tmm, 6.0);
}

struct ClockCase {
    double time2, delay;
    double th2, tm2, wait, tmh, tmm;
};

TEST(Exercise, ClockSplitAndManoeuvreTime) {
    const ClockCase cases[] = {
        {1306, 10, 13, 6, 10, 13, 16},
        {1355, 10, 13, 55, 10, 14, 5},
        {1306, 94, 13, 6, 94, 14, 40},
        {2355, 10, 23, 55, 10, 24, 5},     // hours run on past midnight
        {1375, 0, 13, 75, 0, 14, 15},      // minutes are not checked, but carried at the manoeuvre
        {13, 0, 0, 13, 0, 0, 13},
        {1306, -5, 13, 6, 0, 13, 6},       // a negative delay is none
        {1306, 7.5, 13, 6, 8, 13, 14},     // halves round up
        {1305.5, 0, 13, 6, 0, 13, 6},      // a clock is a whole number too
        {10000, 0, 999, 99, 0, 1000, 39},  // beyond 9999: 99999
    };
    for (const ClockCase& c : cases) {
        TypedExercise t = default_exercise();
        t.time2 = c.time2;
        t.delay = c.delay;
        const PlotRecord r = exercise_record(t);
        EXPECT_EQ(r.th2, c.th2) << c.time2;
        EXPECT_EQ(r.tm2, c.tm2) << c.time2;
        EXPECT_EQ(r.wait, c.wait) << c.delay;
        EXPECT_EQ(r.tmh, c.tmh) << c.time2 << " + " << c.delay;
        EXPECT_EQ(r.tmm, c.tmm) << c.time2 << " + " << c.delay;
    }
}

TEST(Exercise, WholeNumberEntriesAreRoundedAndEveryEntryLimited) {
    TypedExercise t = default_exercise();
    t.course = 12.5;
    t.bearing1 = 9999.5;    // rounds to 10000, beyond the limit
    t.bearing2 = 12.49;
    t.velocity = 2.75;      // entries with fraction keep it
    t.distance1 = 9999.9;
    t.distance2 = -1e10;
    const PlotRecord r = exercise_record(t);
    EXPECT_EQ(r.aka, 13.0);
    EXPECT_EQ(r.rwp1, 99999.0);
    EXPECT_EQ(r.rwp2, 12.0);
    EXPECT_EQ(r.va, 2.75);
    EXPECT_EQ(r.r1, 99999.0);
    EXPECT_EQ(r.r2, -99999.0);
}

}  // namespace
}  // namespace echo_track
