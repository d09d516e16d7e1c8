#pragma once
// The relative-motion plot of one solved exercise laid out on a page, the way
// a plotting sheet shows it: north up, own ship A at the centre, range rings
// and bearing scale, B's plotted positions and relative track with its CPA,
// the velocity triangle, and the evasive manoeuvre's tangents and courses.

#include <optional>

#include "page/drawing.hpp"
#include "solver/manoeuvre.hpp"
#include "solver/plot_record.hpp"
#include "solver/plot_solution.hpp"

namespace echo_track::plot {

// The page, in points (1/72 inch).
inline constexpr double kPageWidth = 600.0;
inline constexpr double kPageHeight = 750.0;

// Lays out the exercise `record` with its plot solution and, unless both
// observations were taken at the same time, its manoeuvre. The outcome
// decides how far the drawing goes: a ship already too close or no danger
// gets no tangents and no new courses, simultaneous observations only their
// two positions; the title says which.
page::Drawing layout_plot(const PlotRecord& record, const PlotSolution& plot, const std::optional<Manoeuvre>& manoeuvre);

}  // namespace echo_track::plot
