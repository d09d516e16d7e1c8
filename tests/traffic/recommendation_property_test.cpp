// The recommended manoeuvre and the time to resume, against a plain
// simulation over seeded exercises of one to four ships of every kind, in
// sight and in restricted visibility:
// - what is recommended clears every ship (both ships moved along their
//   velocities from the manoeuvre time; no ship more than 1e-7 nm inside the
//   required CPA, or one inside that does not close), turns to no side the
//   rules ask to avoid for a ship with risk, passes astern of each ship it
//   must, and is readily apparent (Rule 8);
// - no manoeuvre of the same kind at the same resolution (whole degrees,
//   tenths of a knot) that the rules allow and that clears departs less;
// - going back to the original course and speed at the resume time clears
//   every ship, with every ship with risk past its closest point on the
//   manoeuvre, and going back 0.2 min earlier does not.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tests/traffic/rules_sea.hpp"
#include "traffic/recommendation.hpp"
#include "traffic/resume_time.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::traffic {
namespace {

using namespace testing;  // the seeded sea and its simulation

constexpr int kExercises = 1500;

struct Checker {
    const Sea& sea;
    const TrafficSolution& s;
    const std::vector<ShipRules>& rules;

    double required() const { return sea.exercise.required_cpa_nm; }
    const CourseAndSpeed& own() const { return sea.exercise.own; }

    // Every condition of a recommended manoeuvre, the clearing by simulation.
    std::string why_not(const CourseAndSpeed& c) const {
        const Vec2 v = along(c.course, c.speed_kt);
        if (!simulated_clear(sea.truth, v, required())) return "does not clear";
        const TurnSide side = side_of_turn(own().course, c.course);
        for (std::size_t i = 0; i < rules.size(); ++i) {
            if (!rules[i].risk) continue;
            if (side != TurnSide::None && rules[i].encounter.forbidden_turn == side) return "turns to a forbidden side";
            if (rules[i].encounter.pass_astern && simulated_crossing_ahead(sea.truth[i], v)) return "crosses ahead";
        }
        if (!readily_apparent(own(), c, sea.settings)) return "too small (Rule 8)";
        return "";
    }

    // The judgement the search uses, for the exhaustive comparison.
    bool acceptable(const CourseAndSpeed& c) const {
        return readily_apparent(own(), c, sea.settings) && rules_allow(s.targets, rules, own(), c) &&
               clears_every_solved(s.targets, along(c.course, c.speed_kt), required());
    }

    // No whole-degree course at the present speed turning less (least <=
    // turn <= 90) is acceptable.
    std::string smaller_course(double chosen_turn, bool chosen_starboard) const {
        for (int c = 0; c < 360; ++c) {
            const double turn = signed_turn(own().course, c);
            const double size = std::fabs(turn);
            if (size < sea.settings.least_alteration_deg - 1e-9 || size > 90.0 + 1e-9) continue;
            const bool smaller = size < chosen_turn - 1e-9 || (std::fabs(size - chosen_turn) < 1e-9 && turn > 0.0 && !chosen_starboard);
            if (smaller && acceptable({static_cast<double>(c), own().speed_kt})) return "course " + std::to_string(c) + " turns less";
        }
        return "";
    }
};

TEST(Recommendation, ClearsRespectsTheRulesAndDepartsLeast) {
    std::mt19937_64 rng(20261209);
    int by_kind[7] = {};
    int resumed = 0;
    for (int n = 0; n < kExercises; ++n) {
        const Sea sea = random_sea(rng);
        const TrafficSolution s = solve_traffic(sea.exercise);
        const std::vector<ShipRules> rules = read_rules(s.targets, sea.kinds, sea.exercise.own, sea.settings, sea.exercise.required_cpa_nm);
        const Recommendation r = recommend(s.targets, rules, sea.exercise.own, sea.settings, sea.exercise.required_cpa_nm, s.arcs,
                                           s.speed_alternative.choice);
        const Checker check{sea, s, rules};
        ++by_kind[static_cast<int>(r.kind)];
        SCOPED_TRACE("exercise " + std::to_string(n) + ", kind " + std::to_string(static_cast<int>(r.kind)) + ", course " +
                     std::to_string(r.own.course) + " at " + std::to_string(r.own.speed_kt));
        const CourseAndSpeed& own = sea.exercise.own;
        switch (r.kind) {
            case RecommendationKind::NoneNeeded:
                EXPECT_TRUE(simulated_clear(sea.truth, sea.own_velocity, sea.exercise.required_cpa_nm));
                break;
            case RecommendationKind::Course:
                EXPECT_EQ(check.why_not(r.own), "");
                EXPECT_EQ(r.own.speed_kt, own.speed_kt);
                EXPECT_EQ(check.smaller_course(std::fabs(r.turn_deg), r.turn_deg > 0.0), "");
                break;
            case RecommendationKind::Speed:
                EXPECT_EQ(check.why_not(r.own), "");
                EXPECT_EQ(check.smaller_course(91.0, true), "") << "a course alone would do";
                for (double s10 = std::round(r.own.speed_kt * 10.0) + 1.0; s10 / 10.0 <= sea.settings.least_speed_fraction * own.speed_kt + 1e-9; s10 += 1.0) {
                    EXPECT_FALSE(check.acceptable({own.course, s10 / 10.0})) << "speed " << s10 / 10.0 << " reduces less";
                }
                break;
            case RecommendationKind::CourseAndSpeed: {
                EXPECT_EQ(check.why_not(r.own), "");
                EXPECT_EQ(check.smaller_course(91.0, true), "") << "a course alone would do";
                for (double s10 = 0.0; s10 / 10.0 <= sea.settings.least_speed_fraction * own.speed_kt + 1e-9; s10 += 1.0) {
                    EXPECT_FALSE(check.acceptable({own.course, s10 / 10.0})) << "a speed alone would do";
                }
                const double chosen = std::fabs(r.turn_deg);
                for (int c = 0; c < 360; ++c) {
                    const double size = std::fabs(signed_turn(own.course, c));
                    if (size >= chosen - 1e-9 || size < 1e-9) continue;
                    for (double s10 = 0.0; s10 / 10.0 < own.speed_kt - 1e-9; s10 += 1.0) {
                        EXPECT_FALSE(check.acceptable({static_cast<double>(c), s10 / 10.0})) << "course " << c << " turns less";
                    }
                }
                break;
            }
            case RecommendationKind::StandOn:
                if (r.stand_on_action) {
                    EXPECT_EQ(check.why_not(*r.stand_on_action), "");
                }
                break;
            case RecommendationKind::Watch:
                EXPECT_FALSE(simulated_clear(sea.truth, sea.own_velocity, sea.exercise.required_cpa_nm));
                break;
            case RecommendationKind::NoManoeuvreClears:
                // What comes closest is a manoeuvre the rules allow, and no
                // allowed course at the present speed clears.
                EXPECT_TRUE(rules_allow(s.targets, rules, own, r.own));
                for (int c = 0; c < 360; ++c) {
                    EXPECT_FALSE(check.acceptable({static_cast<double>(c), own.speed_kt})) << "course " << c << " clears";
                }
                break;
        }
        const bool manoeuvre = r.kind == RecommendationKind::Course || r.kind == RecommendationKind::Speed ||
                               r.kind == RecommendationKind::CourseAndSpeed;
        if (!manoeuvre || HasFailure()) {
            if (HasFailure()) return;
            continue;
        }
        const ResumeTime back = resume_time(s.targets, rules, own, r.own, sea.settings.visibility, sea.exercise.required_cpa_nm);
        if (!back.found) continue;
        ++resumed;
        const Vec2 v = along(r.own.course, r.own.speed_kt);
        const auto clears_going_back = [&](double minutes) {
            const std::vector<SeaTarget> later = ships_at(sea.truth, v, minutes);
            if (!simulated_clear(later, sea.own_velocity, sea.exercise.required_cpa_nm)) return false;
            for (std::size_t i = 0; i < later.size(); ++i) {
                // past its closest point on the manoeuvre: opening at the manoeuvre's velocity
                const Vec2 away = later[i].velocity - v;
                if (rules[i].risk && length(away) > 1e-9 && dot(later[i].at_manoeuvre, away) < 0.0) return false;
            }
            return true;
        };
        // Rule 19(d) for the turn back, from the simulated ships: a ship with
        // risk still closing forbids a turn to port forward of the beam
        // (unless the own ship overtakes it), a turn towards it abeam or abaft.
        const TurnSide turn_back = side_of_turn(r.own.course, own.course);
        const auto turn_back_forbidden = [&](double minutes) {
            if (sea.settings.visibility != Visibility::Restricted || turn_back == TurnSide::None) return false;
            for (std::size_t i = 0; i < sea.truth.size(); ++i) {
                if (!rules[i].risk) continue;
                const Vec2 here = testing::seen_at(sea.truth[i], v, minutes);
                if (length(testing::seen_at(sea.truth[i], v, minutes + 0.01)) >= length(here)) continue;  // not closing
                const double off = signed_turn(r.own.course, bearing_of(here));
                const TurnSide avoid = std::fabs(off) < 90.0
                                           ? (rules[i].encounter.situation == Situation::Overtaking ? TurnSide::None : TurnSide::Port)
                                           : (off > 0.0 && off < 180.0 ? TurnSide::Starboard : off < 0.0 ? TurnSide::Port : TurnSide::None);
                if (avoid == turn_back) return true;
            }
            return false;
        };
        EXPECT_TRUE(clears_going_back(back.after_min)) << "resume at " << back.after_min;
        EXPECT_FALSE(turn_back_forbidden(back.after_min)) << "resume at " << back.after_min;
        if (back.after_min >= 0.2) {
            const double early = back.after_min - 0.2;
            EXPECT_TRUE(!clears_going_back(early) || turn_back_forbidden(early)) << "resume at " << back.after_min;
        }
        if (HasFailure()) return;
    }
    std::printf("recommendations: none needed %d, watch %d, course %d, speed %d, both %d, stand on %d, none clears %d; resumed %d\n",
                by_kind[0], by_kind[1], by_kind[2], by_kind[3], by_kind[4], by_kind[5], by_kind[6], resumed);
    EXPECT_GT(by_kind[static_cast<int>(RecommendationKind::Course)], kExercises / 10);
    EXPECT_GT(by_kind[static_cast<int>(RecommendationKind::Speed)] + by_kind[static_cast<int>(RecommendationKind::CourseAndSpeed)], 0);
    EXPECT_GT(resumed, kExercises / 10);
}

}  // namespace
}  // namespace echo_track::traffic
