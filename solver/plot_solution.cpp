#include "solver/plot_solution.hpp"

#include <cmath>
#include <limits>

#include "solver/integer_copy.hpp"

namespace echo_track {

namespace {

constexpr double kMinutesPerDay = 1440.0;
constexpr double kHalfDay = 720.0;

// Minutes from t1 to t2 taken the shorter way round the clock, so that B-1 at
// 23:56 and B-2 at 00:02 are six minutes apart, not 1434.
double clock_interval(double t1, double t2) {
    double d = t2 - t1;
    if (d > kHalfDay) d = d - kMinutesPerDay;
    if (d < -kHalfDay) d = d + kMinutesPerDay;
    return d;
}

PlotFigures round_figures(const PlotRecord& record, const PlotSolution& plot) {
    PlotFigures f;
    f.ka = to_int32(round(record.aka, 0));
    f.vaq = round(record.va, 1);
    f.nrwp1q = to_int32(round(record.rwp1, 0));
    f.nrwp2q = to_int32(round(record.rwp2, 0));
    f.kbr = to_int32(round(plot.akbr, 0));
    f.vbrq = round(plot.vbr, 1);
    f.ncpapq = to_int32(round(plot.cpap, 0));
    f.cparq = round(plot.cpar, 1);
    f.kb = to_int32(round(plot.akb, 0));
    f.vbq = round(plot.vb, 1);
    f.rr1 = round(record.r1, 1);
    f.rr2 = round(record.r2, 1);
    f.nth1 = to_int32(record.th1);
    f.ntm1 = to_int32(record.tm1);
    f.nth2 = to_int32(record.th2);
    f.ntm2 = to_int32(record.tm2);
    return f;
}

}  // namespace

PlotSolution solve_plot(const PlotRecord& record) {
    PlotSolution s;
    s.t1 = record.th1 * 60.0 + record.tm1;
    s.t2 = record.th2 * 60.0 + record.tm2;
    s.tm = record.tmh * 60.0 + record.tmm;
    s.dt = std::fabs(clock_interval(s.t1, s.t2));
    s.simultaneous = (s.dt == 0.0);

    s.p1 = pepos(record.rwp1, record.r1);
    s.p2 = pepos(record.rwp2, record.r2);
    s.dx = std::sqrt((s.p1.x - s.p2.x) * (s.p1.x - s.p2.x) + (s.p1.y - s.p2.y) * (s.p1.y - s.p2.y));
    s.da = (record.va * s.dt) / 60.0;
    s.vbr = s.simultaneous ? std::numeric_limits<double>::quiet_NaN() : (s.dx * 60.0) / s.dt;
    s.akbr = peilg(s.p1, s.p2);
    const Polar closest = cpa(Point{0.0, 0.0}, s.p1, s.akbr);
    s.cpap = closest.rwp;
    s.cpar = closest.r;

    // B's true run is its relative run plus A's own run: step back from the
    // B-1 position along A's reversed course, then draw to the B-2 position.
    s.akai = record.aka + 180.0;
    wnorm(s.akai);
    s.fus = vecpkt(s.p1, s.akai, s.da);
    s.db = std::sqrt((s.fus.x - s.p2.x) * (s.fus.x - s.p2.x) + (s.fus.y - s.p2.y) * (s.fus.y - s.p2.y));
    s.akb = peilg(s.fus, s.p2);
    s.vb = s.simultaneous ? std::numeric_limits<double>::quiet_NaN() : (s.db * 60.0) / s.dt;

    s.figures = round_figures(record, s);
    return s;
}

}  // namespace echo_track
