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
        char ref[64];
        std::snprintf(ref, sizeof ref, "%.9G", std::fabs(v));
        std::string expected = std::string(" ") + (v < 0 ? "-" : " ") + ref;
        if (expected.find('.') == std::string::npos) {
            auto e = expected.find('E');
            if (e == std::string::npos) expected += '.';
            else expected.insert(e, ".");
        }
        ASSERT_EQ(real_item(v), expected) << v;
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
