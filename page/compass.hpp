#pragma once
// Bearings on the page, as on a plotting sheet: 000 up, 090 to the right.

#include <cmath>
#include <numbers>

#include "page/drawing.hpp"

namespace echo_track::page {

inline constexpr double kPi = std::numbers::pi;
inline constexpr double kDegree = kPi / 180.0;

// The point `distance` page units from `from` along the true bearing `bearing`.
inline PagePoint toward(PagePoint from, double bearing, double distance) {
    return PagePoint{from.x + distance * std::sin(bearing * kDegree), from.y - distance * std::cos(bearing * kDegree)};
}

}  // namespace echo_track::page
