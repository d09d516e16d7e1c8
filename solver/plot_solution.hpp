#pragma once
// The solution of the relative-motion plot: from own ship A's course and speed
// and two radar observations of ship B, B's relative track, its closest point
// of approach, and its true course and speed.

#include "solver/kernel.hpp"
#include "solver/plot_record.hpp"

namespace echo_track {

// The figures of the plot report, rounded as printed: courses and bearings to
// whole degrees as 32-bit integers, speeds and distances to one decimal.
struct PlotFigures {
    int ka = 0;          // own course KA
    double vaq = 0.0;    // own speed VA
    int nth1 = 0;        // clock of B-1, hour and minute (not rounded)
    int ntm1 = 0;
    int nrwp1q = 0;      // true bearing at B-1
    double rr1 = 0.0;    // distance at B-1
    int nth2 = 0;        // clock of B-2
    int ntm2 = 0;
    int nrwp2q = 0;      // true bearing at B-2
    double rr2 = 0.0;    // distance at B-2
    int kbr = 0;         // relative course KBr
    double vbrq = 0.0;   // relative speed VBr
    int ncpapq = 0;      // bearing of the CPA
    double cparq = 0.0;  // CPA distance; also decides "no danger"
    int kb = 0;          // true course KB
    double vbq = 0.0;    // true speed VB
};

// Everything the plot solution computes, in the plot frame of the kernel (own
// ship A at the origin, nautical miles). Times are minutes after 00:00 of the
// first day, without a wrap at midnight.
struct PlotSolution {
    double t1 = 0.0;  // time of B-1
    double t2 = 0.0;  // time of B-2
    double tm = 0.0;  // time of the manoeuvre
    double dt = 0.0;  // minutes between the observations the shorter way round the clock, never negative

    // Both observations at the same time: no speeds can be found, so `vbr`,
    // `vb` and their figures are NaN, and there is no manoeuvre to compute.
    bool simultaneous = false;

    Point p1;          // B's plotted position at B-1, (x1, y1)
    Point p2;          // B's plotted position at B-2, (x2, y2)
    double dx = 0.0;   // B's relative run from p1 to p2
    double da = 0.0;   // A's own run in dt
    double vbr = 0.0;  // relative speed VBr, knots
    double akbr = 0.0; // relative course KBr: from p1 towards p2
    double cpap = 0.0; // bearing from A to B's closest point of approach
    double cpar = 0.0; // CPA distance: A's distance from the whole relative track line
    double akai = 0.0; // reciprocal of A's course
    Point fus;         // foot point (xfus, yfus): p1 moved back along A's course by da
    double db = 0.0;   // B's true run in dt, from the foot point to p2
    double akb = 0.0;  // true course KB
    double vb = 0.0;   // true speed VB, knots

    PlotFigures figures;
};

// Solves the plot of the record's two observations. Reads `aka`, `va`, the
// observation times, bearings and distances and the manoeuvre time; changes
// nothing. Whatever the order of the two times, the relative track runs from
// the B-1 position to the B-2 position.
PlotSolution solve_plot(const PlotRecord& record);

}  // namespace echo_track
