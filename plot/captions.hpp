#pragma once
// The title lines of the picture: the exercise, its plot solution and what
// the manoeuvre comes to, with the figures as the reports round them.

#include <optional>
#include <string>
#include <vector>

#include "solver/manoeuvre.hpp"
#include "solver/plot_record.hpp"
#include "solver/plot_solution.hpp"

namespace echo_track::plot {

// The first line is the heading; then the exercise, the solution, the
// outcome and, with new courses, the advice from B's relative bearing. The
// lines from the outcome on are the ones to stand out.
struct Title {
    std::vector<std::string> lines;
    std::size_t outcome_from = 0;  // index of the first outcome line
};
Title title_lines(const PlotRecord& record, const PlotSolution& plot, const std::optional<Manoeuvre>& manoeuvre);

// The side of a turn as the picture names it: "StB" or "BB".
std::string side_name(Side side);

// A proposed own course as its vector is labelled: side and course, "StB 053°".
std::string course_label(Side side, double pqil);

}  // namespace echo_track::plot
