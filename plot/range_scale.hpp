#pragma once
// The range rings of the plot: how far apart and how many.

namespace echo_track::plot {

struct RangeScale {
    double interval = 1.0;  // nautical miles between rings
    int rings = 1;          // the outermost ring is at rings * interval
};

// The fewest-rings choice that reaches `extent` nautical miles with at most
// `max_rings` rings, the interval taken from the plotting-sheet series
// 1, 2, 2.5, 5 times a power of ten, from 0.1 mile upward. A
// non-positive or non-finite extent gets a single ring of 1 mile.
RangeScale choose_range_scale(double extent, int max_rings);

}  // namespace echo_track::plot
