#include "console/short_decimal.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace {

std::string short_text(double magnitude, int decimals) {
    char text[console::kShortDecimalRoom];
    return std::string(text, console::write_short_decimal(text, magnitude, decimals));
}

std::string printf_fixed(double magnitude, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, magnitude);
    return text;
}

struct ShortCase {
    double magnitude;
    int decimals;
    const char* text;  // "" where the quick road does not apply
};

TEST(ShortDecimal, WritesWholeNumbersAndFewDecimalsOnly) {
    const ShortCase cases[] = {
        {300.0, 0, "300"},      {0.0, 0, "0"},          {0.0, 1, "0.0"},        {12.3, 1, "12.3"},
        {0.5, 1, "0.5"},        {0.05, 2, "0.05"},      {5.0, 1, "5.0"},        {9999.9, 1, "9999.9"},
        {99999999.9, 1, "99999999.9"}, {123456789.0, 0, "123456789"}, {0.001, 3, "0.001"},
        {999999999999999.0, 0, "999999999999999"},
        // Not the double nearest to any k / 10^d, or out of its range: nothing.
        {2.75, 1, ""},          {0.05, 1, ""},          {3.700000047683716, 1, ""}, {12.5, 0, ""},
        {1e15, 0, ""},          {1e300, 1, ""},         {0.1, 10, ""},          {1.0, -1, ""},
        {std::numeric_limits<double>::infinity(), 1, ""}, {std::nan(""), 0, ""}, {-1.0, 0, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(short_text(c.magnitude, c.decimals), c.text) << c.magnitude << " d=" << c.decimals;
}

// Whenever the quick road is taken, its text is what the platform's correctly
// rounded fixed-point conversion writes.
TEST(ShortDecimal, AgreesWithPrintfWhereverItWrites) {
    std::mt19937_64 rng(6);
    std::uniform_int_distribution<long long> whole(0, 999999999999LL);
    std::uniform_int_distribution<int> places(0, 9);
    int written = 0;
    for (int i = 0; i < 300000; ++i) {
        const int d = places(rng);
        const long long k = whole(rng) % (i % 2 == 0 ? 100000 : 999999999999LL);
        const double v = static_cast<double>(k) / std::pow(10.0, d);
        for (int shown = 0; shown <= 9; shown += 1 + shown / 3) {
            const std::string text = short_text(v, shown);
            if (text.empty()) continue;
            ++written;
            ASSERT_EQ(text, printf_fixed(v, shown)) << k << "e-" << d << " with " << shown << " decimals";
        }
    }
    EXPECT_GT(written, 300000);
}

}  // namespace
