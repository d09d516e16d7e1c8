#pragma once
// The colour each ink of the page is painted in, by every back end alike.

#include "page/drawing.hpp"

namespace echo_track::page {

// An 8-bit sRGB colour.
struct Rgb {
    unsigned char r = 0;
    unsigned char g = 0;
    unsigned char b = 0;
};

// The colour each ink is painted in.
Rgb ink_colour(Ink ink);

// The font the labels are set in, and its ascent and descent as fractions of
// the font size (what the back ends align text by).
inline constexpr const char* kFontFamily = "DejaVu Sans";
inline constexpr double kFontAscent = 0.928;
inline constexpr double kFontDescent = 0.236;

// The paper-coloured outline that keeps labels readable over lines.
inline constexpr double kHaloWidth = 2.6;

// Labels get a halo; the title and legend stand on bare paper.
inline bool has_halo(Role role) { return role != Role::Title && role != Role::Legend; }

}  // namespace echo_track::page
