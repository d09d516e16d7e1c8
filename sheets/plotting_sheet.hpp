#pragma once
// The printed plotting sheet of a worksheet: range rings about the own
// ship, a bearing scale round the edge, and below them a miles scale and a
// logarithmic time-speed-distance scale for use with dividers.

#include "plot/page.hpp"

namespace echo_track::sheets {

// Rings every `ring_nm` miles, `rings` of them, the outermost of `radius`
// page units about `centre`.
struct RingPlan {
    plot::PagePoint centre;
    double radius = 0.0;
    double ring_nm = 2.0;
    int rings = 6;
};

// Rings of 1 nm when every range is within 6 nm, of 2 nm otherwise.
double ring_interval_for(double farthest_nm);

void draw_rings_and_bearings(const RingPlan& plan, plot::Drawing& page);

// A bar of the rings' scale, from 0 to the outermost ring, starting at `left`.
void draw_miles_scale(const RingPlan& plan, plot::PagePoint left, plot::Drawing& page);

// The logarithmic scale from 1 to 60, `length` page units long.
void draw_log_scale(plot::PagePoint left, double length, plot::Drawing& page);

}  // namespace echo_track::sheets
