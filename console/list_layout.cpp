#include "console/list_layout.hpp"

#include <charconv>
#include <cmath>
#include <cstring>

#include "console/number_text.hpp"
#include "console/short_decimal.hpp"

namespace console {

namespace {

// Upper-cases the exponent letter of a "%.9g" text of `len` chars at `text`
// and makes sure a decimal point is present: at the end, or just before the
// "E" of an exponent form. `text` has room for one more char. Returns the
// new length.
std::size_t with_point(char* text, std::size_t len) {
    char* e = static_cast<char*>(std::memchr(text, 'e', len));
    if (e != nullptr) *e = 'E';
    if (std::memchr(text, '.', len) != nullptr) return len;
    if (e == nullptr) {
        text[len] = '.';
        return len + 1;
    }
    std::memmove(e + 1, e, static_cast<std::size_t>(text + len - e));
    *e = '.';
    return len + 1;
}

}  // namespace

std::size_t format_list_real(char* out, double value) {
    out[0] = ' ';
    if (value == 0.0) {  // either sign of zero
        std::memcpy(out + 1, " 0.", 3);
        return 4;
    }
    out[1] = value < 0.0 ? '-' : ' ';
    if (std::isnan(value)) {
        std::memcpy(out + 2, "NAN", 3);
        return 5;
    }
    double magnitude = std::fabs(value);
    if (std::isinf(magnitude)) {
        std::memcpy(out + 2, "INF", 3);
        return 5;
    }
    // Whole numbers below 10^9 and tenths below 10^8 have at most nine
    // significant digits: "%.9g" writes them exactly, in fixed form.
    std::size_t len = 0;
    if (magnitude < 1e9) len = write_short_decimal(out + 2, magnitude, 0);
    if (len == 0 && magnitude < 1e8) len = write_short_decimal(out + 2, magnitude, 1);
    if (len == 0) {
        // Its longest text, "1.23456789e-308", leaves room for the point.
        len = write_general9(out + 2, kListItemRoom - 3, magnitude);
    }
    return 2 + with_point(out + 2, len);
}

std::size_t format_list_integer(char* out, int value) {
    out[0] = ' ';
    auto res = std::to_chars(out + 1, out + kListItemRoom, value);
    return static_cast<std::size_t>(res.ptr - out);
}

void append_list_real(std::string& out, double value) {
    char text[kListItemRoom];
    out.append(text, format_list_real(text, value));
}

void append_list_integer(std::string& out, int value) {
    char text[kListItemRoom];
    out.append(text, format_list_integer(text, value));
}

int integer_digit_count(int value) {
    long long magnitude = value < 0 ? -static_cast<long long>(value) : value;
    int digits = 1;
    while (magnitude >= 10) {
        magnitude /= 10;
        ++digits;
    }
    return digits;
}

}  // namespace console
