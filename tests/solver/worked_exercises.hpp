#pragma once
// The two worked exercises that the solver tests share.

#include "solver/plot_record.hpp"

namespace echo_track::worked {

// The default exercise of a first run, the manoeuvre time set to 13:06.
inline PlotRecord default_exercise() {
    PlotRecord r;
    r.tmh = 13.0;
    r.tmm = 6.0;
    return r;
}

// KA 0, VA 12; B at 10:00 on 045 at 8.0 and at 10:12 on 040 at 6.5; a CPA
// of 3.0 wanted, manoeuvre at 10:18.
inline PlotRecord crossing_exercise() {
    PlotRecord r;
    r.aka = 0.0;
    r.va = 12.0;
    r.th1 = 10.0;
    r.tm1 = 0.0;
    r.th2 = 10.0;
    r.tm2 = 12.0;
    r.tmh = 10.0;
    r.tmm = 18.0;
    r.rwp1 = 45.0;
    r.r1 = 8.0;
    r.rwp2 = 40.0;
    r.r2 = 6.5;
    r.scpa = 3.0;
    return r;
}

// The crossing exercise moved so that B-2 lies due north at 2.5 miles, with
// no delay and 2.5 miles wanted: B is exactly at the required distance.
inline PlotRecord b_exactly_at_required_distance() {
    PlotRecord r = crossing_exercise();
    r.rwp1 = 10.0;
    r.r1 = 4.0;
    r.rwp2 = 0.0;
    r.r2 = 2.5;
    r.tmm = r.tm2;
    r.scpa = 2.5;
    return r;
}

}  // namespace echo_track::worked
