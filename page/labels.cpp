#include "page/labels.hpp"

#include <cmath>

#include "console/field_text.hpp"

namespace echo_track::page {

std::string miles_text(double value) {
    // The fewest decimals that give the value back. Fw.0 would keep its
    // decimal point ("3."), so whole miles are written as integers.
    const auto exact_with = [value](double scale) {
        return std::fabs(std::round(value * scale) / scale - value) < 1e-9 * (1.0 + std::fabs(value));
    };
    if (exact_with(1.0) && std::fabs(value) < 1e9) return console::whole_text(static_cast<int>(std::round(value)));
    if (exact_with(10.0)) return console::decimal_text(value, 1);
    return console::decimal_text(value, 2);
}

}  // namespace echo_track::page
