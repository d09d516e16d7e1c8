#pragma once
// The general conversions between doubles and decimal text that the layouts
// and the number reader fall back on. Two interchangeable roads: the C++
// library's std::to_chars / std::from_chars, or, where a C++ library lacks
// them for floating point, the C library's snprintf / strtod (chosen at build
// time by ECHO_TRACK_PORTABLE_NUMBERS). Both give the same bytes.

#include <cstddef>
#include <string_view>

namespace console {

// Writes `magnitude` as "%.9g" does (at most nine significant digits, lower
// case "e", at least two exponent digits) into `out`, which has `room` chars;
// returns the length. The longest text, "1.23456789e-308", needs 15.
std::size_t write_general9(char* out, std::size_t room, double magnitude);

// Writes `magnitude` (not negative, finite) correctly rounded to `decimals`
// decimals in fixed form, as "%.*f" does, into `out` with `room` chars;
// returns the length. A value of 1e308 with 40 decimals needs 350.
std::size_t write_fixed(char* out, std::size_t room, double magnitude, int decimals);

// Writes `value` (finite) with the fewest significant digits, as "%.*g"
// writes them, that read back to the same double: "2.3", "360", "1e-07";
// returns the length. `room` of 32 is always enough.
std::size_t write_shortest(char* out, std::size_t room, double value);

// What a decimal text converts to.
enum class DecimalValue { InRange, Overflow, Underflow };

// Converts a text of digits and an exponent ("12345e-3", at most 64 chars)
// to the nearest double in `value`; beyond the range of a double it says so
// and leaves `value` alone.
DecimalValue decimal_to_double(std::string_view text, double& value);

}  // namespace console
