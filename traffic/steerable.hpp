#pragma once
// Courses and speeds as they are set on the bridge and printed: to a given
// number of decimals, and only where the exact figure says they belong.

#include <cmath>
#include <optional>

#include "traffic/clear_spans.hpp"

namespace echo_track::traffic {

// The part of [from, to] from its first to its last multiple of
// 10^-decimals (strictly between the ends when `open`: the ends of a blocked
// arc clear); none when it holds no such multiple.
inline std::optional<Span> inward(double from, double to, int decimals, bool open) {
    const double scale = std::pow(10.0, decimals);
    double low = std::ceil(from * scale);
    double high = std::floor(to * scale);
    if (open && low / scale <= from) low += 1.0;
    if (open && high / scale >= to) high -= 1.0;
    if (low / scale < from) low += 1.0;  // rounding of the product
    if (high / scale > to) high -= 1.0;
    if (low > high) return std::nullopt;
    return Span{low / scale, high / scale};
}

}  // namespace echo_track::traffic
