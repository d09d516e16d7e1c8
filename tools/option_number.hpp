#pragma once
// Numbers on the command line, read as a person types them.

#include <cstdint>
#include <optional>
#include <string_view>

namespace echo_track::tools {

// The value of `text` when it is a number: an optional sign, digits with an
// optional decimal point (5, 5., .5, -0.5) and an optional exponent (e or E,
// an optional sign, digits). None for anything else: the empty text, blanks,
// hexadecimal, inf, nan, or anything after the number.
std::optional<double> option_number(std::string_view text);

// The value of `text` when it is a whole number from `low` to `high` written
// in decimal digits alone (010 is ten). None for anything else: the empty
// text, a sign, blanks, hexadecimal, or a number out of the range.
std::optional<std::uint64_t> option_whole(std::string_view text, std::uint64_t low, std::uint64_t high);

}  // namespace echo_track::tools
