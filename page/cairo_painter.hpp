#pragma once
// Paints a laid-out drawing with cairo as SVG, PNG or PDF.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "plot/inks.hpp"
#include "plot/page.hpp"
#include "plot/paper.hpp"

namespace echo_track::plot {

enum class Format { Svg, Png, Pdf };

// The format named by a file name's extension (".svg", ".png", ".pdf", in
// any letter case); none for any other name.
std::optional<Format> format_for(std::string_view path);

// A PNG has this many pixels per page unit: a 600 x 750 page is 1200 x 1500.
inline constexpr int kPngPixelsPerUnit = 2;

// Cairo could not draw or encode the picture.
class RenderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The drawing encoded as a whole file of the given format, in memory. SVG and
// PNG are the drawing's own size; a PDF is one page of `paper`, the drawing
// placed on it by place_on.
std::string render(const Drawing& drawing, Format format, Paper paper = Paper::A4);

// The date written into a PDF document made of several pages, in cairo's
// ISO 8601 form.
inline constexpr const char* kFixedPdfDate = "2000-01-01T00:00:00Z";

// Several drawings as the pages of one PDF on `paper`, each placed by
// place_on; the document is titled `title` and dated kFixedPdfDate, so the
// same pages give the same bytes.
std::string render_pdf_pages(const std::vector<Drawing>& pages, Paper paper, const std::string& title);

}  // namespace echo_track::plot
