#include "console/short_decimal.hpp"

#include <cstdint>
#include <cstring>

namespace console {

namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// Below this k the double nearest to k / 10^d lies so close to it (within
// 1e-16 relative) that rounding to d decimals cannot leave k / 10^d.
constexpr double kLargestWhole = 1e15;

}  // namespace

std::size_t write_short_decimal(char* out, double magnitude, int decimals) {
    if (decimals < 0 || decimals > 9) return 0;
    const double scale = kPowersOfTen[decimals];
    const double scaled = magnitude * scale;
    if (!(scaled >= 0.0 && scaled < kLargestWhole)) return 0;  // NaN fails too
    // The candidate k; it counts only if k / 10^d gives back the very double.
    const auto k = static_cast<std::uint64_t>(scaled + 0.5);
    if (static_cast<double>(k) / scale != magnitude) return 0;

    // The digits of k from the right, at least one more than the decimals so
    // that a value below 1 keeps its zero before the point.
    char digits[24];
    char* const end = digits + sizeof digits;
    char* first = end;
    const auto d = static_cast<std::size_t>(decimals);
    std::uint64_t rest = k;
    do {
        *--first = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0 || static_cast<std::size_t>(end - first) <= d);

    const std::size_t whole = static_cast<std::size_t>(end - first) - d;  // digits before the point
    std::memcpy(out, first, whole);
    if (d == 0) return whole;
    out[whole] = '.';
    std::memcpy(out + whole + 1, first + whole, d);
    return whole + 1 + d;
}

}  // namespace console
