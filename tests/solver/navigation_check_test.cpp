// Checks the solutions against the navigation they claim, by plain velocity
// vectors rather than the plot construction: over many random exercises, B's
// true velocity less A's must be the relative velocity seen between the two
// observations, and every proposed own course, steered from the manoeuvre time
// on at unchanged speed, must make B pass at exactly the required distance.
// Besides random exercises this takes the kinds that once went wrong: a
// tangent relative course running exactly east-west (B on a steady bearing of
// 060, 120, 240 or 300 with the CPA half the range) and observations on both
// sides of midnight.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <utility>

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

double dot(Vec a, Vec b) { return a.n * b.n + a.e * b.e; }

// Distance from own ship (the origin) to the straight track through `p` along `v`.
double passing_distance(Vec p, Vec v) { return std::fabs(cross(p, v)) / length(v); }

// Minutes from B-1 to B-2 the shorter way round the clock, as an officer counts them.
double observation_interval(const PlotRecord& r) {
    double d = (r.th2 * 60.0 + r.tm2) - (r.th1 * 60.0 + r.tm1);
    if (d > 720.0) d -= 1440.0;
    if (d < -720.0) d += 1440.0;
    return std::fabs(d);
}

// B's relative velocity (knots) seen between the two observations.
Vec observed_relative_velocity(const PlotRecord& r) {
    return (60.0 / observation_interval(r)) * (along(r.rwp2, r.r2) - along(r.rwp1, r.r1));
}

// A proposed own course, steered from the manoeuvre time at unchanged speed,
// must keep B at least at the required distance and either pass it at exactly
// that distance or open from the start (B already moving away along the
// tangent line). Returns what went wrong, or an empty string.
std::string check_course(const PlotRecord& r, double course, double tolerance) {
    const Vec b_then = along(r.rwp2, r.r2) + (r.wait / 60.0) * observed_relative_velocity(r);
    const Vec true_b = observed_relative_velocity(r) + along(r.aka, r.va);
    const Vec new_relative = true_b - along(course, r.va);
    if (length(new_relative) < 1e-3) return {};  // A would keep pace with B: no track to pass on
    const bool opening = dot(b_then, new_relative) >= 0.0;
    const double closest = opening ? length(b_then) : passing_distance(b_then, new_relative);
    if (closest < r.scpa - tolerance) return "B passes inside the required distance: " + std::to_string(closest);
    if (!opening && std::fabs(closest - r.scpa) > tolerance) return "B passes off the tangent: " + std::to_string(closest);
    return {};
}

// B on a steady bearing that closes 2 miles in 6 minutes; with no delay the
// required CPA is half the range, which puts a tangent at 090 or 270 when the
// bearing is 060, 120, 240 or 300.
PlotRecord steady_bearing_exercise(double course, double bearing, double wait, double th1 = 12.0, double tm1 = 0.0) {
    PlotRecord r;
    r.aka = course;
    r.va = 10.0;
    r.th1 = th1;
    r.tm1 = tm1;
    r.th2 = th1;
    r.tm2 = tm1 + 6.0;
    r.wait = wait;
    r.tmh = r.th2;
    r.tmm = r.tm2 + wait;
    r.rwp1 = bearing;
    r.rwp2 = bearing;
    r.r1 = 6.0;
    r.r2 = 4.0;
    r.scpa = (r.r2 - 20.0 * wait / 60.0) / 2.0;
    return r;
}

// The same exercise with the clock set so that midnight falls between the
// observations, B-2 the later one or (`backwards`) the earlier one.
PlotRecord across_midnight(PlotRecord r, bool backwards) {
    r.th1 = backwards ? 0.0 : 23.0;
    r.tm1 = backwards ? 2.0 : 56.0;
    r.th2 = backwards ? 23.0 : 0.0;
    r.tm2 = backwards ? 56.0 : 2.0;
    r.tmh = r.th2;
    r.tmm = r.tm2 + r.wait;
    return r;
}

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

// Every third exercise of the seeded check is one of the kinds that once went
// wrong: B on a steady bearing of 060, 120, 240 or 300 with the CPA half the
// range at the manoeuvre time, or the observations moved across midnight.
PlotRecord seeded_exercise(std::mt19937_64& rng, int i) {
    PlotRecord r = random_exercise(rng);
    if (i % 6 == 2) {
        const double bearings[] = {60.0, 120.0, 240.0, 300.0};
        r = steady_bearing_exercise(r.aka, bearings[rng() % 4], static_cast<double>(rng() % 2 * 3));
    } else if (i % 6 == 5) {
        r = across_midnight(r, rng() % 2 == 1);
    }
    return r;
}

// Both sides' unrounded courses pass the simulation, and the printed ones are
// those courses rounded to whole degrees.
void expect_sound_courses(const PlotRecord& r, double tolerance, const std::string& name) {
    const PlotSolution s = solve_plot(r);
    const Manoeuvre m = *solve_manoeuvre(r, s);
    ASSERT_EQ(m.outcome, Outcome::Courses) << name;
    for (const TangentCourses* side : {&m.side1, &m.side2}) {
        if (side->hits.ier == 1) continue;
        for (const auto& [course, printed] : {std::pair{side->course1, side->pqil1}, std::pair{side->course2, side->pqil2}}) {
            EXPECT_EQ(check_course(r, course, tolerance), "") << name << ", course " << course;
            EXPECT_LE(std::fabs(std::remainder(printed - course, 360.0)), 0.5) << name << ", course " << course;
        }
    }
}

TEST(NavigationCheck, EastWestTangentsAndMidnightGiveSoundCourses) {
    for (double course : {0.0, 45.0, 151.0, 200.0, 330.0}) {
        for (double bearing : {60.0, 120.0, 240.0, 300.0}) {
            for (double wait : {0.0, 3.0}) {
                const PlotRecord r = steady_bearing_exercise(course, bearing, wait);
                const std::string name = "course " + std::to_string(course) + ", bearing " + std::to_string(bearing) +
                                         ", delay " + std::to_string(wait);
                expect_sound_courses(r, 1e-9, name);
                expect_sound_courses(across_midnight(r, false), 1e-9, name + ", across midnight");
                expect_sound_courses(across_midnight(r, true), 1e-9, name + ", back across midnight");
            }
        }
    }
}

TEST(NavigationCheck, TrueMotionLessOwnMotionIsTheObservedRelativeMotion) {
    std::mt19937_64 rng(20261208);
    for (int i = 0; i < 3000; ++i) {
        const PlotRecord r = seeded_exercise(rng, i);
        const PlotSolution s = solve_plot(r);
        const Vec relative = observed_relative_velocity(r);
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
        const PlotRecord r = seeded_exercise(rng, i);
        const PlotSolution s = solve_plot(r);
        const Manoeuvre m = *solve_manoeuvre(r, s);
        if (m.outcome != Outcome::Courses) continue;
        const Vec true_b = observed_relative_velocity(r) + along(r.aka, r.va);

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
                EXPECT_EQ(check_course(r, course, 1e-6), "") << "exercise " << i << ", course " << course;
                ++courses_checked;
            }
        }
    }
    EXPECT_GT(courses_checked, 2000);
    EXPECT_GT(sides_without_course, 500);
}

}  // namespace
}  // namespace echo_track
