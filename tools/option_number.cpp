#include "tools/option_number.hpp"

#include <cstdlib>
#include <string>

namespace echo_track::tools {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Skips a run of digits from `at`; returns how many there were.
std::size_t skip_digits(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && is_digit(text[at])) ++at;
    return at - start;
}

bool skip_sign(std::string_view text, std::size_t& at) {
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
        return true;
    }
    return false;
}

}  // namespace

std::optional<double> option_number(std::string_view text) {
    std::size_t at = 0;
    skip_sign(text, at);
    std::size_t digits = skip_digits(text, at);
    if (at < text.size() && text[at] == '.') {
        ++at;
        digits += skip_digits(text, at);
    }
    if (digits == 0) return std::nullopt;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        skip_sign(text, at);
        if (skip_digits(text, at) == 0) return std::nullopt;
    }
    if (at != text.size()) return std::nullopt;
    // The text is now of the decimal form that strtod reads in the C locale,
    // which the program never leaves.
    const std::string whole(text);
    return std::strtod(whole.c_str(), nullptr);
}

}  // namespace echo_track::tools
