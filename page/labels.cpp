#include "plot/labels.hpp"

#include <cmath>
#include <cstddef>

#include "console/formatted_layout.hpp"

namespace echo_track::plot {
namespace {

// Wide enough for any 32-bit integer with its sign, and for the plot's
// distances with two decimals.
constexpr int kFieldWidth = 24;

// The field without the blanks that right-align it.
std::string trimmed(const std::string& field) {
    const std::size_t first = field.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : field.substr(first);
}

std::string zero_padded(int value, std::size_t digits) {
    std::string text = whole_text(value);
    if (text.size() < digits) text.insert(0, digits - text.size(), '0');
    return text;
}

}  // namespace

std::string whole_text(int value) {
    std::string field;
    console::append_iw(field, value, kFieldWidth);
    return trimmed(field);
}

std::string degrees_text(int value) {
    if (value < 0 || value > 999) return whole_text(value) + "°";
    return zero_padded(value, 3) + "°";
}

std::string decimal_text(double value, int decimals) {
    std::string field;
    console::append_fwd(field, value, kFieldWidth, decimals);
    return trimmed(field);
}

std::string miles_text(double value) {
    // The fewest decimals that give the value back. Fw.0 would keep its
    // decimal point ("3."), so whole miles are written as integers.
    const auto exact_with = [value](double scale) {
        return std::fabs(std::round(value * scale) / scale - value) < 1e-9 * (1.0 + std::fabs(value));
    };
    if (exact_with(1.0) && std::fabs(value) < 1e9) return whole_text(static_cast<int>(std::round(value)));
    if (exact_with(10.0)) return decimal_text(value, 1);
    return decimal_text(value, 2);
}

std::string clock_text(int hour, int minute) {
    if (minute < 0) return whole_text(hour) + ":" + whole_text(minute);
    return whole_text(hour) + ":" + zero_padded(minute, 2);
}

}  // namespace echo_track::plot
