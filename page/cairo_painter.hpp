#pragma once
// Paints a laid-out page with cairo, as PNG or as PDF.

#include <stdexcept>
#include <string>
#include <vector>

#include "page/drawing.hpp"
#include "page/inks.hpp"
#include "page/paper.hpp"

namespace echo_track::page {

// A PNG has this many pixels per page unit: a 600 x 750 page is 1200 x 1500.
inline constexpr int kPngPixelsPerUnit = 2;

// Cairo could not draw or encode the picture.
class RenderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The date written into every PDF, in cairo's ISO 8601 form: the same pages
// give the same bytes.
inline constexpr const char* kFixedPdfDate = "2000-01-01T00:00:00Z";

// The drawing as a whole PNG file in memory, the drawing's own size.
std::string paint_png(const Drawing& drawing);

// The drawing as a one-page PDF of `paper` in memory, placed by place_on.
std::string paint_pdf(const Drawing& drawing, Paper paper);

// Several drawings as the pages of one PDF on `paper`, each placed by
// place_on; the document is titled `title`.
std::string paint_pdf_pages(const std::vector<Drawing>& pages, Paper paper, const std::string& title);

}  // namespace echo_track::page
