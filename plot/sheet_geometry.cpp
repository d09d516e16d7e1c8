#include "plot/sheet_geometry.hpp"

#include <algorithm>
#include <cmath>

#include "plot/page_terms.hpp"

namespace echo_track::plot {

double norm(Point p) { return std::sqrt(p.x * p.x + p.y * p.y); }
double dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
Point minus(Point a, Point b) { return Point{a.x - b.x, a.y - b.y}; }
double page_distance(PagePoint a, PagePoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

double run_to_edge(Point from, Point u, double radius) {
    const double b = dot(from, u);
    const double disc = b * b - (dot(from, from) - radius * radius);
    return disc < 0.0 ? 0.0 : -b + std::sqrt(disc);
}

double bearing_gap(double a, double b) {
    const double d = std::fabs(std::fmod(a - b, 360.0));
    return d > 180.0 ? 360.0 - d : d;
}

Ink side_ink(Side side) { return side == Side::Starboard ? Ink::Starboard : Ink::Port; }

double plot_extent(const PlotRecord& record, const PlotSolution& plot, const std::optional<Manoeuvre>& m) {
    double extent = std::max({norm(plot.p1), norm(plot.p2), record.scpa});
    if (!m) return extent;
    extent = std::max({extent, norm(plot.fus), norm(m->bm)});
    if (m->outcome != Outcome::Courses) return extent;
    for (const TangentCourses* side : {&m->side1, &m->side2}) {
        if (side->hits.ier != 0) continue;
        extent = std::max({extent, norm(vecpkt(plot.fus, side->course1, plot.da)),
                           norm(vecpkt(plot.fus, side->course2, plot.da))});
    }
    return extent;
}

double clearest_diagonal(const std::vector<double>& busy_bearings) {
    double best = 135.0;
    double best_gap = -1.0;
    for (const double diagonal : {135.0, 225.0, 45.0, 315.0}) {
        double gap = 180.0;
        for (const double b : busy_bearings) gap = std::min(gap, bearing_gap(diagonal, b));
        if (gap > best_gap + 1e-9) {
            best = diagonal;
            best_gap = gap;
        }
    }
    return best;
}

}  // namespace echo_track::plot
