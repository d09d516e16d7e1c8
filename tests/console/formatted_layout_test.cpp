#include "console/formatted_layout.hpp"

#include <gtest/gtest.h>

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

}  // namespace
