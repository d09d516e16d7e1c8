// The traffic picture's own trigonometry against the extended-precision C
// library: within a unit or so in the last place over seeded angles of every
// size the traffic solver meets, and the C library's signs and limits at
// zeros, infinities and NaNs.
#include "traffic/trig.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>

namespace echo_track::traffic {
namespace {

// The distance from `got` to the exact value, in units of the last place of
// the double nearest it.
double ulps_off(double got, long double exact) {
    const double nearest = static_cast<double>(exact);
    const double ulp = std::nextafter(std::fabs(nearest), std::numeric_limits<double>::infinity()) - std::fabs(nearest);
    return static_cast<double>(std::fabs(static_cast<long double>(got) - exact) / ulp);
}

constexpr double kWithin = 1.0;  // units in the last place
// asin and acos take their angle from a side that is itself rounded once.
constexpr double kWithinFromASide = 1.25;

TEST(PortableTrig, AgreesWithTheExtendedLibraryOverSeededAngles) {
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> degrees(-720.0, 720.0);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_real_distribution<double> exponent(-30.0, 30.0);
    double worst_sin = 0, worst_cos = 0, worst_atan2 = 0, worst_asin = 0, worst_acos = 0, worst_hypot = 0;
    for (int i = 0; i < 200000; ++i) {
        // Bearings as the solver makes them: whole, tenths and anything between.
        const double d = i % 3 == 0 ? std::round(degrees(random)) : i % 3 == 1 ? std::round(degrees(random) * 10) / 10
                                                                                : degrees(random);
        const double x = d * (std::numbers::pi / 180.0);
        worst_sin = std::max(worst_sin, ulps_off(trig::sin(x), std::sin(static_cast<long double>(x))));
        worst_cos = std::max(worst_cos, ulps_off(trig::cos(x), std::cos(static_cast<long double>(x))));
        const auto both = trig::sin_cos(x);
        ASSERT_TRUE(both.sin == trig::sin(x) && both.cos == trig::cos(x)) << x;
        const double a = unit(random) * std::exp2(exponent(random));
        const double b = unit(random) * std::exp2(exponent(random));
        worst_atan2 = std::max(worst_atan2, ulps_off(trig::atan2(a, b), std::atan2(static_cast<long double>(a), static_cast<long double>(b))));
        worst_hypot = std::max(worst_hypot, ulps_off(trig::hypot(a, b), std::hypot(static_cast<long double>(a), static_cast<long double>(b))));
        const double u = unit(random);
        worst_asin = std::max(worst_asin, ulps_off(trig::asin(u), std::asin(static_cast<long double>(u))));
        worst_acos = std::max(worst_acos, ulps_off(trig::acos(u), std::acos(static_cast<long double>(u))));
    }
    EXPECT_LE(worst_sin, kWithin);
    EXPECT_LE(worst_cos, kWithin);
    EXPECT_LE(worst_atan2, kWithin);
    EXPECT_LE(worst_asin, kWithinFromASide);
    EXPECT_LE(worst_acos, kWithinFromASide);
    EXPECT_LE(worst_hypot, 0.51);  // corrected once: as good as rounding the exact value
}

TEST(PortableTrig, KeepsTheLibrarysSignsAndLimits) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double edges[] = {0.0, -0.0, 1.0, -1.0, 1e-300, -1e-300, 5e-324, 1e300, -1e300, inf, -inf};
    for (double y : edges) {
        for (double x : edges) {
            const double got = trig::atan2(y, x);
            const double want = std::atan2(y, x);
            EXPECT_NEAR(got, want, 4e-16) << "atan2(" << y << ", " << x << ")";
            EXPECT_EQ(std::signbit(got), std::signbit(want)) << "atan2(" << y << ", " << x << ")";
            EXPECT_EQ(trig::hypot(y, x), std::hypot(y, x)) << "hypot(" << y << ", " << x << ")";
        }
        EXPECT_TRUE(std::isnan(trig::atan2(y, nan)) && std::isnan(trig::atan2(nan, y)));
    }
    EXPECT_TRUE(std::isnan(trig::sin(inf)) && std::isnan(trig::cos(-inf)) && std::isnan(trig::sin(nan)));
    EXPECT_TRUE(std::isnan(trig::asin(1.0000001)) && std::isnan(trig::acos(-2.0)) && std::isnan(trig::asin(nan)));
    EXPECT_EQ(trig::hypot(inf, nan), inf);
    EXPECT_EQ(trig::hypot(3e300, 4e300), 5e300);
    EXPECT_EQ(trig::hypot(3e-310, 4e-310), 5e-310);
    EXPECT_TRUE(std::signbit(trig::sin(-0.0)) && std::signbit(trig::asin(-0.0)));
    EXPECT_EQ(trig::cos(0.0), 1.0);
    EXPECT_EQ(trig::acos(1.0), 0.0);
    EXPECT_EQ(trig::acos(-1.0), std::numbers::pi);
    EXPECT_EQ(trig::asin(1.0), std::numbers::pi / 2);
    // Far beyond any bearing the angle is still a finite sine.
    EXPECT_LE(std::fabs(trig::sin(1e22)), 1.0);
}

}  // namespace
}  // namespace echo_track::traffic
