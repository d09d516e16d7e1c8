#include "sheets/exercise_kind.hpp"

#include <algorithm>
#include <cmath>

#include "traffic/vec2.hpp"

namespace echo_track::sheets {
namespace {

using traffic::TargetSolution;

struct KindNames {
    Kind kind;
    std::string_view name;
    std::string_view title;
};

constexpr std::array<KindNames, 11> kNames = {{
    {Kind::HeadOn, "head-on", "Head-on"},
    {Kind::CrossingFromStarboard, "crossing-starboard", "Crossing from starboard"},
    {Kind::CrossingFromPort, "crossing-port", "Crossing from port"},
    {Kind::BOvertaking, "b-overtaking", "B overtaking the own ship"},
    {Kind::OwnOvertaking, "own-overtaking", "The own ship overtaking B"},
    {Kind::PassingClear, "passing-clear", "Passing clear"},
    {Kind::TooClose, "too-close", "Already too close"},
    {Kind::SeveralShips, "several", "Several ships"},
    {Kind::RelativeBearings, "relative-bearings", "Bearings relative to the own heading"},
    {Kind::ThreeSightings, "three-sightings", "Three sightings"},
    {Kind::AtARange, "at-a-range", "Manoeuvre at a range"},
}};

const KindNames& names_of(Kind kind) {
    return *std::find_if(kNames.begin(), kNames.end(), [kind](const KindNames& n) { return n.kind == kind; });
}

// How far B bears off the own bow, to either side, 0..180 degrees.
double off_bow(const TargetSolution& b) { return std::fabs(traffic::signed_turn(0.0, b.relative_bearing)); }

// The angle between the two true courses, 0..180 degrees.
double course_difference(double own_course, const TargetSolution& b) {
    return std::fabs(traffic::signed_turn(own_course, b.true_course));
}

bool crossing(double own_course, const TargetSolution& b, bool starboard) {
    const double side = traffic::signed_turn(0.0, b.relative_bearing);  // positive: starboard
    const double off = starboard ? side : -side;
    const double between = course_difference(own_course, b);
    return off >= kHeadOnBow && off <= kCrossingAft && between >= kCrossingCourses &&
           between <= 180.0 - kCrossingCourses && b.present.danger;
}

bool meets_single(Kind kind, double own_course, double own_speed, double required, const TargetSolution& b) {
    switch (kind) {
        case Kind::HeadOn:
            return off_bow(b) <= kHeadOnBow && course_difference(own_course, b) >= 180.0 - kReciprocal &&
                   b.present.danger;
        case Kind::CrossingFromStarboard: return crossing(own_course, b, true);
        case Kind::CrossingFromPort: return crossing(own_course, b, false);
        case Kind::BOvertaking: return b.overtaking && b.closing && b.present.danger;
        case Kind::OwnOvertaking:
            return off_bow(b) <= kAheadSector && b.true_speed_kt < own_speed &&
                   course_difference(own_course, b) <= kSameGeneralCourse && b.present.danger;
        case Kind::PassingClear:
            return !b.inside_required && b.closing && b.present.cpa_nm >= required;
        case Kind::TooClose: return b.range_nm < required;
        case Kind::SeveralShips:
        case Kind::RelativeBearings:
        case Kind::ThreeSightings:
        case Kind::AtARange: return false;
    }
    return false;
}

// Each sighting given from the own heading, and the true bearing it makes.
bool all_relative(const traffic::Target& target, double own_course) {
    return std::all_of(target.sightings.begin(), target.sightings.end(), [own_course](const traffic::Sighting& seen) {
        return seen.relative_bearing &&
               std::fabs(traffic::signed_turn(traffic::normalized_degrees(*seen.relative_bearing + own_course), seen.bearing)) < 1e-9;
    });
}

// Three sightings at equal intervals, all on the track the key is drawn from.
bool three_on_a_line(const traffic::Target& target, const TargetSolution& b) {
    const auto& seen = target.sightings;
    return seen.size() == 3 && traffic::minutes_between(seen[0].time, seen[1].time) > 0 &&
           traffic::minutes_between(seen[0].time, seen[1].time) == traffic::minutes_between(seen[1].time, seen[2].time) &&
           b.plot_consistent;
}

// The manoeuvre when B closes to a whole or half mile, reached after the
// latest sighting.
bool manoeuvre_when_b_closes(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution) {
    const auto& trigger = exercise.manoeuvre.at_range;
    if (!trigger || trigger->of != exercise.targets.front().name || solution.range_not_reached) return false;
    const double steps = trigger->range_nm / kRangeStep;
    return steps == std::round(steps) && solution.manoeuvre_after_latest_min > 0.0;
}

bool taught_input_meets(Kind kind, const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution) {
    const traffic::Target& target = exercise.targets.front();
    switch (kind) {
        case Kind::RelativeBearings: return all_relative(target, exercise.own.course);
        case Kind::ThreeSightings: return three_on_a_line(target, solution.targets.front());
        case Kind::AtARange: return manoeuvre_when_b_closes(exercise, solution);
        default: return false;
    }
}

}  // namespace

std::string_view kind_name(Kind kind) { return names_of(kind).name; }

std::string_view kind_title(Kind kind) { return names_of(kind).title; }

bool taught_input(Kind kind) {
    return kind == Kind::RelativeBearings || kind == Kind::ThreeSightings || kind == Kind::AtARange;
}

std::optional<Kind> encounter_kind(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution) {
    if (solution.targets.size() != 1 || exercise.targets.size() != 1) return std::nullopt;
    for (const Kind situation : kTaughtSituations) {
        if (meets_single(situation, exercise.own.course, exercise.own.speed_kt, exercise.required_cpa_nm,
                         solution.targets.front())) {
            return situation;
        }
    }
    return std::nullopt;
}

std::optional<Kind> kind_named(std::string_view name) {
    for (const KindNames& n : kNames) {
        if (n.name == name) return n.kind;
    }
    return std::nullopt;
}

bool meets_kind(Kind kind, const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution) {
    const auto& targets = solution.targets;
    if (std::any_of(targets.begin(), targets.end(), [](const TargetSolution& t) { return t.same_time; })) return false;
    if (kind == Kind::SeveralShips) {
        return targets.size() >= 2 && targets.size() <= 4 &&
               std::any_of(targets.begin(), targets.end(), [](const TargetSolution& t) { return t.present.danger; });
    }
    if (taught_input(kind)) {
        return encounter_kind(exercise, solution) && taught_input_meets(kind, exercise, solution);
    }
    return targets.size() == 1 && meets_single(kind, exercise.own.course, exercise.own.speed_kt,
                                               exercise.required_cpa_nm, targets.front());
}

}  // namespace echo_track::sheets
