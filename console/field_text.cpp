#include "console/field_text.hpp"

#include <cstddef>

#include "console/formatted_layout.hpp"

namespace console {
namespace {

// Wide enough for any 32-bit integer with its sign, and for the pictures'
// coordinates and distances with two decimals.
constexpr int kFieldWidth = 24;

// The field without the blanks that right-align it.
std::string trimmed(const std::string& field) {
    const std::size_t first = field.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : field.substr(first);
}

}  // namespace

std::string whole_text(int value) {
    std::string field;
    append_iw(field, value, kFieldWidth);
    return trimmed(field);
}

std::string decimal_text(double value, int decimals) {
    std::string field;
    append_fwd(field, value, kFieldWidth, decimals);
    return trimmed(field);
}

std::string zero_padded(int value, int digits) {
    std::string text = whole_text(value);
    const auto wanted = static_cast<std::size_t>(digits);
    if (text.size() < wanted) text.insert(0, wanted - text.size(), '0');
    return text;
}

std::string degrees_text(int value) {
    if (value < 0 || value > 999) return whole_text(value) + "°";
    return zero_padded(value, 3) + "°";
}

std::string clock_text(int hour, int minute) {
    if (minute < 0) return whole_text(hour) + ":" + whole_text(minute);
    return whole_text(hour) + ":" + zero_padded(minute, 2);
}

}  // namespace console
