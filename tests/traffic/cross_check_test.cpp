// The traffic solver against the dialog's solver on thousands of seeded
// one-target exercises where both see danger: the same plot, and each
// smallest alteration clears B and is one of the courses the dialog prints.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <set>

#include "solver/manoeuvre.hpp"
#include "solver/plot_solution.hpp"
#include "tests/traffic/simulated_sea.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::traffic {
namespace {

using testing::SeaTarget;
using testing::uniform;

constexpr int kExercises = 8000;
constexpr double kAgree = 1e-9;
constexpr double kTie = 1e-6;     // an exact course this close to a .5 may round either way
constexpr double kGraze = 1e-9;   // kt: the dialog's discriminant may fall either side of zero

struct OneTarget {
    PlotRecord record;
    TrafficExercise exercise;
    SeaTarget sea;
};

// B placed around the own ship at the manoeuvre time and sighted twice
// before it, the later sighting as B-2. Now and then the own ship is
// stopped, B keeps station, B makes the own speed, or the sightings straddle
// midnight.
OneTarget random_exercise(std::mt19937_64& rng) {
    OneTarget x;
    const double course = std::floor(uniform(rng, 0.0, 360.0));
    const double kind = uniform(rng, 0.0, 1.0);
    const double speed = kind < 0.03 ? 0.0 : std::round(uniform(rng, 1.0, 20.0) * 10.0) / 10.0;
    const Vec2 own_velocity = along(course, speed);
    x.sea.at_manoeuvre = along(uniform(rng, 0.0, 360.0), uniform(rng, 1.0, 10.0));
    // Mostly B heads for the own ship within some degrees, as in a real
    // close-quarters situation; otherwise anywhere.
    const Vec2 closing = turned((-1.0 / length(x.sea.at_manoeuvre)) * x.sea.at_manoeuvre, uniform(rng, -20.0, 20.0));
    x.sea.velocity = kind < 0.06   ? own_velocity
                     : kind < 0.09 ? along(uniform(rng, 0.0, 360.0), speed)
                     : kind < 0.3  ? along(uniform(rng, 0.0, 360.0), uniform(rng, 0.0, 25.0))
                                   : own_velocity + uniform(rng, 2.0, 25.0) * closing;
    const int delay = std::uniform_int_distribution<int>(0, 10)(rng);
    const int interval = std::uniform_int_distribution<int>(3, 15)(rng);
    const int b2 = kind > 0.9 ? std::uniform_int_distribution<int>(0, 10)(rng)
                              : std::uniform_int_distribution<int>(0, kMinutesPerDay - 1)(rng);
    const int b1 = (b2 - interval + kMinutesPerDay) % kMinutesPerDay;
    const Sighting s1 = testing::sight(x.sea, own_velocity, -delay - interval, ClockTime{b1});
    const Sighting s2 = testing::sight(x.sea, own_velocity, -delay, ClockTime{b2});

    PlotRecord& r = x.record;
    r.aka = course;
    r.va = speed;
    r.th1 = b1 / 60;
    r.tm1 = b1 % 60;
    r.th2 = b2 / 60;
    r.tm2 = b2 % 60;
    r.tmh = r.th2;
    r.tmm = r.tm2 + delay;
    r.rwp1 = s1.bearing;
    r.r1 = s1.range_nm;
    r.rwp2 = s2.bearing;
    r.r2 = s2.range_nm;
    r.scpa = std::round(uniform(rng, 0.5, 3.0) * 10.0) / 10.0;
    r.wait = delay;

    x.exercise.own = {course, speed};
    x.exercise.targets = {Target{"B", s1, s2}};
    x.exercise.required_cpa_nm = r.scpa;
    x.exercise.manoeuvre.delay_min = delay;
    return x;
}

// Whether the dialog's solver already takes the observation interval the
// shorter way round the clock.
bool dialog_wraps_midnight() {
    PlotRecord r;
    r.th1 = 23.0;
    r.tm1 = 57.0;
    r.th2 = 0.0;
    r.tm2 = 3.0;
    return solve_plot(r).dt == 6.0;
}

// The own courses the dialog prints, brought into 0..359.
std::set<int> dialog_courses(const Manoeuvre& m) {
    std::set<int> courses;
    for (const TangentCourses* side : {&m.side1, &m.side2}) {
        if (side->hits.ier != 0) continue;
        courses.insert(static_cast<int>(side->pqil1) % 360);
        courses.insert(static_cast<int>(side->pqil2) % 360);
    }
    return courses;
}

bool grazes(const TargetSolution& b, double required, double own_speed) {
    for (const Vec2 edge : verdict_borders(b.position, required).edges) {
        if (std::fabs(std::fabs(cross(b.true_velocity, edge)) - own_speed) < kGraze) return true;
    }
    return false;
}

bool near_a_half(double course) {
    const double fraction = course - std::floor(course);
    return std::fabs(fraction - 0.5) < kTie;
}

struct Tally {
    int compared = 0;
    int alterations = 0;
    int only_dialog_danger = 0;
    int only_traffic_danger = 0;
    int too_close = 0;
    int midnight_before_fix = 0;
    int own_speed_zero = 0;
    int no_relative_motion = 0;
    int own_speed_is_b_speed = 0;
    int past_closest_point = 0;
    int grazing = 0;
    int ties = 0;
};

TEST(TrafficCrossCheck, AgreesWithTheDialogWhereBothSeeDanger) {
    std::mt19937_64 rng(1411);
    const bool wraps = dialog_wraps_midnight();
    Tally n;
    for (int i = 0; i < kExercises; ++i) {
        const OneTarget x = random_exercise(rng);
        const PlotRecord& r = x.record;
        const PlotSolution plot = solve_plot(r);
        const std::optional<Manoeuvre> m = solve_manoeuvre(r, plot);
        ASSERT_TRUE(m);
        const TrafficSolution s = solve_traffic(x.exercise);
        const TargetSolution& b = s.targets.front();
        if (!wraps && plot.dt > 720.0) {
            ++n.midnight_before_fix;
            continue;
        }
        if (m->outcome == echo_track::Outcome::TooClose) {  // the dialog offers no course
            ++n.too_close;
            continue;
        }
        if (m->outcome != echo_track::Outcome::Courses) {  // the dialog sees no danger
            if (b.present.danger) ++n.only_traffic_danger;  // a CPA just below the limit that rounds up to it
            continue;
        }
        if (r.va == 0.0) { ++n.own_speed_zero; continue; }
        if (b.present.keeps_station) { ++n.no_relative_motion; continue; }
        if (std::fabs(b.true_speed_kt - r.va) < kGraze) { ++n.own_speed_is_b_speed; continue; }
        if (b.present.tcpa_min <= 0.0) { ++n.past_closest_point; continue; }
        if (!b.present.danger) { ++n.only_dialog_danger; continue; }
        if (grazes(b, r.scpa, r.va)) { ++n.grazing; continue; }
        if ((s.starboard && near_a_half(s.starboard->alteration.exact_course)) ||
            (s.port && near_a_half(s.port->alteration.exact_course))) {
            ++n.ties;
            continue;
        }
        ++n.compared;
        SCOPED_TRACE(::testing::Message() << "exercise " << i);
        EXPECT_NEAR(signed_turn(plot.akbr, b.present.relative_course), 0.0, kAgree);
        EXPECT_NEAR(plot.vbr, b.present.relative_speed_kt, kAgree);
        EXPECT_NEAR(signed_turn(plot.akb, b.true_course), 0.0, kAgree);
        EXPECT_NEAR(plot.vb, b.true_speed_kt, kAgree);
        EXPECT_NEAR(plot.cpar, b.present.cpa_nm, kAgree);

        const std::set<int> printed = dialog_courses(*m);
        for (const auto* side : {&s.starboard, &s.port}) {
            if (!*side) continue;
            ++n.alterations;
            const double exact = (*side)->alteration.exact_course;
            // The edge is where the ship grazes the limit (kGrazeNm inside it).
            EXPECT_GE(testing::least_range_ahead(x.sea, along(exact, r.va)), r.scpa - kGrazeNm - kAgree) << exact;
            const int rounded = static_cast<int>(std::floor(exact + 0.5)) % 360;
            EXPECT_TRUE(printed.count(rounded)) << "exact " << exact << " not among the dialog's courses";
        }
    }
    std::printf("cross-check of %d exercises: %d compared (%d alterations); left out: %d ties near .5, %d grazing a cone edge, "
                "%d own speed = B's speed, %d B past its closest point, %d own speed 0, %d no relative motion; "
                "danger for one solver only: %d dialog, %d traffic (the dialog rounds the CPA first); "
                "%d already too close for the dialog; %d across midnight before the dialog wraps it\n",
                kExercises, n.compared, n.alterations, n.ties, n.grazing, n.own_speed_is_b_speed, n.past_closest_point,
                n.own_speed_zero, n.no_relative_motion, n.only_dialog_danger, n.only_traffic_danger, n.too_close,
                n.midnight_before_fix);
    EXPECT_GT(n.compared, kExercises / 3);
}

}  // namespace
}  // namespace echo_track::traffic
