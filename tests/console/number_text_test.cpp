// Both number roads (std::to_chars / from_chars, snprintf / strtod) must give
// the C library's bytes and values; whichever road this build takes is held
// against the C library here.

#include "console/number_text.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

std::string general9(double v) {
    char text[32];
    return std::string(text, console::write_general9(text, sizeof text, v));
}

std::string fixed(double v, int d) {
    char text[400];
    return std::string(text, console::write_fixed(text, sizeof text, v, d));
}

std::string printf_text(const char* format, double v, int d = 0) {
    char text[400];
    if (format[2] == '*') std::snprintf(text, sizeof text, format, d, v);
    else std::snprintf(text, sizeof text, format, v);
    return text;
}

TEST(NumberText, WritesWhatPrintfWritesForAnyDouble) {
    std::mt19937_64 rng(16);
    for (int i = 0; i < 200000; ++i) {
        // Any finite positive bit pattern, and every tenth one a short decimal
        // that may sit on a rounding tie.
        double v = std::bit_cast<double>(rng() & 0x7fefffffffffffffULL);
        if (i % 10 == 0) v = static_cast<double>(rng() % 2000001) / 8.0;
        ASSERT_EQ(general9(v), printf_text("%.9g", v)) << std::hexfloat << v;
        if (v < 1e30) {
            const int d = static_cast<int>(rng() % 13);
            ASSERT_EQ(fixed(v, d), printf_text("%.*f", v, d)) << std::hexfloat << v << " d=" << d;
        }
        // The figures of pictures and reports: any double below 2^53, up to
        // 18 decimals, ties of the last decimal among them.
        const double w = std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 110) - 106);
        const int e = static_cast<int>(rng() % 19);
        ASSERT_EQ(fixed(w, e), printf_text("%.*f", w, e)) << std::hexfloat << w << " d=" << e;
    }
    EXPECT_EQ(fixed(1e308, 40).size(), 350u);
    EXPECT_EQ(general9(1.23456789e-308), "1.23456789e-308");
}

// The shortest text: it reads back to the value, and one digit fewer does not.
TEST(NumberText, WritesTheShortestTextThatReadsBack) {
    std::mt19937_64 rng(23);
    for (int i = 0; i < 100000; ++i) {
        const double v = i % 2 == 0 ? std::bit_cast<double>(rng() & 0x7fefffffffffffffULL) : static_cast<double>(rng() % 100000) / 100.0;
        char text[32];
        const std::string shortest(text, console::write_shortest(text, sizeof text, v));
        ASSERT_EQ(std::strtod(shortest.c_str(), nullptr), v) << shortest;
        int digits = 17;
        while (digits > 1 && std::strtod(printf_text("%.*g", v, digits - 1).c_str(), nullptr) == v) --digits;
        ASSERT_EQ(shortest, printf_text("%.*g", v, digits)) << std::hexfloat << v;
    }
}

// Digits with an exponent, across the whole range and past both ends.
TEST(NumberText, ReadsWhatStrtodReadsAndNamesBothRangeEnds) {
    std::mt19937_64 rng(61);
    for (int i = 0; i < 200000; ++i) {
        std::string digits = std::to_string(1 + rng() % 9);
        const int more = static_cast<int>(rng() % 40);
        for (int k = 0; k < more; ++k) digits.push_back(static_cast<char>('0' + rng() % 10));
        const long long exponent = static_cast<long long>(rng() % 760) - 380 - more;
        const std::string text = digits + "e" + std::to_string(exponent);
        const double expected = std::strtod(text.c_str(), nullptr);
        double value = -1.0;
        const console::DecimalValue got = console::decimal_to_double(text, value);
        if (std::isinf(expected)) {
            ASSERT_EQ(got, console::DecimalValue::Overflow) << text;
        } else if (expected == 0.0) {
            ASSERT_EQ(got, console::DecimalValue::Underflow) << text;
        } else {
            ASSERT_EQ(got, console::DecimalValue::InRange) << text;
            ASSERT_EQ(value, expected) << text;
        }
    }
}

}  // namespace
