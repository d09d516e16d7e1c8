#include "traffic/trig.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

// Everything here is sums, products, quotients and square roots of doubles
// in a fixed order: the build's -ffp-contract=off keeps each rounded on its
// own, so the last bit is the same on every IEEE machine.

namespace echo_track::traffic::trig {
namespace {

constexpr double kQuarterPi = 0.7853981633974483;
// pi/2 and pi as a double and the rest beyond it.
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kHalfPiLow = 6.123233995736766e-17;
constexpr double kPi = 3.141592653589793;
constexpr double kPiLow = 1.2246467991473532e-16;

// pi/2 in three parts, the first two of 33 bits, so that k times either is
// exact for every k below 2^20: an angle less a whole number of quadrants
// comes out to the last bit of the remainder.
constexpr double kHalfPi1 = 0x1.921fb544p+0;
constexpr double kHalfPi2 = 0x1.0b4611a6p-34;
constexpr double kHalfPi3 = 0x1.3198a2e037073p-69;
constexpr double kTwoOverPi = 0.6366197723675814;
// Below this many radians the quadrant count stays under 2^20. No bearing
// comes near; beyond it the angle is first brought within a turn.
constexpr double kReducible = 1.0e6;

// Below this size sin r is r and cos r is 1 to the last bit.
constexpr double kTiny = 0x1p-27;

// Taylor coefficients: each a correctly rounded quotient, the same everywhere.
constexpr double f(double n) { return n <= 1.0 ? 1.0 : n * f(n - 1.0); }
constexpr double kS3 = -1.0 / f(3), kS5 = 1.0 / f(5), kS7 = -1.0 / f(7), kS9 = 1.0 / f(9), kS11 = -1.0 / f(11),
                 kS13 = 1.0 / f(13), kS15 = -1.0 / f(15), kS17 = 1.0 / f(17);
constexpr double kC4 = 1.0 / f(4), kC6 = -1.0 / f(6), kC8 = 1.0 / f(8), kC10 = -1.0 / f(10), kC12 = 1.0 / f(12),
                 kC14 = -1.0 / f(14), kC16 = 1.0 / f(16), kC18 = -1.0 / f(18);
constexpr double kA3 = -1.0 / 3, kA5 = 1.0 / 5, kA7 = -1.0 / 7, kA9 = 1.0 / 9, kA11 = -1.0 / 11, kA13 = 1.0 / 13,
                 kA15 = -1.0 / 15, kA17 = 1.0 / 17;

// atan(k/16) for k = 0..16 as a double and the rest beyond it.
constexpr double kArcTangent[17][2] = {
    {0.0, 0.0},
    {0.0, 0.0},  // not used: below 3/32 the series is taken directly
    {0.12435499454676144, -3.1253241424539383e-18},
    {0.18534794999569476, 4.180692268843079e-18},
    {0.24497866312686414, 1.0698755618734451e-17},
    {0.3028848683749714, -1.1010827903001369e-17},
    {0.35877067027057225, -2.4623815582638635e-17},
    {0.4124104415973873, -1.587652227770689e-17},
    {0.4636476090008061, 2.2698777452961687e-17},
    {0.5123894603107377, -2.5462781472855804e-17},
    {0.5585993153435624, -5.4556305485916264e-18},
    {0.6022873461349642, 2.950430737228402e-17},
    {0.6435011087932844, 1.5834785051444286e-17},
    {0.6823165548747481, 6.943223671560008e-18},
    {0.7188299996216245, -2.1478388444456983e-17},
    {0.7531512809621944, -2.4256934659182068e-17},
    {0.7853981633974483, 3.061616997868383e-17},
};

struct Pair {
    double value;
    double error;  // what the rounded value lacks of the exact one
};

// a + b as the rounded sum and its exact rounding error.
Pair two_sum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// a * b as the rounded product and its exact rounding error (Veltkamp's
// split into halves of 26 bits, whose products are exact).
Pair two_product(double a, double b) {
    const auto split = [](double v) {
        const double c = 134217729.0 * v;  // 2^27 + 1
        const double high = c - (c - v);
        return std::pair{high, v - high};
    };
    const double p = a * b;
    const auto [ah, al] = split(a);
    const auto [bh, bl] = split(b);
    return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

// a / b as the rounded quotient and what it lacks, to the last bit of that.
Pair two_quotient(double a, double b) {
    const double q = a / b;
    const auto [qb, qb_error] = two_product(q, b);
    return {q, ((a - qb) - qb_error) / b};
}

// sin(r + e) for |r| <= pi/4 (and a hair beyond), e below the last bit of
// r: the truncated series' next term is below 1e-19 of the result.
double sine_near_zero(Pair r) {
    if (std::fabs(r.value) < kTiny) return r.error == 0.0 ? r.value : r.value + r.error;  // keeps -0
    const double z = r.value * r.value;
    const double p = kS3 + z * (kS5 + z * (kS7 + z * (kS9 + z * (kS11 + z * (kS13 + z * (kS15 + z * kS17))))));
    return r.value + (r.value * z * p + r.error * (1.0 - 0.5 * z));
}

// cos(r + e): 1 - r^2/2 is formed apart and its rounding put back, so the
// result is as good as the sine's.
double cosine_near_zero(Pair r) {
    if (std::fabs(r.value) < kTiny) return 1.0;
    const double z = r.value * r.value;
    const double half = 0.5 * z;
    const double w = 1.0 - half;
    const double q =
        z * z * (kC4 + z * (kC6 + z * (kC8 + z * (kC10 + z * (kC12 + z * (kC14 + z * (kC16 + z * kC18)))))));
    return w + ((((1.0 - w) - half) + q) - r.value * r.error);
}

// atan(u + e) less u, for |u| < 3/32.
double arc_tangent_beyond(Pair u) {
    const double z = u.value * u.value;
    const double p = kA3 + z * (kA5 + z * (kA7 + z * (kA9 + z * (kA11 + z * (kA13 + z * (kA15 + z * kA17))))));
    return u.value * z * p + u.error;
}

// atan(t + e) for 0 <= t <= 1: from the nearest sixteenth c, atan t =
// atan c + atan((t - c) / (1 + t c)), the second within 1/32.
Pair arc_tangent_to_one(Pair t) {
    const int k = static_cast<int>(t.value * 16.0 + 0.5);
    if (k <= 1) return {t.value, arc_tangent_beyond(t)};
    const double c = k / 16.0;
    const double across = t.value - c;  // exact: the two lie within a factor of 2
    const auto [tc, tc_error] = two_product(t.value, c);
    const auto [below, below_error] = two_sum(1.0, tc);
    const double below_rest = below_error + (tc_error + t.error * c);
    const double u = across / below;
    const auto [ub, ub_error] = two_product(u, below);
    const double u_error = (((across - ub) - ub_error) + (t.error - u * below_rest)) / below;
    return {kArcTangent[k][0], u + (arc_tangent_beyond({u, u_error}) + kArcTangent[k][1])};
}

// `whole` less the angle, both as a double and its rest.
Pair less(Pair whole, Pair angle) {
    const auto [d, d_error] = two_sum(whole.value, -angle.value);
    return {d, d_error + (whole.error - angle.error)};
}

// The angle less its nearest whole number of quadrants, and that number mod 4.
struct Reduced {
    Pair radians;
    int quadrant;
};

Reduced reduced(double x) {
    if (std::fabs(x) >= kReducible) x = std::fmod(x, 2.0 * kPi);
    // The nearest whole number by the rounding of the addition itself (ties
    // to even): cheaper than a call, and the same everywhere.
    const double k = (x * kTwoOverPi + 0x1.8p52) - 0x1.8p52;
    const double first = x - k * kHalfPi1;  // exact, as is k * kHalfPi2
    const auto [second, second_error] = two_sum(first, -(k * kHalfPi2));
    const auto [r, r_error] = two_sum(second, -(k * kHalfPi3));
    return {{r, second_error + r_error}, static_cast<int>(static_cast<std::int64_t>(k) & 3)};
}

// The angle of (x, y) for finite positive x and y. Far from 1 both are
// first scaled by one power of two, which is exact, so that the quotient's
// rest is found without overflow or underflow.
Pair angle_in_first_quadrant(double x, double y) {
    const double larger = std::max(x, y);
    if (larger > 0x1p450 || larger < 0x1p-450) {
        const int scale = std::ilogb(larger);
        x = std::ldexp(x, -scale);
        y = std::ldexp(y, -scale);
    }
    if (y <= x) return arc_tangent_to_one(two_quotient(y, x));
    return less({kHalfPi, kHalfPiLow}, arc_tangent_to_one(two_quotient(x, y)));
}

// sqrt(1 - x^2) for |x| <= 1, with 1 - x^2 formed exactly as two doubles
// and the root corrected once by Newton's step: the side of the right
// triangle that asin and acos take their angle from.
double root_of_one_less_square(double x) {
    const auto [xx, xx_error] = two_product(x, x);
    const auto [rest, rest_error] = two_sum(1.0, -xx);
    const double low = rest_error - xx_error;
    const double h = std::sqrt(rest + low);
    if (h == 0.0) return 0.0;
    const auto [hh, hh_error] = two_product(h, h);
    const double residual = ((rest - hh) - hh_error) + low;
    return h + residual / (2.0 * h);
}

// The sine of r plus `quadrant` quarter turns.
double sine_in_quadrant(Pair r, int quadrant) {
    switch (quadrant) {
        case 0: return sine_near_zero(r);
        case 1: return cosine_near_zero(r);
        case 2: return -sine_near_zero(r);
        default: return -cosine_near_zero(r);
    }
}

}  // namespace

double sin(double x) {
    if (!std::isfinite(x)) return x - x;
    if (std::fabs(x) <= kQuarterPi) return sine_near_zero({x, 0.0});
    const Reduced a = reduced(x);
    return sine_in_quadrant(a.radians, a.quadrant);
}

// cos x is the sine a quadrant on: sin(x + pi/2).
double cos(double x) {
    if (!std::isfinite(x)) return x - x;
    if (std::fabs(x) <= kQuarterPi) return cosine_near_zero({x, 0.0});
    const Reduced a = reduced(x);
    return sine_in_quadrant(a.radians, (a.quadrant + 1) & 3);
}

SineAndCosine sin_cos(double x) {
    if (!std::isfinite(x)) return {x - x, x - x};
    if (std::fabs(x) <= kQuarterPi) return {sine_near_zero({x, 0.0}), cosine_near_zero({x, 0.0})};
    const Reduced a = reduced(x);
    const double s = sine_near_zero(a.radians);
    const double c = cosine_near_zero(a.radians);
    switch (a.quadrant) {
        case 0: return {s, c};
        case 1: return {c, -s};
        case 2: return {-s, -c};
        default: return {-c, s};
    }
}

double atan2(double y, double x) {
    if (std::isnan(x) || std::isnan(y)) return x + y;
    const double ax = std::fabs(x);
    const double ay = std::fabs(y);
    Pair a;  // the angle of (|x|, |y|), 0..pi/2
    if (ay == 0.0 || (std::isinf(ax) && !std::isinf(ay))) {
        a = {0.0, 0.0};
    } else if (std::isinf(ax) && std::isinf(ay)) {
        a = {kQuarterPi, 0.0};
    } else if (ax == 0.0 || std::isinf(ay)) {
        a = {kHalfPi, kHalfPiLow};
    } else {
        a = angle_in_first_quadrant(ax, ay);
    }
    if (std::signbit(x)) a = less({kPi, kPiLow}, a);
    return std::copysign(a.value + a.error, y);
}

double asin(double x) {
    if (!(std::fabs(x) <= 1.0)) return std::numeric_limits<double>::quiet_NaN();
    return atan2(x, root_of_one_less_square(x));
}

double acos(double x) {
    if (!(std::fabs(x) <= 1.0)) return std::numeric_limits<double>::quiet_NaN();
    return atan2(root_of_one_less_square(x), x);
}

// The sum of squares is formed exactly as two doubles, its square root
// taken and then corrected once by Newton's step on the exact residual.
double hypot(double a, double b) {
    a = std::fabs(a);
    b = std::fabs(b);
    if (std::isinf(a) || std::isinf(b)) return std::numeric_limits<double>::infinity();
    if (std::isnan(a) || std::isnan(b)) return a + b;
    if (a < b) std::swap(a, b);
    if (b == 0.0) return a;
    // Far from 1 the squares would overflow or lose bits: scale by a power
    // of two, which is exact.
    const int scale = (a > 0x1p450 || a < 0x1p-450) ? std::ilogb(a) : 0;
    if (scale != 0) {
        a = std::ldexp(a, -scale);
        b = std::ldexp(b, -scale);
    }
    const auto [aa, aa_error] = two_product(a, a);
    const auto [bb, bb_error] = two_product(b, b);
    const auto [sum, sum_error] = two_sum(aa, bb);
    const double rest = sum_error + (aa_error + bb_error);
    const double h = std::sqrt(sum);
    const auto [hh, hh_error] = two_product(h, h);
    const double residual = ((sum - hh) - hh_error) + rest;
    const double root = h + residual / (2.0 * h);
    return scale == 0 ? root : std::ldexp(root, scale);
}

}  // namespace echo_track::traffic::trig
