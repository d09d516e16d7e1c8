#pragma once
// The plot frame on the page: the scale from nautical miles to points, and
// the small vector sums the sheet's layout needs (x north, y east, own ship A
// at the origin, as the solver has it).

#include <optional>
#include <vector>

#include "page/drawing.hpp"
#include "solver/kernel.hpp"
#include "solver/manoeuvre.hpp"
#include "solver/plot_record.hpp"
#include "solver/plot_solution.hpp"

namespace echo_track::plot {

double norm(Point p);
double dot(Point a, Point b);
Point minus(Point a, Point b);
double page_distance(page::PagePoint a, page::PagePoint b);

// How far from `from` along the unit direction `u` the line leaves the disc
// of radius `radius` about A; 0 when it misses the disc.
double run_to_edge(Point from, Point u, double radius);

// Smallest angle between two bearings, 0..180.
double bearing_gap(double a, double b);

// The ink of a side's courses and tangent.
page::Ink side_ink(Side side);

// Scales the plot frame onto the page: north up, east to the right.
class Sheet {
public:
    Sheet(page::PagePoint centre, double miles) : centre_(centre), miles_(miles) {}
    page::PagePoint at(Point p) const { return page::PagePoint{centre_.x + p.y * miles_, centre_.y - p.x * miles_}; }
    double length(double nm) const { return nm * miles_; }

private:
    page::PagePoint centre_;
    double miles_;
};

// How far out the figures reach, in nautical miles: the rings must hold them.
double plot_extent(const PlotRecord& record, const PlotSolution& plot, const std::optional<Manoeuvre>& m);

// The ring distances go along the diagonal that stays clearest of the
// directions in which the figures lie.
double clearest_diagonal(const std::vector<double>& busy_bearings);

}  // namespace echo_track::plot
