#pragma once
// The printed plotting sheet of a worksheet: the rose of range rings and
// degrees (plot/range_rose.hpp), and below it a miles scale and a
// logarithmic time-speed-distance scale for use with dividers.

#include "page/drawing.hpp"
#include "plot/range_rose.hpp"

namespace echo_track::sheets {

using plot::RingPlan;

// A bar of the rings' scale, from 0 to the `rings`-th ring, starting at `left`.
void draw_miles_scale(const RingPlan& plan, int rings, page::PagePoint left, page::Drawing& page);

// The logarithmic scale from 1 to 60, `length` page units long.
void draw_log_scale(page::PagePoint left, double length, page::Drawing& page);

}  // namespace echo_track::sheets
