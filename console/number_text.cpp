#include "console/number_text.hpp"

#include <cstring>

#if ECHO_TRACK_PORTABLE_NUMBERS
#include <cmath>
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

std::size_t write_fixed(char* out, std::size_t room, double magnitude, int decimals) {
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
