#pragma once
// The head of an arrow on a segment, the same for every painter of the page.

#include <algorithm>
#include <cmath>
#include <optional>

#include "page/drawing.hpp"

namespace echo_track::page {

// The head's tip (the segment's far end), the two corners of its base, and
// where the shaft stops: just past the base, so that the shaft's line end
// does not blunt the tip.
struct ArrowHead {
    PagePoint shaft_end;
    PagePoint tip;
    PagePoint left;
    PagePoint right;
};

// The head of `s`; none when the segment has no arrow or no length. It grows
// with the stroke's width but never takes more than 0.4 of the segment.
inline std::optional<ArrowHead> arrow_head(const SegmentShape& s) {
    const double dx = s.to.x - s.from.x;
    const double dy = s.to.y - s.from.y;
    const double length = std::hypot(dx, dy);
    if (!s.arrow || length <= 0.0) return std::nullopt;
    const double head = std::min(5.0 + 1.5 * s.stroke.width, 0.4 * length);
    const double ux = dx / length;
    const double uy = dy / length;
    const double base_x = s.to.x - head * ux;
    const double base_y = s.to.y - head * uy;
    const double half = 0.38 * head;
    return ArrowHead{{base_x + 0.5 * ux, base_y + 0.5 * uy},
                     s.to,
                     {base_x - half * uy, base_y + half * ux},
                     {base_x + half * uy, base_y - half * ux}};
}

}  // namespace echo_track::page
