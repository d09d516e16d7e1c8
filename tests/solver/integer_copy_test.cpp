// The guarded 32-bit copies of printed figures: truncation toward zero, and a
// defined result for values that no 32-bit integer can hold.

#include <gtest/gtest.h>

#include <limits>

#include "solver/integer_copy.hpp"

namespace echo_track {
namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

struct CopyCase {
    double in;
    int out;
};

TEST(ToInt32, TruncatesTowardZeroAndSaturates) {
    const CopyCase cases[] = {
        {0.0, 0},
        {-0.0, 0},
        {2.7, 2},
        {-2.7, -2},
        {360.0, 360},
        {13.009999999776482, 13},
        {2147483647.0, kMax},
        {2147483647.9, kMax},
        {2147483648.0, kMax},
        {3e9, kMax},
        {-2147483648.0, kMin},
        {-2147483648.9, kMin},  // truncates to -2147483648, which fits
        {-2147483649.0, kMin},
        {-3e9, kMin},
        {1e300, kMax},
        {std::numeric_limits<double>::infinity(), kMax},
        {-std::numeric_limits<double>::infinity(), kMin},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const CopyCase& c : cases) EXPECT_EQ(to_int32(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace echo_track
