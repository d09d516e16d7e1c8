#include "console/formatted_layout.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace {

struct IwCase {
    int value;
    int width;
    const char* text;
};

TEST(FormattedLayout, IntegerFields) {
    const IwCase cases[] = {
        {5, 2, " 5"},      {123, 2, "**"},       {-99999, 6, "-99999"},
        {-5, 2, "-5"},     {-10, 2, "**"},       {0, 2, " 0"},
        {1306, 6, "  1306"}, {99999, 6, " 99999"}, {100, 2, "**"},
        {-1000000, 6, "******"},
    };
    for (const auto& c : cases) {
        std::string s;
        console::append_iw(s, c.value, c.width);
        EXPECT_EQ(s, c.text) << c.value << " I" << c.width;
    }
}

struct FwdCase {
    double value;
    int width;
    int decimals;
    const char* text;
};

TEST(FormattedLayout, FixedPointFields) {
    const FwdCase cases[] = {
        {0.5, 6, 1, "   0.5"},     {-12.34, 6, 1, " -12.3"},  {9999.96, 6, 1, "******"},
        {-0.04, 6, 1, "   0.0"},   {12.0, 10, 0, "       12."}, {-0.5, 3, 1, "-.5"},
        {0.5, 2, 1, ".5"},         {99999.0, 6, 1, "******"}, {2.75, 6, 1, "   2.8"},
        {3.700000047683716, 6, 1, "   3.7"}, {5.0, 6, 1, "   5.0"}, {9999.0, 6, 1, "9999.0"},
        {-999.0, 6, 1, "-999.0"}, {-1000.0, 6, 1, "******"},  {0.0, 6, 1, "   0.0"},
        {-0.0, 6, 1, "   0.0"},   {1e300, 6, 1, "******"},    {-0.5, 4, 1, "-0.5"},
        {-0.05, 3, 1, "-.1"},
    };
    for (const auto& c : cases) {
        std::string s;
        console::append_fwd(s, c.value, c.width, c.decimals);
        EXPECT_EQ(s, c.text) << c.value << " F" << c.width << "." << c.decimals;
    }
}

// The fixed-point text, wide enough to need no overflow rule, is what the
// platform's correctly rounded "%.*f" writes, on the quick road for values
// with few decimals as well as on the general one.
TEST(FormattedLayout, FixedPointAgreesWithPrintf) {
    std::mt19937_64 rng(1209);
    std::uniform_int_distribution<long long> whole(0, 99999999LL);
    std::uniform_int_distribution<int> places(0, 4);
    for (int i = 0; i < 200000; ++i) {
        const int d = places(rng);
        double v = static_cast<double>(whole(rng) % (i % 2 == 0 ? 100000 : 99999999LL)) / std::pow(10.0, places(rng));
        if (i % 5 == 0) v += 1e-7;  // no longer a short decimal
        if (i % 2 == 1) v = -v;
        char ref[64];
        std::snprintf(ref, sizeof ref, "%30.*f", d, v);
        std::string expected = ref;
        if (d == 0) expected = expected.substr(1) + ".";
        if (expected.find_first_of("123456789") == std::string::npos) {
            const auto minus = expected.find('-');  // all zeros: no sign
            if (minus != std::string::npos) expected = " " + expected.erase(minus, 1);
        }
        std::string s;
        console::append_fwd(s, v, 30, d);
        ASSERT_EQ(s, expected) << v << " F30." << d;
    }
}

}  // namespace
