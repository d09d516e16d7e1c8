#include "console/number_text.hpp"

#include <cstring>

#if ECHO_TRACK_PORTABLE_NUMBERS
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#else
#include <charconv>
#endif

namespace console {

#if ECHO_TRACK_PORTABLE_NUMBERS

namespace {

// snprintf's count, cut to what fits beside its terminating NUL.
std::size_t written(int count, std::size_t room) {
    if (count < 0 || room == 0) return 0;
    auto n = static_cast<std::size_t>(count);
    return n < room ? n : room - 1;
}

}  // namespace

std::size_t write_general9(char* out, std::size_t room, double magnitude) {
    return written(std::snprintf(out, room, "%.9g", magnitude), room);
}

__extension__ typedef unsigned __int128 Wide;

// The exact road for a magnitude below 2^53 and at most 18 decimals, which
// are what pictures and reports write: the double is m * 2^-s exactly, so
// its text with d decimals is m * 10^d / 2^s rounded to a whole number
// (half to even, as printf rounds an exact tie), all of it in 128-bit
// integers. The C library's printf works through long double, which the
// browser build emulates in software, some hundred times slower. Returns 0
// where it does not apply.
std::size_t exact_fixed(char* out, std::size_t room, double magnitude, int decimals) {
    if (!(magnitude >= 0.0 && magnitude < 9007199254740992.0) || decimals < 0 || decimals > 18) return 0;
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);  // magnitude = fraction * 2^exponent
    const auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - exponent;  // 0 and up, below 2^53
    Wide ten = 1;
    for (int k = 0; k < decimals; ++k) ten *= 10;
    const Wide scaled = static_cast<Wide>(m) * ten;  // below 2^113
    Wide q = 0;
    if (shift == 0) {
        q = scaled;
    } else if (shift < 128) {
        q = scaled >> shift;
        const Wide rest = scaled - (q << shift);
        const Wide half = static_cast<Wide>(1) << (shift - 1);
        if (rest > half || (rest == half && (q & 1) != 0)) ++q;
    }  // else below half of the last decimal's unit: all zeros
    char digits[48];
    char* const end = digits + sizeof digits;
    char* first = end;
    const auto d = static_cast<std::size_t>(decimals);
    do {
        *--first = static_cast<char>('0' + static_cast<int>(q % 10));
        q /= 10;
    } while (q != 0 || static_cast<std::size_t>(end - first) <= d);
    const std::size_t whole = static_cast<std::size_t>(end - first) - d;
    const std::size_t length = whole + (d == 0 ? 0 : 1 + d);
    if (length >= room) return 0;
    std::memcpy(out, first, whole);
    if (d == 0) return whole;
    out[whole] = '.';
    std::memcpy(out + whole + 1, first + whole, d);
    return length;
}

std::size_t write_fixed(char* out, std::size_t room, double magnitude, int decimals) {
    if (const std::size_t n = exact_fixed(out, room, magnitude, decimals); n > 0) return n;
    return written(std::snprintf(out, room, "%.*f", decimals, magnitude), room);
}

std::size_t write_shortest(char* out, std::size_t room, double value) {
    std::size_t n = 0;
    for (int digits = 1; digits <= 17; ++digits) {
        n = written(std::snprintf(out, room, "%.*g", digits, value), room);
        if (std::strtod(out, nullptr) == value) break;
    }
    return n;
}

DecimalValue decimal_to_double(std::string_view text, double& value) {
    char terminated[72];
    if (text.size() >= sizeof terminated) text = text.substr(0, sizeof terminated - 1);
    std::memcpy(terminated, text.data(), text.size());
    terminated[text.size()] = '\0';
    // The texts here always hold a non-zero digit: zero back means underflow,
    // an infinity overflow. A subnormal result counts as in range.
    const double result = std::strtod(terminated, nullptr);
    if (std::isinf(result)) return DecimalValue::Overflow;
    if (result == 0.0) return DecimalValue::Underflow;
    value = result;
    return DecimalValue::InRange;
}

#else

std::size_t write_general9(char* out, std::size_t room, double magnitude) {
    auto res = std::to_chars(out, out + room, magnitude, std::chars_format::general, 9);
    return res.ec == std::errc{} ? static_cast<std::size_t>(res.ptr - out) : 0;
}

std::size_t write_fixed(char* out, std::size_t room, double magnitude, int decimals) {
    auto res = std::to_chars(out, out + room, magnitude, std::chars_format::fixed, decimals);
    return res.ec == std::errc{} ? static_cast<std::size_t>(res.ptr - out) : 0;
}

std::size_t write_shortest(char* out, std::size_t room, double value) {
    std::size_t n = 0;
    for (int digits = 1; digits <= 17; ++digits) {
        auto res = std::to_chars(out, out + room, value, std::chars_format::general, digits);
        n = res.ec == std::errc{} ? static_cast<std::size_t>(res.ptr - out) : 0;
        double back = 0.0;
        if (std::from_chars(out, out + n, back).ec == std::errc{} && back == value) break;
    }
    return n;
}

DecimalValue decimal_to_double(std::string_view text, double& value) {
    double result = 0.0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), result);
    if (res.ec == std::errc::result_out_of_range) {
        // Which side: the digits before the exponent against the exponent.
        const char* e = static_cast<const char*>(std::memchr(text.data(), 'e', text.size()));
        const bool negative_exponent = e != nullptr && e + 1 < text.data() + text.size() && e[1] == '-';
        return negative_exponent ? DecimalValue::Underflow : DecimalValue::Overflow;
    }
    value = result;
    return DecimalValue::InRange;
}

#endif

}  // namespace console
