#include "console/formatted_layout.hpp"

#include <charconv>
#include <cmath>
#include <string_view>

#include "console/number_text.hpp"
#include "console/short_decimal.hpp"

namespace console {

namespace {

void append_right_aligned(std::string& out, std::string_view text, int width) {
    auto w = static_cast<std::size_t>(width < 0 ? 0 : width);
    if (text.size() > w) {
        out.append(w, '*');
        return;
    }
    out.append(w - text.size(), ' ');
    out.append(text);
}

bool all_zero_digits(std::string_view text) {
    for (char c : text)
        if (c >= '1' && c <= '9') return false;
    return true;
}

}  // namespace

void append_iw(std::string& out, int value, int width) {
    char text[16];
    auto res = std::to_chars(text, text + sizeof text, value);
    append_right_aligned(out, std::string_view(text, static_cast<std::size_t>(res.ptr - text)), width);
}

void append_fwd(std::string& out, double value, int width, int decimals) {
    if (std::isnan(value)) {
        append_right_aligned(out, "NaN", width);
        return;
    }
    if (std::isinf(value)) {
        append_right_aligned(out, value < 0 ? "-Inf" : "Inf", width);
        return;
    }
    // Room for the 309 digits of the largest double, the point and the decimals.
    char text[400];
    text[0] = '-';
    char* digits = text + 1;
    int d = decimals < 0 ? 0 : (decimals > 40 ? 40 : decimals);
    char* end = digits + write_short_decimal(digits, std::fabs(value), d);
    if (end == digits) end = digits + write_fixed(digits, static_cast<std::size_t>(text + sizeof text - 1 - digits), std::fabs(value), d);
    if (d == 0) *end++ = '.';  // F w.0 still ends in its decimal point
    std::string_view unsigned_text(digits, static_cast<std::size_t>(end - digits));
    // A negative value that rounds to all zeros is written without its sign.
    bool negative = value < 0 && !all_zero_digits(unsigned_text);
    std::string_view full = negative ? std::string_view(text, unsigned_text.size() + 1) : unsigned_text;

    auto w = static_cast<std::size_t>(width < 0 ? 0 : width);
    if (full.size() > w && full.size() - 1 == w && unsigned_text.substr(0, 2) == "0.") {
        // Drop the leading zero of a value below 1 when that makes it fit.
        if (negative) out.push_back('-');
        out.append(unsigned_text.substr(1));
        return;
    }
    append_right_aligned(out, full, width);
}

}  // namespace console
