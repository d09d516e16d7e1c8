// The generated exercises: every kind over many seeds meets its criteria,
// written out here from the navigator's figures; every value is one found
// at sea; the dice are pinned; an exercise survives its TOML file.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>

#include "traffic_io/traffic_file.hpp"
#include "sheets/answer_key.hpp"
#include "sheets/dialog_answers.hpp"
#include "sheets/exercise_files.hpp"
#include "sheets/generator.hpp"
#include "traffic/vec2.hpp"

namespace echo_track::sheets {
namespace {

using traffic::TargetSolution;
using traffic::TrafficExercise;

constexpr int kSeeds = 60;

// B's bearing from the own bow, -180..180, positive to starboard.
double from_bow(const TrafficExercise& e, const TargetSolution& b) { return traffic::signed_turn(e.own.course, b.bearing); }
double courses_apart(const TrafficExercise& e, const TargetSolution& b) {
    return std::fabs(traffic::signed_turn(e.own.course, b.true_course));
}
bool passes_too_close(const TrafficExercise& e, const TargetSolution& b) {
    return b.present.cpa_nm < e.required_cpa_nm && b.present.tcpa_min > 0.0;
}

using Criteria = std::function<bool(const TrafficExercise&, const TargetSolution&)>;

struct KindCase {
    Kind kind;
    Criteria holds;
    std::optional<Outcome> dialog;  // what echo-track's manoeuvre report comes to
    const char* encounter;          // the key's encounter under the rules: the kind's own name
};

const KindCase kCases[] = {
    {Kind::HeadOn,
     [](auto& e, auto& b) {
         return std::fabs(from_bow(e, b)) <= 10.0 && courses_apart(e, b) >= 165.0 && passes_too_close(e, b);
     },
     Outcome::Courses, "head-on"},
    {Kind::CrossingFromStarboard,
     [](auto& e, auto& b) { return from_bow(e, b) >= 10.0 && from_bow(e, b) <= 112.5 && passes_too_close(e, b); },
     Outcome::Courses, "crossing-starboard"},
    {Kind::CrossingFromPort,
     [](auto& e, auto& b) { return from_bow(e, b) <= -10.0 && from_bow(e, b) >= -112.5 && passes_too_close(e, b); },
     Outcome::Courses, "crossing-port"},
    {Kind::BOvertaking,
     [](auto& e, auto& b) {
         return std::fabs(from_bow(e, b)) > 112.5 && b.present.tcpa_min > 0.0 && passes_too_close(e, b);
     },
     Outcome::Courses, "overtaken"},
    {Kind::OwnOvertaking,
     [](auto& e, auto& b) {
         return std::fabs(from_bow(e, b)) <= 22.5 && b.true_speed_kt < e.own.speed_kt && courses_apart(e, b) <= 22.5 &&
                passes_too_close(e, b);
     },
     Outcome::Courses, "overtaking"},
    {Kind::PassingClear,
     [](auto& e, auto& b) { return b.range_nm > e.required_cpa_nm && b.present.cpa_nm >= e.required_cpa_nm; },
     Outcome::NoDanger, "none"},
    {Kind::TooClose, [](auto& e, auto& b) { return b.range_nm < e.required_cpa_nm; }, Outcome::TooClose, nullptr},
};

bool whole(double v) { return v == std::round(v); }
bool tenths(double v) { return std::fabs(v * 10.0 - std::round(v * 10.0)) < 1e-9; }

// The values a navigator meets at sea and in the textbooks.
void expect_sea_values(const SheetExercise& x) {
    const TrafficExercise& e = x.exercise;
    EXPECT_TRUE(whole(e.own.course) && e.own.course >= 0.0 && e.own.course < 360.0);
    EXPECT_TRUE(whole(e.own.speed_kt) && e.own.speed_kt >= 5.0 && e.own.speed_kt <= 20.0);
    EXPECT_TRUE(tenths(e.required_cpa_nm) && e.required_cpa_nm >= 0.5 - 1e-9 && e.required_cpa_nm <= 2.0 + 1e-9);
    EXPECT_TRUE(e.manoeuvre.delay_min >= 0 && e.manoeuvre.delay_min <= 6 && !e.manoeuvre.at);
    for (const TargetSolution& t : x.solution.targets) EXPECT_LE(t.true_speed_kt, 25.0) << t.name;
    for (const traffic::Target& t : e.targets) {
        const int interval = traffic::minutes_between(t.sightings.front().time, t.sightings.back().time);
        EXPECT_TRUE(interval == 6 || interval == 10 || interval == 12) << interval;
        for (const traffic::Sighting& s : t.sightings) {
            EXPECT_TRUE(whole(s.bearing) && s.bearing >= 0.0 && s.bearing < 360.0) << s.bearing;
            EXPECT_TRUE(tenths(s.range_nm) && s.range_nm >= 2.0 && s.range_nm <= 12.0) << s.range_nm;
        }
    }
}

TEST(Exercises, EveryKindMeetsItsCriteriaWithValuesAsAtSea) {
    for (const KindCase& c : kCases) {
        for (int seed = 0; seed < kSeeds; ++seed) {
            Dice dice(static_cast<std::uint64_t>(seed));
            const SheetExercise x = generate_exercise(c.kind, dice);
            SCOPED_TRACE(std::string(kind_name(c.kind)) + " seed " + std::to_string(seed));
            expect_sea_values(x);
            // Solved afresh from the values on the sheet, not taken from the generator.
            const traffic::TrafficSolution solved = traffic::solve_traffic(x.exercise);
            ASSERT_EQ(solved.targets.size(), 1u);
            EXPECT_TRUE(c.holds(x.exercise, solved.targets.front()));
            EXPECT_EQ(dialog_outcome(typed_exercise(x.exercise)), c.dialog);
            if (c.encounter != nullptr) {
                EXPECT_EQ(encounter_word(solved.rules.front().encounter.situation), c.encounter);
            }
        }
    }
}

TEST(Exercises, SeveralShipsHaveTwoToFourAndOneInDangerWithAWayOut) {
    std::set<std::size_t> sizes;
    for (int seed = 0; seed < kSeeds; ++seed) {
        Dice dice(static_cast<std::uint64_t>(seed));
        const SheetExercise x = generate_exercise(Kind::SeveralShips, dice);
        expect_sea_values(x);
        const traffic::TrafficSolution solved = traffic::solve_traffic(x.exercise);
        sizes.insert(solved.targets.size());
        int in_danger = 0;
        for (const TargetSolution& t : solved.targets) in_danger += passes_too_close(x.exercise, t) ? 1 : 0;
        EXPECT_GE(in_danger, 1);
        EXPECT_TRUE(solved.starboard || solved.port) << "seed " << seed;
    }
    EXPECT_EQ(sizes, (std::set<std::size_t>{2, 3, 4}));
}

// The mapping of the engine's numbers is ours: these draws must come out the
// same with every standard library.
TEST(Dice, DrawsArePinnedAndCoverTheirRange) {
    Dice dice(1);
    EXPECT_EQ(dice.whole(0, 359), 248);
    EXPECT_EQ(dice.whole(5, 20), 19);
    EXPECT_DOUBLE_EQ(dice.real(0.0, 1.0), 0.45121490384453811);
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const int v = dice.whole(-3, 3);
        ASSERT_TRUE(v >= -3 && v <= 3);
        seen.insert(v);
        const double r = dice.real(2.0, 12.0);
        ASSERT_TRUE(r >= 2.0 && r < 12.0);
    }
    EXPECT_EQ(seen.size(), 7u);
}

TEST(ExerciseFiles, EveryExerciseSurvivesItsTomlFile) {
    const std::vector<Kind> kinds(kAllKinds.begin(), kAllKinds.end());
    const std::vector<SheetExercise> sheet = generate_sheet(5, 16, kinds);
    for (std::size_t i = 0; i < sheet.size(); ++i) {
        const TrafficExercise& e = sheet[i].exercise;
        const TrafficExercise read = traffic_io::parse_traffic_exercise(exercise_toml(sheet[i], static_cast<int>(i) + 1), "x.toml");
        EXPECT_EQ(read.own.course, e.own.course);
        EXPECT_EQ(read.own.speed_kt, e.own.speed_kt);
        EXPECT_EQ(read.required_cpa_nm, e.required_cpa_nm);
        EXPECT_EQ(read.manoeuvre.delay_min, e.manoeuvre.delay_min);
        ASSERT_EQ(read.targets.size(), e.targets.size());
        for (std::size_t t = 0; t < e.targets.size(); ++t) {
            ASSERT_EQ(read.targets[t].sightings.size(), e.targets[t].sightings.size());
            for (std::size_t k = 0; k < e.targets[t].sightings.size(); ++k) {
                EXPECT_EQ(read.targets[t].sightings[k].time.minutes, e.targets[t].sightings[k].time.minutes);
                EXPECT_EQ(read.targets[t].sightings[k].bearing, e.targets[t].sightings[k].bearing);
                EXPECT_EQ(read.targets[t].sightings[k].range_nm, e.targets[t].sightings[k].range_nm);
            }
        }
    }
}

}  // namespace
}  // namespace echo_track::sheets
