// The generated exercises: every kind over many seeds meets its criteria,
// written out here from the navigator's figures (for the taught inputs also
// from the sightings themselves: three on one line give the key's motion, a
// manoeuvre at a range comes when B, moved on plainly from its sightings,
// is at that range); every value is one found at sea; the dice are pinned;
// an exercise survives its TOML file.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

#include "sheets/key_text.hpp"
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

// A sighting's position from the own ship, nm.
traffic::Vec2 plotted(const traffic::Sighting& s) { return traffic::along(s.bearing, s.range_nm); }

bool given_relative(const TrafficExercise& e, const TargetSolution&) {
    for (const traffic::Sighting& s : e.targets.front().sightings) {
        if (!s.relative_bearing || std::fmod(*s.relative_bearing + e.own.course, 360.0) != s.bearing) return false;
    }
    return true;
}

// Three at equal intervals; the third within the plot tolerance of where the
// first two put it; and the key's relative motion the line through all three
// (for equal spacing the least-squares slope is the first to the third).
bool three_on_one_line(const TrafficExercise& e, const TargetSolution& b) {
    const auto& s = e.targets.front().sightings;
    if (s.size() != 3) return false;
    const int gap = traffic::minutes_between(s[0].time, s[1].time);
    if (gap <= 0 || traffic::minutes_between(s[1].time, s[2].time) != gap) return false;
    const traffic::Vec2 expected = plotted(s[1]) + (plotted(s[1]) - plotted(s[0]));
    const double tolerance = std::max(e.plot_tolerance_nm, 0.02 * s[2].range_nm);
    const traffic::Vec2 through_all = (60.0 / (2.0 * gap)) * (plotted(s[2]) - plotted(s[0]));
    return traffic::length(plotted(s[2]) - expected) <= tolerance &&
           traffic::length(through_all - b.present.relative_velocity) < 1e-9;
}

// B's relative motion from its first sighting to its last, nm a minute.
traffic::Vec2 per_minute(const TrafficExercise& e) {
    const auto& s = e.targets.front().sightings;
    return (1.0 / traffic::minutes_between(s.front().time, s.back().time)) * (plotted(s.back()) - plotted(s.front()));
}

// B moved on from its sightings in small steps: the minutes after the
// latest until it first closes to `range_nm`; none within 12 hours.
std::optional<double> closes_after(const TrafficExercise& e, double range_nm) {
    constexpr double kStep = 0.01;
    const traffic::Vec2 latest = plotted(e.targets.front().sightings.back());
    const traffic::Vec2 v = per_minute(e);
    for (double t = 0.0; t <= 720.0; t += kStep) {
        if (traffic::length(latest + t * v) <= range_nm) return t;
    }
    return std::nullopt;
}

// "hh:mm" as minutes after midnight.
double clock_minutes(const std::string& text) { return std::stoi(text.substr(0, 2)) * 60.0 + std::stoi(text.substr(3, 2)); }

// The key asks the time of a manoeuvre at a range, and only then; as
// printed, it is the minute B closes to it after the latest sighting, moved
// on plainly from its sightings, and B's range then is the stated one within
// what B runs in half a minute.
void expect_key_time_at_the_range(const SheetExercise& x) {
    const std::vector<KeyItem> items = key_items(x);
    const auto asked = std::find_if(items.begin(), items.end(), [](const KeyItem& i) { return i.name == "manoeuvre_time"; });
    const auto& trigger = x.exercise.manoeuvre.at_range;
    ASSERT_EQ(asked != items.end(), trigger.has_value());
    if (!trigger) return;
    const TrafficExercise& e = x.exercise;
    const traffic::Sighting& latest = e.targets.front().sightings.back();
    const double key_after = clock_minutes(key_value_text(*asked)) - latest.time.minutes;
    const std::optional<double> after = closes_after(e, trigger->range_nm);
    ASSERT_TRUE(after && *after > 0.0);
    EXPECT_LE(std::fabs(key_after - *after), 0.5 + 0.01);
    const double range_then = traffic::length(plotted(latest) + key_after * per_minute(e));
    EXPECT_LE(std::fabs(range_then - trigger->range_nm), 0.5 * traffic::length(per_minute(e)) + 1e-9);
}

struct KindCase {
    Kind kind;
    Criteria holds;
    std::optional<Outcome> dialog;  // what echo-track's manoeuvre report comes to
    const char* encounter;          // the key's encounter under the rules: the kind's own name
    bool drawn_as_a_situation = false;  // a taught input: drawn as head-on or crossing, its encounter that one's
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
    {Kind::RelativeBearings, [](auto& e, auto& b) { return given_relative(e, b) && passes_too_close(e, b); },
     Outcome::Courses, nullptr, true},
    {Kind::ThreeSightings, [](auto& e, auto& b) { return three_on_one_line(e, b) && passes_too_close(e, b); },
     Outcome::Courses, nullptr, true},
    {Kind::AtARange, [](auto& e, auto& b) { return e.manoeuvre.at_range && e.manoeuvre.at_range->of == "B" && passes_too_close(e, b); },
     Outcome::Courses, nullptr, true},
};

// The situations a taught input is drawn as: the first three cases.
constexpr std::size_t kSituationCases = 3;

bool whole(double v) { return v == std::round(v); }
bool tenths(double v) { return std::fabs(v * 10.0 - std::round(v * 10.0)) < 1e-9; }

// The values a navigator meets at sea and in the textbooks.
void expect_sea_values(const SheetExercise& x) {
    const TrafficExercise& e = x.exercise;
    EXPECT_TRUE(whole(e.own.course) && e.own.course >= 0.0 && e.own.course < 360.0);
    EXPECT_TRUE(whole(e.own.speed_kt) && e.own.speed_kt >= 5.0 && e.own.speed_kt <= 20.0);
    EXPECT_TRUE(tenths(e.required_cpa_nm) && e.required_cpa_nm >= 0.5 - 1e-9 && e.required_cpa_nm <= 2.0 + 1e-9);
    EXPECT_TRUE(e.manoeuvre.delay_min >= 0 && e.manoeuvre.delay_min <= 6 && !e.manoeuvre.at);
    if (e.manoeuvre.at_range) {
        const double r = e.manoeuvre.at_range->range_nm;
        EXPECT_TRUE(whole(2.0 * r) && r >= 3.0 && r <= 6.0 && e.manoeuvre.delay_min == 0) << r;
    }
    for (const TargetSolution& t : x.solution.targets) EXPECT_LE(t.true_speed_kt, 25.0) << t.name;
    for (const traffic::Target& t : e.targets) {
        const int interval = traffic::minutes_between(t.sightings[0].time, t.sightings[1].time);
        EXPECT_TRUE(interval == 6 || interval == 10 || interval == 12) << interval;
        for (std::size_t k = 1; k < t.sightings.size(); ++k) {
            EXPECT_EQ(traffic::minutes_between(t.sightings[k - 1].time, t.sightings[k].time), interval);
        }
        for (const traffic::Sighting& s : t.sightings) {
            if (s.relative_bearing) {
                EXPECT_TRUE(whole(*s.relative_bearing) && *s.relative_bearing < 360.0);
            }
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
            // A taught input's encounter is that of the situation its geometry meets.
            if (c.drawn_as_a_situation) {
                const KindCase* drawn = nullptr;
                for (std::size_t k = 0; k < kSituationCases && !drawn; ++k) {
                    if (kCases[k].holds(x.exercise, solved.targets.front())) drawn = &kCases[k];
                }
                ASSERT_NE(drawn, nullptr);
                EXPECT_EQ(encounter_word(solved.rules.front().encounter.situation), drawn->encounter);
            }
            expect_key_time_at_the_range(x);
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
        ASSERT_EQ(read.manoeuvre.at_range.has_value(), e.manoeuvre.at_range.has_value());
        if (e.manoeuvre.at_range) {
            EXPECT_EQ(read.manoeuvre.at_range->of, e.manoeuvre.at_range->of);
            EXPECT_EQ(read.manoeuvre.at_range->range_nm, e.manoeuvre.at_range->range_nm);
        }
        ASSERT_EQ(read.targets.size(), e.targets.size());
        for (std::size_t t = 0; t < e.targets.size(); ++t) {
            ASSERT_EQ(read.targets[t].sightings.size(), e.targets[t].sightings.size());
            for (std::size_t k = 0; k < e.targets[t].sightings.size(); ++k) {
                EXPECT_EQ(read.targets[t].sightings[k].time.minutes, e.targets[t].sightings[k].time.minutes);
                EXPECT_EQ(read.targets[t].sightings[k].bearing, e.targets[t].sightings[k].bearing);
                EXPECT_EQ(read.targets[t].sightings[k].range_nm, e.targets[t].sightings[k].range_nm);
                EXPECT_EQ(read.targets[t].sightings[k].relative_bearing, e.targets[t].sightings[k].relative_bearing);
            }
        }
    }
}

}  // namespace
}  // namespace echo_track::sheets
