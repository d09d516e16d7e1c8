#include "sheets/generator.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>

#include "sheets/dialog_answers.hpp"
#include "sheets/plotting_scale.hpp"
#include "traffic/trig.hpp"
#include "traffic/vec2.hpp"

namespace echo_track::sheets {
namespace {

using traffic::Vec2;

// Drawing again this often without success is a fault of the generator.
constexpr int kMostDraws = 100000;

constexpr double kMinutesPerHour = 60.0;
constexpr int kEarliestFirstSighting = 6 * 60;  // 06:00; the manoeuvre stays well before midnight
constexpr int kLatestFirstSighting = 21 * 60;
constexpr double kTooCloseRequiredLeastNm = 1.0;  // too close: a limit it can be inside of, seen at 2 miles or more
constexpr double kLeastRelativeSpeedKt = 2.0;   // slower echoes barely move between sightings
constexpr double kLeastSeparationNm = 1.5;      // several ships: apart enough to tell on the plot
constexpr double kDangerShareOfRequired = 0.6;  // danger kinds: the CPA drawn below this share

// The own ship and the clock shared by every target of one exercise.
struct Scene {
    double course = 0.0;
    double speed_kt = 0.0;
    Vec2 velocity;
    double required_nm = 1.0;
    int interval_min = 6;
    int delay_min = 0;
    int first_sighting = 0;  // minutes after 00:00
};

// Where B is at the manoeuvre time (nm from the own ship) and its true
// velocity (kt).
struct Track {
    Vec2 position;
    Vec2 velocity;
};

struct Range {
    double low = 0.0;
    double high = 0.0;
};

// How a kind places B at the manoeuvre time: the relative bearing (degrees
// from the bow, clockwise), the range, the present CPA and B's speed.
struct Recipe {
    Range relative_bearing;
    Range range_nm;
    Range cpa_nm;
    Range speed_kt;
};

Recipe recipe_for(Kind kind, const Scene& s, Dice& dice) {
    const double r = s.required_nm;
    const Range danger{0.0, kDangerShareOfRequired * r};
    switch (kind) {
        case Kind::HeadOn: return {{-8.0, 8.0}, {4.0, 9.0}, danger, {5.0, 20.0}};
        case Kind::CrossingFromStarboard: return {{15.0, 100.0}, {3.0, 8.0}, danger, {5.0, 20.0}};
        case Kind::CrossingFromPort: return {{-100.0, -15.0}, {3.0, 8.0}, danger, {5.0, 20.0}};
        case Kind::BOvertaking: {
            const double side = dice.chance(0.5) ? 1.0 : -1.0;
            return {{side * 125.0, side * 175.0}, {2.5, 6.0}, danger,
                    {s.speed_kt + 4.0, std::min(s.speed_kt + 14.0, kMostTargetSpeedKt)}};
        }
        case Kind::OwnOvertaking:
            return {{-12.0, 12.0}, {2.5, 6.0}, danger, {std::max(2.0, 0.3 * s.speed_kt), s.speed_kt - 3.0}};
        case Kind::PassingClear: return {{-180.0, 180.0}, {3.5, 9.0}, {r + 0.3, r + 2.5}, {4.0, 20.0}};
        case Kind::TooClose: return {{-180.0, 180.0}, {0.3, r - 0.15}, {0.0, 0.2}, {4.0, 20.0}};
        case Kind::SeveralShips:
        case Kind::RelativeBearings:
        case Kind::ThreeSightings:
        case Kind::AtARange: break;
    }
    return {};
}

double draw(Dice& dice, Range range) { return dice.real(range.low, range.high); }

// B placed by the recipe: its relative track passes the own ship at the
// drawn CPA, on a side drawn at random, and its true speed is the drawn one.
// None when no relative speed along that track gives B that speed.
std::optional<Track> place_target(const Recipe& recipe, const Scene& s, Dice& dice) {
    const double range = draw(dice, recipe.range_nm);
    const Vec2 position = traffic::along(s.course + draw(dice, recipe.relative_bearing), range);
    const double cpa = std::min(draw(dice, recipe.cpa_nm), 0.95 * range);
    const double swing = traffic::trig::asin(cpa / range) / traffic::kDegree * (dice.chance(0.5) ? 1.0 : -1.0);
    const Vec2 towards_own = (-1.0 / range) * position;
    const Vec2 direction = traffic::turned(towards_own, swing);
    // |own velocity + k direction| = B's speed, for the relative speed k > 0.
    const double speed = draw(dice, recipe.speed_kt);
    const double along_own = traffic::dot(s.velocity, direction);
    const double discriminant = along_own * along_own - (traffic::dot(s.velocity, s.velocity) - speed * speed);
    if (discriminant < 0.0) return std::nullopt;
    const double root = std::sqrt(discriminant);
    const double faster = -along_own + root;
    const double slower = -along_own - root;
    const double relative = (slower >= kLeastRelativeSpeedKt && dice.chance(0.5)) ? slower : faster;
    if (relative < kLeastRelativeSpeedKt) return std::nullopt;
    return Track{position, s.velocity + relative * direction};
}

// B as the radar shows it `minutes` after the manoeuvre time (negative:
// before): whole-degree bearing, range to a tenth.
traffic::Sighting sighting(const Track& track, const Scene& s, int minutes) {
    const Vec2 relative = track.velocity - s.velocity;
    const Vec2 at = track.position + (minutes / kMinutesPerHour) * relative;
    const int manoeuvre = s.first_sighting + s.interval_min + s.delay_min;
    traffic::Sighting seen;
    seen.time = traffic::ClockTime{manoeuvre + minutes};
    seen.bearing = static_cast<double>(static_cast<int>(std::lround(traffic::bearing_of(at))) % 360);
    seen.range_nm = std::round(traffic::length(at) * 10.0) / 10.0;
    return seen;
}

bool within_radar_ranges(const traffic::Target& target) {
    const auto fits = [](double r) { return r >= kRangeLeastNm && r <= kRangeMostNm; };
    return std::all_of(target.sightings.begin(), target.sightings.end(), [&](const traffic::Sighting& seen) { return fits(seen.range_nm); });
}

// B seen at equal intervals up to `delay_min` before the manoeuvre time:
// twice, or three times for the kind that teaches it; its bearings given
// from the own heading for the kind that teaches those.
traffic::Target sighted_target(const Track& track, const Scene& s, std::string name, Kind kind) {
    const int times = kind == Kind::ThreeSightings ? 3 : 2;
    std::vector<traffic::Sighting> seen;
    for (int i = times - 1; i >= 0; --i) seen.push_back(sighting(track, s, -(s.delay_min + i * s.interval_min)));
    if (kind == Kind::RelativeBearings) {
        for (traffic::Sighting& one : seen) one.relative_bearing = traffic::normalized_degrees(one.bearing - s.course);
    }
    return traffic::Target{std::move(name), std::move(seen)};
}

Scene draw_scene(Kind kind, Dice& dice) {
    Scene s;
    s.course = dice.whole(0, 359);
    // Overtaking B needs an own speed that leaves room for a slower B.
    s.speed_kt = dice.whole(kind == Kind::OwnOvertaking ? 9 : kOwnSpeedLeastKt, kOwnSpeedMostKt);
    s.velocity = traffic::along(s.course, s.speed_kt);
    // A ship already too close needs a CPA it can be inside of and still have
    // been seen at 2 miles or more.
    const double least_required = kind == Kind::TooClose ? kTooCloseRequiredLeastNm : kRequiredLeastNm;
    s.required_nm = dice.whole(static_cast<int>(least_required * 10.0), static_cast<int>(kRequiredMostNm * 10.0)) / 10.0;
    s.interval_min = kIntervalsMin[static_cast<std::size_t>(dice.whole(0, kIntervalsMin.size() - 1))];
    // A manoeuvre at a range comes some minutes after the last sighting.
    s.delay_min = kind == Kind::AtARange ? dice.whole(kRangeDelayLeastMin, kRangeDelayMostMin)
                                         : dice.whole(kind == Kind::TooClose ? 3 : 0, kDelayMostMin);
    s.first_sighting = dice.whole(kEarliestFirstSighting, kLatestFirstSighting);
    return s;
}

traffic::TrafficExercise exercise_of(const Scene& s) {
    traffic::TrafficExercise exercise;
    exercise.own = {s.course, s.speed_kt};
    exercise.required_cpa_nm = s.required_nm;
    exercise.manoeuvre.delay_min = s.delay_min;
    return exercise;
}

// The kinds a ship of a several-ships exercise is drawn as.
constexpr std::array<Kind, 6> kKindsInCompany = {
    Kind::HeadOn,       Kind::CrossingFromStarboard, Kind::CrossingFromPort,
    Kind::BOvertaking, Kind::OwnOvertaking,         Kind::PassingClear,
};

// The kind a ship of the exercise is drawn as.
Kind ship_kind_for(Kind kind, Dice& dice) {
    if (kind == Kind::SeveralShips) return kKindsInCompany[static_cast<std::size_t>(dice.whole(0, kKindsInCompany.size() - 1))];
    if (taught_input(kind)) return kTaughtSituations[static_cast<std::size_t>(dice.whole(0, kTaughtSituations.size() - 1))];
    return kind;
}

std::optional<traffic::TrafficExercise> draw_exercise(Kind kind, Dice& dice) {
    const Scene s = draw_scene(kind, dice);
    traffic::TrafficExercise exercise = exercise_of(s);
    const int ships = kind == Kind::SeveralShips ? dice.whole(kLeastShips, kMostShips) : 1;
    std::vector<Vec2> placed;
    for (int i = 0; i < ships; ++i) {
        const Kind ship_kind = ship_kind_for(kind, dice);
        Recipe recipe = recipe_for(ship_kind, s, dice);
        if (kind == Kind::AtARange) {
            // B at the manoeuvre time at the stated range: the officer alters when B closes to it.
            const double stated = kRangeStep * dice.whole(kStatedRangeLeastHalves, kStatedRangeMostHalves);
            recipe.range_nm = {stated, stated};
            exercise.manoeuvre.delay_min = 0;
            exercise.manoeuvre.at_range = traffic::RangeTrigger{"B", stated};
        }
        const std::optional<Track> track = place_target(recipe, s, dice);
        if (!track) return std::nullopt;
        for (const Vec2& other : placed) {
            if (traffic::length(other - track->position) < kLeastSeparationNm) return std::nullopt;
        }
        placed.push_back(track->position);
        const traffic::Target target = sighted_target(*track, s, std::string(1, static_cast<char>('B' + i)), kind);
        if (!within_radar_ranges(target)) return std::nullopt;
        exercise.targets.push_back(target);
    }
    return exercise;
}

// What the dialog must report for a one-ship exercise of the kind.
Outcome dialog_outcome_for(Kind kind) {
    if (kind == Kind::PassingClear) return Outcome::NoDanger;
    if (kind == Kind::TooClose) return Outcome::TooClose;
    return Outcome::Courses;
}

// The officer acts on the exercise's danger now: a ship with risk within the
// horizon, and a manoeuvre that the rules allow and that clears (or, too
// close, opens the range), so that the key can name it.
bool acts_now(const traffic::TrafficSolution& solution) {
    using traffic::RecommendationKind;
    const RecommendationKind k = solution.recommendation.kind;
    return k == RecommendationKind::Course || k == RecommendationKind::Speed || k == RecommendationKind::CourseAndSpeed;
}

// The encounter a kind names, as the rules read it: its key answers "the
// encounter under the rules" with the kind's own name. None for the kinds
// that name no encounter.
std::optional<traffic::Situation> named_encounter(Kind kind) {
    switch (kind) {
        case Kind::HeadOn: return traffic::Situation::HeadOn;
        case Kind::CrossingFromStarboard: return traffic::Situation::CrossingFromStarboard;
        case Kind::CrossingFromPort: return traffic::Situation::CrossingFromPort;
        case Kind::BOvertaking: return traffic::Situation::Overtaken;
        case Kind::OwnOvertaking: return traffic::Situation::Overtaking;
        case Kind::PassingClear:
        case Kind::TooClose:
        case Kind::SeveralShips:
        case Kind::RelativeBearings:
        case Kind::ThreeSightings:
        case Kind::AtARange: break;
    }
    return std::nullopt;
}

// A taught-input kind names the encounter of the situation its ship is
// drawn as, which the key answers as the rules read it.
bool rules_read_the_kind(Kind kind, const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution) {
    if (taught_input(kind)) {
        const std::optional<Kind> drawn = encounter_kind(exercise, solution);
        if (!drawn) return false;
        kind = *drawn;
    }
    const std::optional<traffic::Situation> named = named_encounter(kind);
    return !named || (!solution.rules.empty() && solution.rules.front().encounter.situation == *named);
}

bool plausible_speeds(const traffic::TrafficSolution& solution) {
    return std::all_of(solution.targets.begin(), solution.targets.end(),
                       [](const traffic::TargetSolution& t) { return t.true_speed_kt <= kMostTargetSpeedKt; });
}

bool acceptable(Kind kind, const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution) {
    if (!meets_kind(kind, exercise, solution) || !rules_read_the_kind(kind, exercise, solution)) return false;
    if (!plausible_speeds(solution) || !triangles_on_rose(exercise, solution)) return false;
    if (kind == Kind::PassingClear ? solution.recommendation.kind != traffic::RecommendationKind::NoneNeeded
                                   : !acts_now(solution)) {
        return false;
    }
    if (solution.any_danger && !solution.starboard && !solution.port) return false;
    if (kind == Kind::SeveralShips) {
        return std::none_of(solution.targets.begin(), solution.targets.end(),
                            [](const traffic::TargetSolution& t) { return t.inside_required; });
    }
    return dialog_outcome(typed_exercise(exercise)) == dialog_outcome_for(kind);
}

}  // namespace

SheetExercise generate_exercise(Kind kind, Dice& dice) {
    for (int attempt = 0; attempt < kMostDraws; ++attempt) {
        std::optional<traffic::TrafficExercise> exercise = draw_exercise(kind, dice);
        if (!exercise) continue;
        traffic::TrafficSolution solution = traffic::solve_traffic(*exercise);
        if (acceptable(kind, *exercise, solution)) return {kind, std::move(*exercise), std::move(solution)};
    }
    throw std::logic_error("no " + std::string(kind_name(kind)) + " exercise found");
}

std::vector<SheetExercise> generate_sheet(std::uint64_t seed, int count, const std::vector<Kind>& kinds) {
    Dice dice(seed);
    std::vector<SheetExercise> sheet;
    for (int i = 0; i < count && !kinds.empty(); ++i) {
        sheet.push_back(generate_exercise(kinds[static_cast<std::size_t>(i) % kinds.size()], dice));
    }
    return sheet;
}

}  // namespace echo_track::sheets
