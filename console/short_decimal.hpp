#pragma once
// The quick road to the text of the values the reports print most: whole
// numbers and values rounded to a few decimals. Such a value is the double
// nearest to k / 10^d for a whole k, and its correctly rounded text with d
// decimals is simply the digits of k with a point put in; no general
// binary-to-decimal conversion is needed.

#include <cstddef>

namespace console {

// Room that write_short_decimal may fill.
inline constexpr std::size_t kShortDecimalRoom = 32;

// If `magnitude` (not negative) is the double nearest to k / 10^decimals for
// a whole k below 10^15, writes it with exactly `decimals` decimals ("12.3",
// "0.05", "300" for no decimals) and returns the length; the text is then
// the value rounded to that many decimals, exactly. Otherwise, or for
// `decimals` outside 0..9, writes nothing and returns 0.
std::size_t write_short_decimal(char* out, double magnitude, int decimals);

}  // namespace console
