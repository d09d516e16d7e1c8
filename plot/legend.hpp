#pragma once
// The legend at the foot of the plotting sheet: a sample of each kind of
// figure with its meaning.

#include <vector>

#include "page/drawing.hpp"

namespace echo_track::plot {

// Appends the legend's samples and texts, in two columns.
void add_legend(std::vector<page::Shape>& shapes);

}  // namespace echo_track::plot
