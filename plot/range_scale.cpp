#include "plot/range_scale.hpp"

#include <array>
#include <cmath>

namespace echo_track::plot {

RangeScale choose_range_scale(double extent, int max_rings) {
    if (!(extent > 0.0) || !std::isfinite(extent) || max_rings < 1) return RangeScale{};
    constexpr std::array<double, 4> kSteps = {1.0, 2.0, 2.5, 5.0};
    // The smallest interval that needs no more than max_rings rings gives the
    // finest rings that still reach the extent.
    for (int exponent = -1; exponent <= 300; ++exponent) {
        for (const double step : kSteps) {
            const double interval = step * std::pow(10.0, exponent);
            const double rings = std::ceil(extent / interval - 1e-9);
            if (rings <= max_rings) return RangeScale{interval, rings < 1.0 ? 1 : static_cast<int>(rings)};
        }
    }
    return RangeScale{5.0 * std::pow(10.0, 300), 1};  // only the largest doubles get here
}

}  // namespace echo_track::plot
