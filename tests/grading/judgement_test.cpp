// Answers judged against the key: the key's own figures as the answer page
// prints them get full marks on every kind over many seeds; each figure
// moved just inside its tolerance is right and just outside wrong; a new
// course is right when it clears and turns to a side the rules allow, and
// wrong short of the clearing edge or to a side they forbid; answers that
// are no figure are reported as such.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "console/field_text.hpp"
#include "grading/judgement.hpp"
#include "sheets/key_text.hpp"
#include "traffic/vec2.hpp"

namespace echo_track::grading {
namespace {

using sheets::KeyItem;
using sheets::Measure;

constexpr int kSeeds = 25;

std::map<std::string, std::string> key_answers(const sheets::SheetExercise& x) {
    std::map<std::string, std::string> answers;
    for (const KeyItem& item : sheets::key_items(x)) answers[item.name] = sheets::key_value_text(item);
    return answers;
}

const ItemGrade& graded(const ExerciseGrade& g, const std::string& name) {
    for (const ItemGrade& item : g.items) {
        if (item.item.name == name) return item;
    }
    throw std::logic_error("no item " + name);
}

TEST(Grading, TheKeysOwnFiguresGetFullMarksOnEveryKind) {
    for (int seed = 0; seed < kSeeds; ++seed) {
        const auto sheet = sheets::generate_sheet(static_cast<std::uint64_t>(seed), 8,
                                                  std::vector<sheets::Kind>(sheets::kAllKinds.begin(), sheets::kAllKinds.end()));
        for (const sheets::SheetExercise& x : sheet) {
            const ExerciseGrade g = grade_exercise(x, key_answers(x), Tolerances{});
            EXPECT_EQ(g.right, g.out_of) << sheets::kind_name(x.kind) << " seed " << seed;
            EXPECT_GE(g.out_of, 11);
            for (const ItemGrade& item : g.items) EXPECT_EQ(item.mark, Mark::Right) << item.item.name << " " << item.written << " " << item.note;
        }
    }
}

// The figure `shift` away from the key's, written as a student would.
std::string moved(const KeyItem& item, double shift) {
    const double v = item.value + shift;
    switch (item.measure) {
        case Measure::Clock: {
            const int m = static_cast<int>(std::lround(v)) % 1440;
            return console::zero_padded(m / 60, 2) + ":" + console::zero_padded(m % 60, 2);
        }
        case Measure::RedGreen: return (v < 0.0 ? "red " : "green ") + console::decimal_text(std::fabs(v), 3);
        case Measure::Bearing:
        case Measure::TrueCourse: return console::decimal_text(traffic::normalized_degrees(v), 3);
        default: return console::decimal_text(v, 3);
    }
}

TEST(Grading, EachFigureJustInsideItsToleranceIsRightAndJustOutsideWrong) {
    const Tolerances tolerances;
    for (const sheets::Kind kind : {sheets::Kind::CrossingFromStarboard, sheets::Kind::SeveralShips, sheets::Kind::TooClose}) {
        for (int seed = 0; seed < kSeeds; ++seed) {
            sheets::Dice dice(static_cast<std::uint64_t>(seed));
            const sheets::SheetExercise x = sheets::generate_exercise(kind, dice);
            for (const KeyItem& item : sheets::key_items(x)) {
                const std::optional<double> tolerance = tolerance_of(x, item, tolerances);
                if (!tolerance) continue;
                // A clock is written to the minute: half a minute each way is the writing's.
                const bool clock = item.measure == Measure::Clock;
                const double base = clock ? std::round(item.value) - item.value : 0.0;
                const double inside = clock ? *tolerance - 1.0 : 0.95 * *tolerance;
                const double outside = clock ? *tolerance + 1.0 : 1.05 * *tolerance;
                for (const double sign : {1.0, -1.0}) {
                    // An aspect is not moved across 0 or 180, where red turns green by a name.
                    if (item.measure == Measure::RedGreen && std::fabs(item.value) < 2.0 * *tolerance) continue;
                    for (const auto& [shift, right] : {std::pair{inside, true}, std::pair{outside, false}}) {
                        // No distance, speed or span of time below zero is written.
                        const bool signed_figure = item.measure == Measure::RedGreen || item.measure == Measure::Bearing ||
                                                   item.measure == Measure::TrueCourse || clock;
                        if (!signed_figure && item.value - outside < 0.0) continue;
                        std::map<std::string, std::string> answers = key_answers(x);
                        answers[item.name] = moved(item, base + sign * shift);
                        const ExerciseGrade grade = grade_exercise(x, answers, tolerances);
                        const ItemGrade& g = graded(grade, item.name);
                        EXPECT_EQ(g.mark == Mark::Right, right) << sheets::kind_name(kind) << " seed " << seed << " "
                                                                 << item.name << " key " << g.key << " written " << g.written;
                    }
                }
            }
        }
    }
}

TEST(Grading, ASlowTargetsTrueCourseIsJudgedLoosely) {
    Tolerances tolerances;
    for (int seed = 0; seed < kSeeds; ++seed) {
        sheets::Dice dice(static_cast<std::uint64_t>(seed));
        const sheets::SheetExercise x = sheets::generate_exercise(sheets::Kind::HeadOn, dice);
        const KeyItem item = graded(grade_exercise(x, {}, tolerances), "true_course_B").item;
        tolerances.slow_target_kt = x.solution.targets.front().true_speed_kt + 1.0;  // this target now counts as slow
        EXPECT_EQ(tolerance_of(x, item, tolerances), tolerances.slow_course_deg);
        tolerances.slow_target_kt = 3.0;
        EXPECT_EQ(tolerance_of(x, item, tolerances), tolerances.bearing_deg);
    }
}

TEST(Grading, ANewCourseIsRightWhenItClearsToASideTheRulesAllow) {
    int forbidden_sides = 0;
    for (int seed = 0; seed < kSeeds; ++seed) {
        sheets::Dice dice(static_cast<std::uint64_t>(seed));
        const sheets::SheetExercise x = sheets::generate_exercise(sheets::Kind::CrossingFromStarboard, dice);
        const traffic::TrafficSolution& s = x.solution;
        if (s.recommendation.kind != traffic::RecommendationKind::Course || !s.starboard) continue;
        const double own = x.exercise.own.course;
        const auto mark_of = [&](double course) {
            std::map<std::string, std::string> answers = key_answers(x);
            answers["new_course"] = console::decimal_text(traffic::normalized_degrees(course), 1);
            return graded(grade_exercise(x, answers, Tolerances{}), "new_course").mark;
        };
        // Short of the clearing edge to starboard: B passes too close.
        EXPECT_EQ(mark_of(s.starboard->alteration.exact_course - 2.0), Mark::Wrong) << "seed " << seed;
        // A larger turn than the key's that still clears is right.
        const double larger = own + s.recommendation.turn_deg + 10.0;
        if (traffic::clears_every_solved(s.targets, traffic::along(larger, x.exercise.own.speed_kt), x.exercise.required_cpa_nm)) {
            EXPECT_EQ(mark_of(larger), Mark::Right) << "seed " << seed;
        }
        // A port turn that clears, which the rules ask her to avoid for B forward of the beam.
        if (s.port && s.rules.front().encounter.forbidden_turn == traffic::TurnSide::Port) {
            ++forbidden_sides;
            EXPECT_EQ(mark_of(s.port->alteration.steered_course - 5.0), Mark::Wrong) << "seed " << seed;
        }
    }
    EXPECT_GT(forbidden_sides, 0);
}

struct BadAnswer {
    const char* name;
    const char* written;
    Mark mark;
};

TEST(Grading, AnswersThatAreNoFigureAreReportedPerQuestion) {
    sheets::Dice dice(3);
    const sheets::SheetExercise x = sheets::generate_exercise(sheets::Kind::CrossingFromPort, dice);
    const BadAnswer cases[] = {
        {"relative_course_B", "", Mark::Unanswered},         {"relative_course_B", "   ", Mark::Unanswered},
        {"relative_course_B", "north", Mark::NotReadable},   {"relative_course_B", "400", Mark::NotReadable},
        {"relative_course_B", "12.5.3", Mark::NotReadable},  {"relative_speed_B", "-3", Mark::NotReadable},
        {"relative_speed_B", "12 mph", Mark::NotReadable},   {"cpa_B", "1e400", Mark::NotReadable},
        {"cpa_time_B", "25:00", Mark::NotReadable},          {"cpa_time_B", "13.42", Mark::NotReadable},
        {"aspect_B", "30", Mark::NotReadable},               {"aspect_B", "blue 30", Mark::NotReadable},
        {"risk_B", "maybe", Mark::NotReadable},              {"encounter_B", "crossing", Mark::NotReadable},
        {"new_course", "starboard", Mark::NotReadable},      {"tcpa_B", "\xff\xfe", Mark::NotReadable},
    };
    for (const BadAnswer& c : cases) {
        std::map<std::string, std::string> answers = key_answers(x);
        answers[c.name] = c.written;
        const ExerciseGrade g = grade_exercise(x, answers, Tolerances{});
        EXPECT_EQ(graded(g, c.name).mark, c.mark) << c.name << " '" << c.written << "'";
        EXPECT_EQ(g.right, g.out_of - 1) << c.name;
        if (c.mark == Mark::NotReadable) {
            EXPECT_FALSE(graded(g, c.name).note.empty());
        }
    }
}

}  // namespace
}  // namespace echo_track::grading
