#pragma once
// The range rings about the own ship and the bearing scale round them, on
// which every plot of the house is drawn: the one-ship sheet and the traffic
// board letter them alike (rings, a tick every 10 degrees, labels every 30);
// a worksheet's plotting sheet has a degree scale for the student's own plot.

#include "page/drawing.hpp"
#include "plot/canvas.hpp"

namespace echo_track::plot {

// One range ring; the outermost is drawn heavier, as it carries the scale.
void add_range_ring(Canvas& canvas, page::PagePoint centre, double radius, bool outermost);

// A ring's distance in miles, written at the point `at` where the ring
// meets the diagonal chosen for it; " nm" after the outermost.
void add_ring_label(Canvas& canvas, page::PagePoint at, double nm, bool outermost);

// Length of the bearing tick at `bearing` (a multiple of 10), page units:
// longer every 30 degrees.
double bearing_tick_length(int bearing);

// The tick at `bearing` from the outer ring at `on_ring` out to `beyond`,
// labelled every 30 degrees.
void add_bearing_tick(Canvas& canvas, int bearing, page::PagePoint on_ring, page::PagePoint beyond);

// A worksheet's plotting sheet: `rings` rings `ring_nm` miles apart, the
// outermost `radius` page units about `centre`.
struct RingPlan {
    page::PagePoint centre;
    double radius = 0.0;
    double ring_nm = 2.0;
    int rings = 6;
};

// Its rings labelled just inside (the outermost just outside, with " nm"),
// dotted radials every 30 degrees, inside the outer ring a tick every degree
// (longer every 5 and 10) and a label every 10, and the own ship at the
// centre.
void add_degree_rose(const RingPlan& plan, page::Drawing& page);

}  // namespace echo_track::plot
