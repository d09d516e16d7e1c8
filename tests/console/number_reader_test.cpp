#include "console/number_reader.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using console::NumberOutcome;
using console::read_list_number;

struct ValueCase {
    const char* field;
    double expected;
};

TEST(NumberReader, ReadsTheGrammarsValues) {
    const ValueCase cases[] = {
        {"  42    ", 42.0}, {"+42     ", 42.0},  {"42.     ", 42.0},   {"4.2e1   ", 42.0},
        {"4.2D1   ", 42.0}, {"420-1   ", 42.0},  {".5      ", 0.5},    {"5.      ", 5.0},
        {"2.5-3   ", 0.0025}, {"1+2     ", 100.0}, {"3*7     ", 7.0},  {"12abc   ", 12.0},
        {"1,5     ", 1.0},  {"1.5.3   ", 1.5},   {"1q2     ", 1.0},    {"-12.25  ", -12.25},
        {"4.2d1   ", 42.0}, {"4.2E+1  ", 42.0},  {"4200e-2 ", 42.0},   {"0.05    ", 0.05},
        {"10.05   ", 10.05}, {"007     ", 7.0},  {"-0      ", 0.0},    {"\t5      ", 5.0},
        {"12345678", 12345678.0}, {"1e300   ", 1e300}, {"1e-320  ", 1e-320}, {"2*3*4   ", 3.0},
        {"0.1     ", 0.1},  {"9999.5  ", 9999.5}, {"12\r     ", 12.0}, {"3.\xc3\xa9    ", 3.0},
    };
    for (const auto& c : cases) {
        double v = -777.0;
        EXPECT_EQ(read_list_number(c.field, v), NumberOutcome::Value) << c.field;
        EXPECT_EQ(v, c.expected) << c.field;
    }
}

TEST(NumberReader, MinusZeroReadsAsPlusZero) {
    double v = 1.0;
    ASSERT_EQ(read_list_number("-0.0    ", v), NumberOutcome::Value);
    EXPECT_FALSE(std::signbit(v));
}

TEST(NumberReader, OutOfRangeExponentsSaturate) {
    double v = 0.0;
    ASSERT_EQ(read_list_number("9e999   ", v), NumberOutcome::Value);
    EXPECT_TRUE(std::isinf(v) && v > 0);
    ASSERT_EQ(read_list_number("-9e999  ", v), NumberOutcome::Value);
    EXPECT_TRUE(std::isinf(v) && v < 0);
    ASSERT_EQ(read_list_number("1e-9999 ", v), NumberOutcome::Value);
    EXPECT_EQ(v, 0.0);
    ASSERT_EQ(read_list_number("1e99999999", v), NumberOutcome::Value);
    EXPECT_TRUE(std::isinf(v));
}

TEST(NumberReader, NullValuesKeepTheVariable) {
    for (const char* field : {",       ", "/       ", "3*      ", "3*,     ", "  ,5    ", "3*\t5    ", "-,      "}) {
        double v = 3.25;
        EXPECT_EQ(read_list_number(field, v), NumberOutcome::Null) << field;
        EXPECT_EQ(v, 3.25) << field;
    }
    double v = 3.25;
    EXPECT_EQ(read_list_number("     3* ", v), NumberOutcome::Null);  // the count ends at the field's end
    EXPECT_EQ(v, 3.25);
}

struct ErrorCase {
    const char* field;
    NumberOutcome outcome;
};

TEST(NumberReader, ErrorsAndTheirKinds) {
    const ErrorCase cases[] = {
        {"abc     ", NumberOutcome::InvalidNumber},   {"-       ", NumberOutcome::InvalidNumber},
        {".       ", NumberOutcome::InvalidNumber},   {"+x      ", NumberOutcome::InvalidNumber},
        {"- 5     ", NumberOutcome::InvalidNumber},   {"\r       ", NumberOutcome::InvalidNumber},
        {"\xff" "5      ", NumberOutcome::InvalidNumber}, {"5-x     ", NumberOutcome::ExponentField},
        {"3*x     ", NumberOutcome::InvalidNumber},   {"5e      ", NumberOutcome::ExponentField},
        {"5e+     ", NumberOutcome::ExponentField},   {"5+      ", NumberOutcome::ExponentField},
        {"1234567e", NumberOutcome::ExponentField},   {"5dx     ", NumberOutcome::ExponentField},
        {"*5      ", NumberOutcome::BadRepeatCount},  {"0*5     ", NumberOutcome::BadRepeatCount},
        {"-2*5    ", NumberOutcome::BadRepeatCount},  {"\t       ", NumberOutcome::EndOfRecord},
        {" \t \t   ", NumberOutcome::EndOfRecord},    {"        ", NumberOutcome::EndOfRecord},
    };
    for (const auto& c : cases) {
        double v = 3.25;
        EXPECT_EQ(read_list_number(c.field, v), c.outcome) << c.field;
        EXPECT_EQ(v, 3.25) << c.field;
    }
}

TEST(NumberReader, ANulByteIsACharacterThatCannotStartANumber) {
    double v = 3.25;
    EXPECT_EQ(read_list_number(std::string_view("\0" "5      ", 8), v), NumberOutcome::InvalidNumber);
    EXPECT_EQ(v, 3.25);
}

TEST(NumberReader, ExponentAboveItsLimitIsAnError) {
    double v = 3.25;
    EXPECT_EQ(read_list_number("1e100000000", v), NumberOutcome::ExponentField);
    EXPECT_EQ(v, 3.25);
}

// Longer records (as the fuzzers give) keep the first 40 significant digits
// and count the rest into the exponent; the result is still the nearest
// double to those digits.
TEST(NumberReader, ManyDigitsAreCountedIntoTheExponent) {
    const ValueCase cases[] = {
        {"1234567890123456789012345678901234567890123", 1.234567890123456789012345678901234567890e42},
        {"0.000000000000000000001234567890123456789012345678901234567890", 1.2345678901234567890123456789012345678901e-21},
        {"00000000000000000000000000000000000000000000000042.5", 42.5},
        {"4200000000000000000000000000000000000000000000000000e-50", 42.0},
        {"0.1000000000000000055511151231257827021181583404541015625", 0.1},
    };
    for (const auto& c : cases) {
        double v = -777.0;
        EXPECT_EQ(read_list_number(c.field, v), NumberOutcome::Value) << c.field;
        EXPECT_EQ(v, c.expected) << c.field;
    }
}

}  // namespace
