#include "console/list_layout.hpp"

#include <charconv>
#include <cmath>
#include <cstring>

namespace console {

namespace {

// Upper-cases the exponent letter of a "%.9g" text and makes sure a decimal
// point is present: at the end, or just before the "E" of an exponent form.
void append_with_point(std::string& out, char* text, std::size_t len) {
    char* e = static_cast<char*>(std::memchr(text, 'e', len));
    if (e != nullptr) *e = 'E';
    if (std::memchr(text, '.', len) != nullptr) {
        out.append(text, len);
    } else if (e != nullptr) {
        out.append(text, static_cast<std::size_t>(e - text));
        out.push_back('.');
        out.append(e, static_cast<std::size_t>(text + len - e));
    } else {
        out.append(text, len);
        out.push_back('.');
    }
}

}  // namespace

void append_list_real(std::string& out, double value) {
    out.push_back(' ');
    if (value == 0.0) {  // either sign of zero
        out.append(" 0.");
        return;
    }
    out.push_back(value < 0.0 ? '-' : ' ');
    if (std::isnan(value)) {
        out.append("NAN");
        return;
    }
    double magnitude = std::fabs(value);
    if (std::isinf(magnitude)) {
        out.append("INF");
        return;
    }
    // std::to_chars with general format and precision 9 is "%.9g", byte for byte.
    char text[40];
    auto res = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::general, 9);
    append_with_point(out, text, static_cast<std::size_t>(res.ptr - text));
}

void append_list_integer(std::string& out, int value) {
    char text[16];
    auto res = std::to_chars(text, text + sizeof text, value);
    out.push_back(' ');
    out.append(text, static_cast<std::size_t>(res.ptr - text));
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
