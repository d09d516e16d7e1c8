#pragma once
// The laid-out page written as SVG text directly, without a drawing library:
// what echo-track-plot writes for ".svg" and what the browser page shows.
// Its labels are real text elements, so the picture can be searched and read.

#include <string>

#include "page/drawing.hpp"

namespace echo_track::page {

// The whole SVG document of the drawing: one element per primitive, in
// painting order, each with the class of its role ("b1", "cpa-point",
// "proposed-course", ...); page units become SVG user units (and points for
// the document's size).
std::string svg_page(const Drawing& drawing);

}  // namespace echo_track::page
