#include "traffic/traffic_solution.hpp"

#include <algorithm>

namespace echo_track::traffic {
namespace {

ClockTime clock_after(ClockTime reference, int minutes) {
    const int m = reference.minutes + minutes;
    return ClockTime{((m % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay};
}

SpeedAlternative speed_alternative(const std::vector<TargetSolution>& targets, const CourseAndSpeed& own, double limit) {
    SpeedAlternative v;
    v.choice = speed_choice(targets, own.course, own.speed_kt, limit);
    v.stopping_does_not_clear = !v.choice.present_clears && v.choice.clearing_speeds.empty();
    v.speed_kt = v.choice.speed_kt;
    if (v.choice.present_clears || v.choice.found) v.outcome = outcome_of(targets, {own.course, v.speed_kt}, limit);
    return v;
}

}  // namespace

std::optional<ClockTime> latest_observation(const TrafficExercise& exercise) {
    if (exercise.targets.empty()) return std::nullopt;
    const ClockTime reference = exercise.targets.front().first.time;
    int latest = minutes_to_latest(reference, exercise.targets.front());
    for (const Target& t : exercise.targets) latest = std::max(latest, minutes_to_latest(reference, t));
    return clock_after(reference, latest);
}

ClockTime manoeuvre_time(const TrafficExercise& exercise) {
    if (exercise.manoeuvre.at) return *exercise.manoeuvre.at;
    const std::optional<ClockTime> latest = latest_observation(exercise);
    return latest ? clock_after(*latest, exercise.manoeuvre.delay_min) : ClockTime{};
}

Outcome outcome_of(const std::vector<TargetSolution>& targets, const CourseAndSpeed& own, double required_cpa_nm) {
    Outcome o;
    o.own = own;
    const Vec2 own_velocity = along(own.course, own.speed_kt);
    for (const TargetSolution& t : targets) {
        if (t.same_time) {
            o.passages.emplace_back();
            continue;
        }
        o.passages.push_back(passage(t.position, t.true_velocity, own_velocity, required_cpa_nm));
        o.clears_all = o.clears_all && o.passages.back().clears;
    }
    return o;
}

TrafficSolution solve_traffic(const TrafficExercise& exercise) {
    TrafficSolution s;
    s.manoeuvre_time = manoeuvre_time(exercise);
    const double limit = exercise.required_cpa_nm;
    const CourseAndSpeed& own = exercise.own;
    for (const Target& target : exercise.targets) {
        TargetSolution t = solve_target(target, own, s.manoeuvre_time, limit);
        if (t.same_time) s.unsolved.push_back(t.name);
        if (!t.same_time && t.present.at_own_ship) s.at_own_ship.push_back(t.name);
        s.any_danger = s.any_danger || (!t.same_time && t.present.danger);
        s.targets.push_back(std::move(t));
    }
    s.present_clears = !s.any_danger;
    s.arcs = clearing_arcs(s.targets, own.speed_kt, own.course, limit);
    const auto clears_course = [&](double course) {
        return clears_every_solved(s.targets, along(course, own.speed_kt), limit);
    };
    for (const Side side : {Side::Starboard, Side::Port}) {
        const std::optional<Alteration> a = smallest_alteration(s.arcs, own.course, side, s.present_clears, clears_course);
        if (!a) continue;
        const AlterationOutcome chosen{*a, outcome_of(s.targets, {a->steered_course, own.speed_kt}, limit)};
        (side == Side::Starboard ? s.starboard : s.port) = chosen;
    }
    s.speed_alternative = speed_alternative(s.targets, own, limit);
    if (exercise.trial) s.trial = outcome_of(s.targets, *exercise.trial, limit);
    return s;
}

}  // namespace echo_track::traffic
