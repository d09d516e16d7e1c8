#pragma once
// Puts labels beside the points they name without printing one over another
// or over a marker, the way a navigator would letter a crowded plot.

#include <string>

#include "page/box.hpp"
#include "page/box_grid.hpp"
#include "page/drawing.hpp"

namespace echo_track::page {

// The label beside `p`, off in the direction of `bearing` (degrees true on
// the page: 000 up, 090 right) by `gap` page units, aligned so that the text
// grows away from the point.
TextShape label_toward(PagePoint p, double bearing, double gap, std::string text, Ink ink, double size);

// The page area a label will roughly cover. The layout knows no font, so the
// width is estimated from the number of characters.
Box text_box(const TextShape& t);

class LabelPlacer {
public:
    // A label or marker that stays where it is; later labels keep off it.
    void keep_clear(const Box& box) { taken_.add(box); }
    void keep_clear(PagePoint p, double radius) { taken_.add(Box::around(p, radius)); }

    // The label beside `p`, in the first direction, turning away from
    // `bearing` step by step either way, and then further out, where it
    // covers nothing placed before; if the plot is full, in `bearing`.
    TextShape place(PagePoint p, double bearing, std::string text, Ink ink, double size);

private:
    BoxGrid taken_;
};

}  // namespace echo_track::page
