// Checks the solutions against the navigation they claim, by plain velocity
// vectors rather than the plot construction: over many random exercises, B's
// true velocity less A's must be the relative velocity seen between the two
// observations, and every proposed own course, steered from the manoeuvre time
// on at unchanged speed, must make B pass at exactly the required distance.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "solver/manoeuvre.hpp"
#include "solver/plot_solution.hpp"

namespace echo_track {
namespace {

struct Vec {
    double n;  // north component
    double e;  // east component
};

Vec along(double bearing_deg, double length) {
    const double w = bearing_deg * std::numbers::pi / 180.0;
    return {length * std::cos(w), length * std::sin(w)};
}
Vec operator-(Vec a, Vec b) { return {a.n - b.n, a.e - b.e}; }
Vec operator+(Vec a, Vec b) { return {a.n + b.n, a.e + b.e}; }
Vec operator*(double k, Vec a) { return {k * a.n, k * a.e}; }
double cross(Vec a, Vec b) { return a.n * b.e - a.e * b.n; }
double length(Vec a) { return std::hypot(a.n, a.e); }

// Distance from own ship (the origin) to the straight track through `p` along `v`.
double passing_distance(Vec p, Vec v) { return std::fabs(cross(p, v)) / length(v); }

// An exercise as an officer would type it: whole degrees, tenths of miles and
// knots, observations 6 to 20 minutes apart, a manoeuvre 0 to 10 minutes later.
PlotRecord random_exercise(std::mt19937_64& rng) {
    auto uniform = [&rng](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    auto whole = [&rng](int lo, int hi) { return static_cast<double>(std::uniform_int_distribution<int>(lo, hi)(rng)); };
    auto tenths = [&](double lo, double hi) { return std::round(uniform(lo, hi) * 10.0) / 10.0; };
    PlotRecord r;
    r.aka = whole(0, 359);
    r.va = tenths(4.0, 25.0);
    r.th1 = whole(0, 22);
    r.tm1 = whole(0, 30);
    r.th2 = r.th1;
    r.tm2 = r.tm1 + whole(6, 20);
    r.wait = whole(0, 10);
    r.tmh = r.th2;
    r.tmm = r.tm2 + r.wait;
    r.rwp1 = whole(0, 359);
    r.r1 = tenths(3.0, 12.0);
    // B-2 drawn near B-1, so that B's relative speed stays within ship
    // speeds, and mostly closing in, so that most exercises need a manoeuvre.
    const double dt = r.tm2 - r.tm1;
    const Vec p1 = along(r.rwp1, r.r1);
    const double closing = r.rwp1 + 180.0 + uniform(-40.0, 40.0);
    const Vec p2 = p1 + along(closing, uniform(0.5, 40.0) * dt / 60.0);
    r.rwp2 = std::round(std::fmod(std::atan2(p2.e, p2.n) * 180.0 / std::numbers::pi + 360.0, 360.0));
    r.r2 = std::max(0.1, std::round(length(p2) * 10.0) / 10.0);
    r.scpa = tenths(0.5, 3.0);
    return r;
}

TEST(NavigationCheck, TrueMotionLessOwnMotionIsTheObservedRelativeMotion) {
    std::mt19937_64 rng(20261208);
    for (int i = 0; i < 3000; ++i) {
        const PlotRecord r = random_exercise(rng);
        const PlotSolution s = solve_plot(r);
        const double dt = r.tm2 - r.tm1;
        const Vec relative = (60.0 / dt) * (along(r.rwp2, r.r2) - along(r.rwp1, r.r1));
        const Vec true_b = along(s.akb, s.vb);
        const Vec own = along(r.aka, r.va);
        const Vec got = true_b - own;
        ASSERT_NEAR(got.n, relative.n, 1e-9) << "exercise " << i;
        ASSERT_NEAR(got.e, relative.e, 1e-9) << "exercise " << i;
        ASSERT_NEAR(s.vbr, length(relative), 1e-9) << "exercise " << i;
        if (length(relative) > 1e-6) {
            ASSERT_NEAR(s.cpar, passing_distance(along(r.rwp1, r.r1), relative), 1e-9) << "exercise " << i;
        }
    }
}

TEST(NavigationCheck, EveryProposedCoursePassesBAtTheRequiredDistance) {
    std::mt19937_64 rng(41);
    int courses_checked = 0;
    int sides_without_course = 0;
    for (int i = 0; i < 4000; ++i) {
        const PlotRecord r = random_exercise(rng);
        const PlotSolution s = solve_plot(r);
        const Manoeuvre m = *solve_manoeuvre(r, s);
        if (m.outcome != Outcome::Courses) continue;

        // B's position at the manoeuvre time, carried on by the observed
        // relative motion, and B's true velocity as the solver found it.
        const double dt = r.tm2 - r.tm1;
        const Vec p2 = along(r.rwp2, r.r2);
        const Vec relative = (60.0 / dt) * (p2 - along(r.rwp1, r.r1));
        const Vec b_then = p2 + (r.wait / 60.0) * relative;
        const Vec true_b = along(s.akb, s.vb);

        for (const TangentCourses* side : {&m.side1, &m.side2}) {
            // A course for this tangent exists exactly when A's speed can
            // cancel B's true velocity across the tangent direction.
            const double needed = std::fabs(cross(true_b, along(side->peilm, 1.0)));
            if (side->hits.ier == 1) {
                EXPECT_GE(needed, r.va * (1.0 - 1e-9)) << "exercise " << i;
                ++sides_without_course;
                continue;
            }
            EXPECT_LE(needed, r.va * (1.0 + 1e-9)) << "exercise " << i;
            for (double course : {side->course1, side->course2}) {
                const Vec new_relative = true_b - along(course, r.va);
                if (length(new_relative) < 1e-3) continue;  // A would keep pace with B: no track to pass on
                EXPECT_NEAR(passing_distance(b_then, new_relative), r.scpa, 1e-6)
                    << "exercise " << i << ", course " << course;
                ++courses_checked;
            }
        }
    }
    EXPECT_GT(courses_checked, 2000);
    EXPECT_GT(sides_without_course, 500);
}

}  // namespace
}  // namespace echo_track
