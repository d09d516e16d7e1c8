// The plot solution and the manoeuvre as plain values: times, degenerate
// observations, the figures as rounded for the reports, and the own course
// left normalised.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "tests/solver/worked_exercises.hpp"
#include "solver/manoeuvre.hpp"
#include "solver/plot_solution.hpp"

namespace echo_track {
namespace {

using worked::crossing_exercise;

struct ClockCase {
    double th1, tm1, th2, tm2, tmh, tmm;
    double t1, t2, dt, tm;
};

TEST(PlotSolution, ObservationTimesInMinutesIntervalTheShorterWayRoundTheClock) {
    const ClockCase cases[] = {
        {13, 0, 13, 6, 13, 6, 780, 786, 6, 786},
        {12, 10, 12, 0, 12, 5, 730, 720, 10, 725},      // B-2 before B-1
        {23, 50, 0, 10, 0, 10, 1430, 10, 20, 10},       // across midnight: 20 minutes, not 1420
        {0, 2, 23, 56, 23, 59, 2, 1436, 6, 1439},       // and back across it
        {12, 0, 0, 0, 0, 0, 720, 0, 720, 0},            // half a day either way stays half a day
        {12, 0, 12, 6, 12, 65, 720, 726, 6, 785},       // a minute of 65
    };
    for (const ClockCase& c : cases) {
        PlotRecord r;
        r.th1 = c.th1;
        r.tm1 = c.tm1;
        r.th2 = c.th2;
        r.tm2 = c.tm2;
        r.tmh = c.tmh;
        r.tmm = c.tmm;
        const PlotSolution s = solve_plot(r);
        EXPECT_EQ(s.t1, c.t1);
        EXPECT_EQ(s.t2, c.t2);
        EXPECT_EQ(s.dt, c.dt);
        EXPECT_EQ(s.tm, c.tm);
        EXPECT_FALSE(s.simultaneous);
    }
}

TEST(PlotSolution, RelativeTrackRunsFromB1ToB2WhateverTheClockOrder) {
    PlotRecord r = crossing_exercise();
    const PlotSolution forward = solve_plot(r);
    r.tm1 = 12.0;  // B-1 now taken 12 minutes after B-2
    r.tm2 = 0.0;
    const PlotSolution reversed = solve_plot(r);
    EXPECT_EQ(reversed.dt, 12.0);
    EXPECT_EQ(reversed.akbr, forward.akbr);
    EXPECT_EQ(reversed.vbr, forward.vbr);
}

TEST(PlotSolution, UnchangedObservationsGiveBTheOwnShipsMotion) {
    PlotRecord r = crossing_exercise();
    r.aka = 123.0;
    r.rwp2 = r.rwp1;
    r.r2 = r.r1;
    const PlotSolution s = solve_plot(r);
    EXPECT_EQ(s.vbr, 0.0);
    EXPECT_EQ(s.akbr, 90.0);  // the bearing between two equal points
    EXPECT_NEAR(s.vb, r.va, 1e-12);
    EXPECT_NEAR(s.akb, r.aka, 1e-9);
}

TEST(PlotSolution, StoppedOwnShipSeesTrueMotionAsRelative) {
    PlotRecord r = crossing_exercise();
    r.va = 0.0;
    const PlotSolution s = solve_plot(r);
    EXPECT_EQ(s.da, 0.0);
    EXPECT_EQ(s.akb, s.akbr);
    EXPECT_EQ(s.vb, s.vbr);
}

TEST(PlotSolution, FiguresAreRoundedHalfUpAndNotNormalisedAfterwards) {
    PlotRecord r = crossing_exercise();
    r.aka = 45.5;
    r.va = 12.25;
    r.rwp1 = 359.5;
    r.rwp2 = 359.7;
    r.r1 = 0.25;
    r.r2 = 0.05;
    const PlotFigures f = solve_plot(r).figures;
    EXPECT_EQ(f.ka, 46);
    EXPECT_EQ(f.vaq, 12.3);
    EXPECT_EQ(f.nrwp1q, 360);
    EXPECT_EQ(f.nrwp2q, 360);
    EXPECT_EQ(f.rr1, 0.3);
    EXPECT_EQ(f.rr2, 0.1);
}

TEST(PlotSolution, SimultaneousObservationsHaveNoSpeedsAndNoManoeuvre) {
    PlotRecord r = crossing_exercise();
    r.tm2 = r.tm1;
    const PlotSolution s = solve_plot(r);
    EXPECT_TRUE(s.simultaneous);
    EXPECT_TRUE(std::isnan(s.vbr));
    EXPECT_TRUE(std::isnan(s.vb));
    EXPECT_FALSE(solve_manoeuvre(r, s).has_value());
}

TEST(Manoeuvre, OwnCourseComesBackNormalised) {
    PlotRecord r = crossing_exercise();
    r.aka = 370.0;
    const PlotSolution s = solve_plot(r);
    EXPECT_EQ(s.figures.ka, 370);  // printed as entered
    const std::optional<Manoeuvre> m = solve_manoeuvre(r, s);
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->aka, 10.0);
    r.scpa = 9.0;  // too close: still normalised
    EXPECT_EQ(solve_manoeuvre(r, solve_plot(r))->aka, 10.0);
}

TEST(Manoeuvre, NoDelayLeavesBAtItsSecondPosition) {
    PlotRecord r = crossing_exercise();
    r.tmm = r.tm2;
    const PlotSolution s = solve_plot(r);
    const Manoeuvre m = *solve_manoeuvre(r, s);
    EXPECT_EQ(m.dtm, 0.0);
    EXPECT_EQ(m.bm.x, s.p2.x);
    EXPECT_EQ(m.bm.y, s.p2.y);
    EXPECT_EQ(m.izp, 40);
    EXPECT_EQ(m.zd, 6.5);
}

TEST(Manoeuvre, ClockPastMidnightKeepsCountingHours) {
    PlotRecord r = crossing_exercise();
    r.th1 = 23.0;
    r.tm1 = 43.0;
    r.th2 = 23.0;
    r.tm2 = 55.0;
    r.tmh = 24.0;
    r.tmm = 5.0;
    const Manoeuvre m = *solve_manoeuvre(r, solve_plot(r));
    EXPECT_EQ(m.dtm, 10.0);
    EXPECT_EQ(m.itmah, 24);
    EXPECT_EQ(m.itmam, 5);
}

TEST(Manoeuvre, RequiredDistanceEqualToRangeIsNotTooClose) {
    PlotRecord r = worked::b_exactly_at_required_distance();
    const Manoeuvre m = *solve_manoeuvre(r, solve_plot(r));
    EXPECT_EQ(m.rm, 2.5);
    EXPECT_EQ(m.outcome, Outcome::Courses);
    EXPECT_EQ(m.phi, 90.0);
    r.scpa = std::nextafter(2.5, 3.0);
    EXPECT_EQ(solve_manoeuvre(r, solve_plot(r))->outcome, Outcome::TooClose);
}

TEST(Manoeuvre, BAtTheOwnShipsPositionIsTooCloseAtTheGuardDistance) {
    PlotRecord r = crossing_exercise();
    r.rwp2 = 0.0;
    r.r2 = 0.0;
    r.tmm = r.tm2;
    r.scpa = 0.001;
    const Manoeuvre m = *solve_manoeuvre(r, solve_plot(r));
    EXPECT_EQ(m.rm, kDivisorGuard);
    EXPECT_EQ(m.outcome, Outcome::TooClose);
    EXPECT_EQ(m.zd, 0.0);
}

TEST(Manoeuvre, EachPairPutsTheSmallerTurnFirst) {
    const PlotRecord r = crossing_exercise();
    const Manoeuvre m = *solve_manoeuvre(r, solve_plot(r));
    ASSERT_EQ(m.outcome, Outcome::Courses);
    for (const TangentCourses* side : {&m.side1, &m.side2}) {
        ASSERT_EQ(side->hits.ier, 0);
        const double turn1 = std::fabs(std::remainder(side->course1 - m.aka, 360.0));
        const double turn2 = std::fabs(std::remainder(side->course2 - m.aka, 360.0));
        EXPECT_LE(turn1, turn2);
    }
}

}  // namespace
}  // namespace echo_track
