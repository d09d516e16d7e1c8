#pragma once
// An upright rectangle of the page: what a label covers, where a drawing is
// set, how far a drawing reaches.

#include <algorithm>
#include <limits>

#include "page/drawing.hpp"

namespace echo_track::page {

struct Box {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;

    double width() const { return right - left; }
    double height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }

    // The square of half-side `radius` about `p`.
    static Box around(PagePoint p, double radius) { return Box{p.x - radius, p.y - radius, p.x + radius, p.y + radius}; }

    // A box that holds nothing yet; `add` grows it.
    static Box nothing() {
        constexpr double kFar = std::numeric_limits<double>::max();
        return Box{kFar, kFar, -kFar, -kFar};
    }
    void add(double x, double y) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
};

// The two boxes share more than an edge.
inline bool overlap(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace echo_track::page
