#pragma once
// The paper a PDF is printed on, and where the drawing goes on it.

#include <optional>
#include <string_view>

#include "page/drawing.hpp"

namespace echo_track::page {

enum class Paper { A4, Letter };

// The paper called "a4" or "letter", in any letter case; none for any other name.
std::optional<Paper> paper_named(std::string_view name);

// A sheet's size in page units (points of 1/72 inch), portrait.
struct PaperSize {
    double width = 0.0;
    double height = 0.0;
};

PaperSize paper_size(Paper paper);

// Blank border kept on every side of the sheet, in page units (half an inch).
inline constexpr double kPaperMargin = 36.0;

// The drawing scaled by `scale` and moved by (`left`, `top`): as large as fits
// inside the margins with its shape kept, and centred on the sheet.
struct Placement {
    double scale = 1.0;
    double left = 0.0;
    double top = 0.0;
};

Placement place_on(const Drawing& drawing, PaperSize sheet);

}  // namespace echo_track::page
