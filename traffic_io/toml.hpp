#pragma once
// toml++ as every file of the project includes it. The browser build's C++
// library (emscripten's libc++) has std::from_chars and std::to_chars for
// integers only. Without them for double, toml++ reads and writes floats
// through string streams, which bring the whole of the locale and iostream
// code into the module (some 30 KB compressed); on emscripten it takes the
// string streams for integers too, unless told otherwise. There it is given
// the floating-point functions below, on the road the console takes for
// number text in that build (strtod, snprintf), and told to take the
// library's integer ones. They are declared in namespace std, where toml++
// calls them, because no other name reaches its calls; a later libc++ that
// has them makes this declaration clash, and then the block is to go.

#if defined(__EMSCRIPTEN__)
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <system_error>
#include <type_traits>

#include "console/number_text.hpp"

namespace std {

// The decimal number toml++ has checked and stripped of its sign and
// underscores: digits, a point, an exponent.
inline from_chars_result from_chars(const char* first, const char* last, double& value) {
    char terminated[128];
    const auto length = static_cast<size_t>(last - first);
    if (length == 0 || length >= sizeof terminated) return {first, errc::invalid_argument};
    memcpy(terminated, first, length);
    terminated[length] = '\0';
    char* end = nullptr;
    errno = 0;
    const double read = strtod(terminated, &end);
    if (end == terminated) return {first, errc::invalid_argument};
    if (errno == ERANGE && isinf(read)) return {first + (end - terminated), errc::result_out_of_range};
    value = read;
    return {first + (end - terminated), errc{}};
}

// The shortest text that reads back to the value; or with `precision`
// digits in the given format, as printf writes it.
template <typename F, enable_if_t<is_floating_point_v<F>, int> = 0>
to_chars_result to_chars(char* first, char* last, F value, chars_format format = chars_format::general, int precision = -1) {
    char text[400];
    size_t n = 0;
    const bool hex = format == chars_format::hex;
    if (precision < 0 && !hex && is_same_v<F, double>) {
        n = console::write_shortest(text, sizeof text, static_cast<double>(value));
    } else if (precision < 0 && !hex) {
        for (int digits = 1; digits <= 9; ++digits) {
            n = static_cast<size_t>(snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value)));
            if (static_cast<F>(strtod(text, nullptr)) == value) break;
        }
    } else {
        const char* form = hex ? "%.*a" : format == chars_format::fixed ? "%.*f" : format == chars_format::scientific ? "%.*e" : "%.*g";
        if (hex && precision < 0) form = "%a";
        const int written = hex && precision < 0 ? snprintf(text, sizeof text, form, static_cast<double>(value))
                                                 : snprintf(text, sizeof text, form, precision, static_cast<double>(value));
        n = written < 0 ? 0 : static_cast<size_t>(written);
    }
    if (n == 0 || n >= sizeof text || static_cast<ptrdiff_t>(n) > last - first) return {last, errc::value_too_large};
    memcpy(first, text, n);
    return {first + n, errc{}};
}

}  // namespace std

#define TOML_FLOAT_CHARCONV 1
// (toml++ takes emscripten's integer conversions for missing as well: they
// are there, and spare the streams too)
#define TOML_INT_CHARCONV 1
#endif

#include <toml++/toml.h>
