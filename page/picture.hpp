#pragma once
// A page as the bytes of a picture file of a chosen format.

#include <string>

#include "page/drawing.hpp"
#include "page/paper.hpp"
#include "page/picture_format.hpp"

namespace echo_track::page {

// SVG is written directly, with real text, the drawing's own size; cairo
// paints PNG (the drawing's own size) and PDF (one page of `paper`). Throws
// RenderError when cairo fails.
std::string encode_picture(const Drawing& drawing, Format format, Paper paper);

}  // namespace echo_track::page
