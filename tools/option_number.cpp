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

std::optional<std::uint64_t> option_whole(std::string_view text, std::uint64_t low, std::uint64_t high) {
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (!is_digit(c)) return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (UINT64_MAX - digit) / 10) return std::nullopt;  // past the largest whole number
        value = value * 10 + digit;
    }
    if (value < low || value > high) return std::nullopt;
    return value;
}

}  // namespace echo_track::tools
