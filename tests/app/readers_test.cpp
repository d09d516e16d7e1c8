// The prompted readers: prompt line, empty-line default, rounding, limits.

#include "app/readers.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "session.hpp"

namespace echo_track {
namespace {

using testing::Session;
using testing::ending_of;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string prompt(const std::string& shown_default) {
    return "        [ Default: " + shown_default + " ]    Input=\n";
}

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

using Reader = void (*)(console::Console&, double&);

struct Entry {
    const char* name;
    Reader reader;
    double start;       // the default on entry
    const char* typed;  // the typed line, line end included
    double expected;    // the value on return
};

class TypedEntry : public ::testing::TestWithParam<Entry> {};

TEST_P(TypedEntry, StoresTheRoundedAndLimitedValue) {
    const Entry& e = GetParam();
    Session s(e.typed);
    double value = e.start;
    e.reader(s.con, value);
    EXPECT_TRUE(same_bits(value, e.expected)) << value << " instead of " << e.expected;
}

// Whole-number entry rounds halves upward for every sign; then +-9999 is the
// largest entry and anything beyond becomes +-99999.
INSTANTIATE_TEST_SUITE_P(Readint, TypedEntry, ::testing::Values(
    Entry{"Whole", readint, 300, "45\n", 45},
    Entry{"HalfUp", readint, 300, "12.5\n", 13},
    Entry{"BelowHalf", readint, 300, "12.49\n", 12},
    Entry{"MinusHalfToZero", readint, 300, "-0.5\n", 0},
    Entry{"NegativeWholeStays", readint, 300, "-10\n", -10},
    Entry{"NegativeNearest", readint, 300, "-2.7\n", -3},
    Entry{"NegativeHalfUp", readint, 300, "-2.5\n", -2},
    Entry{"LargestEntry", readint, 300, "9999.4\n", 9999},
    Entry{"RoundsBeyondLimit", readint, 300, "9999.5\n", 99999},
    Entry{"SmallestEntry", readint, 300, "-9999.5\n", -9999},
    Entry{"RoundsBelowLimit", readint, 300, "-9999.6\n", -99999},
    Entry{"Huge", readint, 300, "1e10\n", 99999},
    Entry{"HugeNegative", readint, 300, "-1e10\n", -99999},
    Entry{"Infinite", readint, 300, "9e999\n", 99999},
    Entry{"NegativeInfinite", readint, 300, "-9e999\n", -99999},
    Entry{"NineDigitsCutToEight", readint, 300, "123456789\n", 99999},
    Entry{"EightCharactersOnly", readint, 300, "1234    5\n", 1234},
    Entry{"NullValueStillRounded", readint, 12.4, ",\n", 12},
    Entry{"SlashStillLimited", readint, 12345, "/\n", 99999},
    Entry{"RepeatNull", readint, 300, "3*\n", 300}),
    [](const auto& test) { return std::string(test.param.name); });

// Entry with fraction: only the limits apply.
INSTANTIATE_TEST_SUITE_P(Readif, TypedEntry, ::testing::Values(
    Entry{"KeepsFraction", readif, 5, "2.75\n", 2.75},
    Entry{"LargestEntry", readif, 5, "9999\n", 9999},
    Entry{"JustBeyondLimit", readif, 5, "9999.9\n", 99999},
    Entry{"JustBelowLimit", readif, 5, "-9999.5\n", -99999},
    Entry{"NineDigitsCutToEight", readif, 5, "123456789\n", 99999},
    Entry{"Infinite", readif, 5, "9e999\n", 99999},
    Entry{"NullValueStillLimited", readif, 12345.6, ",\n", 99999},
    Entry{"ExponentForms", readif, 5, "2.5-3\n", 0.0025}),
    [](const auto& test) { return std::string(test.param.name); });

struct Shown {
    const char* name;
    Reader reader;
    double start;
    const char* field;  // what the 6-character default field shows
};

class EmptyLine : public ::testing::TestWithParam<Shown> {};

// An empty line (or blanks only, or blanks up to the 8th character) keeps
// the default exactly as it came in, however it was shown.
TEST_P(EmptyLine, ShowsTheDefaultAndKeepsItBitForBit) {
    const Shown& c = GetParam();
    for (const char* typed : {"\n", "        \n", "         5\n"}) {
        Session s(typed);
        double value = c.start;
        c.reader(s.con, value);
        EXPECT_EQ(s.shown(), prompt(c.field)) << "typed \"" << typed << "\"";
        EXPECT_TRUE(same_bits(value, c.start) || (std::isnan(value) && std::isnan(c.start)))
            << "typed \"" << typed << "\" gave " << value;
    }
}

INSTANTIATE_TEST_SUITE_P(Defaults, EmptyLine, ::testing::Values(
    Shown{"Course", readint, 300, "   300"},
    Shown{"Hour", readint, 13.0, "    13"},
    Shown{"ClockTime", readint, 1306, "  1306"},
    Shown{"RoundedHalfUp", readint, 2.5, "     3"},
    Shown{"NegativeRounded", readint, -2.5, "    -2"},
    Shown{"NegativeWhole", readint, -10, "   -10"},
    Shown{"LimitedNegative", readint, -99999, "-99999"},
    Shown{"TooWide", readint, 1234567, "******"},
    Shown{"BeyondInt", readint, 1e10, "******"},
    Shown{"BelowInt", readint, -1e300, "******"},
    Shown{"Infinite", readint, kInf, "******"},
    Shown{"NotANumber", readint, kNaN, "******"},
    Shown{"SinglePrecisionDistance", readif, static_cast<double>(3.7f), "   3.7"},
    Shown{"OneDecimal", readif, 2.75, "   2.8"},
    Shown{"BelowOne", readif, 0.5, "   0.5"},
    Shown{"Speed", readif, 5, "   5.0"},
    Shown{"NegativeFits", readif, -999.9, "-999.9"},
    Shown{"NegativeTooWide", readif, -1000, "******"},
    Shown{"Limited", readif, 99999, "******"},
    Shown{"RoundsTooWide", readif, 9999.96, "******"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(Readers, EachCallConsumesExactlyOneLine) {
    Session s("12\n\n7.25\n");
    double course = 300;
    double speed = 5;
    double distance = 2;
    readint(s.con, course);
    readif(s.con, speed);
    readif(s.con, distance);
    EXPECT_EQ(course, 12);
    EXPECT_EQ(speed, 5);
    EXPECT_EQ(distance, 7.25);
    EXPECT_EQ(s.shown(), prompt("   300") + prompt("   5.0") + prompt("   2.0"));
}

TEST(Readers, UnreadableTextEndsTheRunWithTheNumberReport) {
    Session s("abc\n");
    double value = 300;
    EXPECT_EQ(ending_of([&] { readint(s.con, value); }), console::Ending::ErrorReport);
    EXPECT_EQ(s.shown(), prompt("   300"));
    EXPECT_EQ(s.reported(),
              "invalid number: incomprehensible list input\n"
              "apparent state: internal I/O\n"
              "lately reading sequential formatted internal IO\n");
}

TEST(Readers, TabsAndBlanksHoldNoNumberAndEndTheRun) {
    Session s(" \t \n");
    double value = 5;
    EXPECT_EQ(ending_of([&] { readif(s.con, value); }), console::Ending::ErrorReport);
    EXPECT_EQ(s.reported().rfind("list in: end of file\n", 0), 0u) << s.reported();
}

TEST(Readers, EndOfInputAtThePromptEndsTheRun) {
    Session s("");
    double value = 300;
    EXPECT_EQ(ending_of([&] { readint(s.con, value); }), console::Ending::ErrorReport);
    EXPECT_EQ(s.shown(), prompt("   300"));
    EXPECT_NE(s.reported().find("end of file"), std::string::npos) << s.reported();
}

}  // namespace
}  // namespace echo_track
