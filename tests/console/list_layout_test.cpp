#include "console/list_layout.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace {

std::string real_item(double v) {
    std::string s;
    console::append_list_real(s, v);
    return s;
}

std::string printf_item(double v) {
    char ref[64];
    std::snprintf(ref, sizeof ref, "%.9G", std::fabs(v));
    std::string expected = std::string(" ") + (v < 0 ? "-" : " ") + ref;
    if (expected.find('.') == std::string::npos) {
        auto e = expected.find('E');
        if (e == std::string::npos) expected += '.';
        else expected.insert(e, ".");
    }
    return expected;
}

struct RealCase {
    double value;
    const char* text;
};

TEST(ListLayout, DoubleItemsAsTheTableShows) {
    const RealCase cases[] = {
        {53.0, "  53."},          {2.5, "  2.5"},
        {0.5, "  0.5"},           {0.0, "  0."},
        {-0.0, "  0."},           {-0.5, " -0.5"},
        {-12.25, " -12.25"},      {1.0 / 3.0, "  0.333333333"},
        {123456789.0, "  123456789."}, {1234567890.0, "  1.23456789E+09"},
        {1e10, "  1.E+10"},       {1.0e-5, "  1.E-05"},
        {0.0001, "  0.0001"},     {5.0, "  5."},
        {12.0, "  12."},          {360.0, "  360."},
        {99999.0, "  99999."},    {-99999.0, " -99999."},
        {9.6, "  9.6"},           {1e-39, "  1.E-39"},
        {1.5e300, "  1.5E+300"},  {2.75, "  2.75"},
    };
    for (const auto& c : cases) EXPECT_EQ(real_item(c.value), c.text) << c.value;
}

TEST(ListLayout, NonFiniteValuesAreWrittenWithoutAPoint) {
    EXPECT_EQ(real_item(std::numeric_limits<double>::infinity()), "  INF");
    EXPECT_EQ(real_item(-std::numeric_limits<double>::infinity()), " -INF");
    EXPECT_EQ(real_item(std::nan("")), "  NAN");
    EXPECT_EQ(real_item(-std::nan("")), "  NAN");
}

// The fast conversion must agree with the platform's "%.9G" byte for byte.
TEST(ListLayout, AgreesWithPrintfOverManyValues) {
    std::mt19937_64 rng(20261208);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-45, 45);
    for (int i = 0; i < 200000; ++i) {
        double v = mantissa(rng) * std::pow(10.0, exponent(rng));
        if (i % 3 == 0) v = std::round(v * 10.0) / 10.0;  // the report's one-decimal values
        if (v == 0.0) continue;
        ASSERT_EQ(real_item(v), printf_item(v)) << v;
    }
}

// Whole numbers and tenths, the values the reports print, take a quicker
// road than the general conversion; at its edges ("%.9G" turning to exponent
// form at 10^9, tenths needing ten digits from 10^8) both must agree.
TEST(ListLayout, WholeNumbersAndTenthsAgreeWithPrintf) {
    const double edges[] = {0.1,         0.9,        1.0,        9.9,        99999999.9, 99999999.0,
                            100000000.0, 100000000.1, 999999999.0, 1e9,      1e9 + 1.0,  123456789.5,
                            12345678.25, 0.25,       359.5,      2147483648.0, 1e15,     1e16};
    for (double v : edges) {
        EXPECT_EQ(real_item(v), printf_item(v)) << v;
        EXPECT_EQ(real_item(-v), printf_item(-v)) << -v;
    }
    std::mt19937_64 rng(1208);
    std::uniform_int_distribution<long long> whole(1, 9999999999LL);
    for (int i = 0; i < 200000; ++i) {
        const long long k = whole(rng) % (i % 2 == 0 ? 100000 : 9999999999LL);
        const double v = (i % 4 < 2 ? 1.0 : -1.0) * static_cast<double>(k) / (i % 3 == 0 ? 1.0 : 10.0);
        ASSERT_EQ(real_item(v), printf_item(v)) << v;
    }
}

TEST(ListLayout, IntegerItems) {
    const std::pair<int, const char*> cases[] = {
        {7, " 7"}, {-15, " -15"}, {0, " 0"}, {335, " 335"},
        {2147483647, " 2147483647"}, {-2147483647 - 1, " -2147483648"},
    };
    for (const auto& [value, text] : cases) {
        std::string s;
        console::append_list_integer(s, value);
        EXPECT_EQ(s, text);
    }
}

TEST(ListLayout, IntegerDigitCountIgnoresTheSign) {
    EXPECT_EQ(console::integer_digit_count(0), 1);
    EXPECT_EQ(console::integer_digit_count(9), 1);
    EXPECT_EQ(console::integer_digit_count(-10), 2);
    EXPECT_EQ(console::integer_digit_count(-2147483647 - 1), 10);
}

}  // namespace
