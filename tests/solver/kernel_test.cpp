// The geometry kernel against hand-worked navigation cases: compass angles,
// bearings of points on the axes, the closest point of approach, the
// line-circle intersection and the rounding of printed figures.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "solver/kernel.hpp"

namespace echo_track {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

double normalised(double angle) {
    wnorm(angle);
    return angle;
}

struct AngleCase {
    double in;
    double out;
};

TEST(Wnorm, BringsAnglesIntoTheClosedCompassRange) {
    const AngleCase cases[] = {
        {0.0, 0.0},      {359.0, 359.0}, {360.0, 360.0},  // 360 stays 360
        {720.0, 360.0},  {3600.0, 360.0}, {725.0, 5.0},   {-90.0, 270.0},
        {-360.0, 0.0},   {-720.0, 0.0},  {-1e-17, 360.0},  // the sum rounds to 360, which stays
        {-370.0, 350.0}, {361.0, 1.0},
    };
    for (const AngleCase& c : cases) EXPECT_EQ(normalised(c.in), c.out) << "angle " << c.in;
}

TEST(Wnorm, HugeAndNonFiniteAnglesEndWithoutStepping) {
    EXPECT_TRUE(std::isnan(normalised(kNaN)));
    EXPECT_TRUE(std::isnan(normalised(kInf)));
    EXPECT_TRUE(std::isnan(normalised(-kInf)));
    // 1000005 = 2777 turns + 285; -1000090 = -2778 turns + 350.
    EXPECT_EQ(normalised(1000005.0), 285.0);
    EXPECT_EQ(normalised(-1000090.0), 350.0);
    for (double huge : {1e300, -1e300, 1e17, -9.87654321e15}) {
        const double a = normalised(huge);
        EXPECT_GE(a, 0.0) << huge;
        EXPECT_LE(a, 360.0) << huge;
    }
}

TEST(Pepos, NorthIsXAndEastIsY) {
    const Point east = pepos(90.0, 1.0);
    EXPECT_NEAR(east.x, 0.0, 1e-15);
    EXPECT_EQ(east.y, 1.0);
    const Point north = pepos(0.0, 2.0);
    EXPECT_EQ(north.x, 2.0);
    EXPECT_EQ(north.y, 0.0);
    const Point behind = pepos(180.0, -1.0);  // a negative distance gives the opposite point
    EXPECT_EQ(behind.x, 1.0);
    EXPECT_NEAR(behind.y, 0.0, 1e-15);
}

struct PolarCase {
    Point p;
    double rwp;
    double r;
};

TEST(Pospe, BearingAndDistanceOfPointsOnAndOffTheAxes) {
    const PolarCase cases[] = {
        {{-5.0, 0.0}, 180.0, 5.0}, {{0.0, 3.0}, 90.0, 3.0},  {{0.0, -3.0}, 270.0, 3.0},
        {{0.0, 0.0}, 0.0, 0.0},    {{3.0, -3.0}, 315.0, std::sqrt(18.0)},
        {{-3.0, -3.0}, 225.0, std::sqrt(18.0)},             {{-3.0, 3.0}, 135.0, std::sqrt(18.0)},
        {{4.0, 3.0}, 36.86989764584402, 5.0},
    };
    for (const PolarCase& c : cases) {
        const Polar got = pospe(c.p);
        EXPECT_NEAR(got.rwp, c.rwp, 1e-12) << c.p.x << ", " << c.p.y;
        EXPECT_EQ(got.r, c.r) << c.p.x << ", " << c.p.y;
    }
}

TEST(Pospe, InvertsPepos) {
    for (double b = 0.5; b < 360.0; b += 7.25) {
        const Polar back = pospe(pepos(b, 4.2));
        EXPECT_NEAR(back.rwp, b, 1e-11);
        EXPECT_NEAR(back.r, 4.2, 1e-14);
    }
}

TEST(Shift2, TranslatesTheSegmentOntoTheNewStart) {
    Point start{10.0, -10.0};
    const Point end = shift2({1.0, 2.0}, {4.0, 6.0}, start);
    EXPECT_EQ(end.x, 13.0);
    EXPECT_EQ(end.y, -6.0);
    EXPECT_EQ(start.x, 10.0);
    EXPECT_EQ(start.y, -10.0);
}

TEST(Gerad, LineThroughTwoPoints) {
    const Line slanted = gerad({0.0, 1.0}, {2.0, 5.0});
    EXPECT_EQ(slanted.a, 2.0);
    EXPECT_EQ(slanted.b, 1.0);
    // An east-west line: the guard turns the zero run into 1e-39.
    EXPECT_DOUBLE_EQ(gerad({2.0, 1.0}, {2.0, 4.0}).a, 3e39);
    const Line point = gerad({1.0, 2.0}, {1.0, 2.0});
    EXPECT_EQ(point.a, 0.0);
    EXPECT_EQ(point.b, 2.0);
}

struct BearingCase {
    Point from;
    Point to;
    double peil;
};

TEST(Peilg, BearingFromOnePointToAnother) {
    const BearingCase cases[] = {
        {{0, 0}, {0, 0}, 90.0},    // two equal points
        {{0, 0}, {1, 1}, 45.0},    {{0, 0}, {-1, -1}, 225.0}, {{0, 0}, {1, -1}, 315.0},
        {{0, 0}, {-1, 1}, 135.0},  {{0, 0}, {1, 0}, 0.0},     {{0, 0}, {-1, 0}, 180.0},
        {{0, 0}, {0, 1}, 90.0},    {{0, 0}, {0, -1}, 270.0},  {{5, 5}, {6, 5}, 0.0},
        {{1, 1}, {1 + std::sqrt(3.0), 2}, 30.0},              {{0, 0}, {1, -1e-300}, 360.0},
    };
    for (const BearingCase& c : cases)
        EXPECT_NEAR(peilg(c.from, c.to), c.peil, 1e-12) << c.to.x << ", " << c.to.y;
}

struct CpaCase {
    Point ref;
    Point track;
    double peil;
    double cpap;
    double cpar;
};

TEST(Cpa, ClosestPointOfApproachOfAStraightTrack) {
    const CpaCase cases[] = {
        {{0, 0}, pepos(0.0, 10.0), 170.0, 80.0, 10.0 * std::sin(10.0 * M_PI / 180.0)},
        {{0, 0}, pepos(170.0, 10.0), 10.0, 100.0, 10.0 * std::sin(20.0 * M_PI / 180.0)},
        // The same geometry shifted: the reference point need not be the origin.
        {{3, -2}, {3 + 10.0, -2.0}, 170.0, 80.0, 10.0 * std::sin(10.0 * M_PI / 180.0)},
        // A track due north passing 2 miles east: nearest point due east.
        {{0, 0}, {-5.0, 2.0}, 0.0, 90.0, 2.0},
        {{0, 0}, {-5.0, -2.0}, 0.0, 270.0, 2.0},
    };
    for (const CpaCase& c : cases) {
        const Polar got = cpa(c.ref, c.track, c.peil);
        EXPECT_NEAR(got.rwp, c.cpap, 1e-9) << "track direction " << c.peil;
        EXPECT_NEAR(got.r, c.cpar, 1e-12) << "track direction " << c.peil;
    }
}

TEST(Xgk, LineMeetsMissesOrTouchesTheCircle) {
    const Intersections meet = xgk({0.0, 3.0}, {0.0, 0.0}, 5.0);
    EXPECT_EQ(meet.ier, 0);
    EXPECT_EQ(meet.h1.x, 4.0);  // the more northerly point first
    EXPECT_EQ(meet.h1.y, 3.0);
    EXPECT_EQ(meet.h2.x, -4.0);
    EXPECT_EQ(meet.h2.y, 3.0);

    const Intersections miss = xgk({0.0, 6.0}, {0.0, 0.0}, 5.0);
    EXPECT_EQ(miss.ier, 1);
    for (double v : {miss.h1.x, miss.h1.y, miss.h2.x, miss.h2.y}) EXPECT_EQ(v, 0.0);

    const Intersections touch = xgk({0.0, 5.0}, {0.0, 0.0}, 5.0);
    EXPECT_EQ(touch.ier, 0);
    EXPECT_EQ(touch.h1.x, 0.0);
    EXPECT_EQ(touch.h1.y, 5.0);
    EXPECT_EQ(touch.h2.x, 0.0);
    EXPECT_EQ(touch.h2.y, 5.0);
}

TEST(Xgk, PointsLieOnBothLineAndCircleAwayFromTheOrigin) {
    const Line lines[] = {{1.0, 0.0}, {-0.5, 2.0}, {3.0, -1.0}, {0.1, 1.5}};
    const Point centre{1.0, 1.25};
    const double radius = 2.0;
    for (const Line& l : lines) {
        const Intersections got = xgk(l, centre, radius);
        ASSERT_EQ(got.ier, 0) << l.a;
        EXPECT_GT(got.h1.x, got.h2.x);
        for (const Point& p : {got.h1, got.h2}) {
            EXPECT_NEAR(p.y, l.a * p.x + l.b, 1e-12);
            EXPECT_NEAR(std::hypot(p.x - centre.x, p.y - centre.y), radius, 1e-12);
        }
    }
}

TEST(Vecpkt, GoesTheDistanceAlongTheBearing) {
    const Point east = vecpkt({1.0, 1.0}, 90.0, 2.0);
    EXPECT_NEAR(east.x, 1.0, 1e-15);
    EXPECT_EQ(east.y, 3.0);
    const Point south = vecpkt({1.0, 1.0}, 180.0, 2.0);
    EXPECT_EQ(south.x, -1.0);
    EXPECT_NEAR(south.y, 1.0, 1e-15);
}

struct SeqminCase {
    double p0, p1, p2;
    double want0, want1, want2;
};

TEST(Seqmin, SmallerTurnFirstEitherWay) {
    const SeqminCase cases[] = {
        {350, 100, 20, 350, 20, 100},  // turns of 110 and 30
        {350, 20, 100, 350, 20, 100},  // already in order
        {0, 90, 270, 0, 90, 270},      // equal turns: the order stays
        {0, 270, 90, 0, 270, 90},
        {0, 180, 181, 0, 181, 180},    // 181 is a turn of 179 to port
        {370, 15, 355, 10, 15, 355},   // the reference comes back normalised
        {10, -20, 400, 10, 340, 40},   // turns of 30 to port and 30 to starboard: order stays
        {0, 360, 5, 0, 0, 5},          // 360 is no turn at all and comes back as 0
    };
    for (const SeqminCase& c : cases) {
        double p0 = c.p0, p1 = c.p1, p2 = c.p2;
        seqmin(p0, p1, p2);
        EXPECT_EQ(p0, c.want0) << c.p0 << " " << c.p1 << " " << c.p2;
        EXPECT_EQ(p1, c.want1) << c.p0 << " " << c.p1 << " " << c.p2;
        EXPECT_EQ(p2, c.want2) << c.p0 << " " << c.p1 << " " << c.p2;
    }
}

struct RoundCase {
    double x;
    int idec;
    double want;
};

TEST(Round, HalvesGoUp) {
    const RoundCase cases[] = {
        {2.5, 0, 3.0},    {0.25, 1, 0.3},   {7.0, 2, 7.0},     {359.6, 0, 360.0}, {359.4, 0, 359.0},
        {12.25, 1, 12.3}, {45.5, 0, 46.0},  {2.449, 1, 2.4},   {0.0, 1, 0.0},     {1.005, 2, 1.0},
        {static_cast<double>(3.7f), 1, 3.7},  // 3.700000047683716 prints as 3.7
        // Negative values take the same rule, floor(v + 0.5).
        {-2.7, 0, -3.0},  {-2.5, 0, -2.0},  {-0.25, 1, -0.2},
        // No 32-bit step: large values stay whole.
        {3e9, 0, 3e9},    {-3e9, 0, -3e9},  {1e300, 1, 1e300},
        {2.5, -1, 3.0},   // a negative number of decimals counts as none
    };
    for (const RoundCase& c : cases) EXPECT_EQ(round(c.x, c.idec), c.want) << c.x << " to " << c.idec;
    EXPECT_TRUE(std::isnan(round(kNaN, 1)));
    EXPECT_EQ(round(kInf, 0), kInf);
}

}  // namespace
}  // namespace echo_track
