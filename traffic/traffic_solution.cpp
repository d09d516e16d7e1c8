#include "traffic/traffic_solution.hpp"

#include <algorithm>

namespace echo_track::traffic {

ClockTime manoeuvre_time(const TrafficExercise& exercise) {
    if (exercise.manoeuvre.at) return *exercise.manoeuvre.at;
    if (exercise.targets.empty()) return ClockTime{};
    // The latest observation of all, counted from the first target's latest
    // one the shorter way round the clock.
    const ClockTime reference = exercise.targets.front().first.time;
    int latest = minutes_to_latest(reference, exercise.targets.front());
    for (const Target& t : exercise.targets) latest = std::max(latest, minutes_to_latest(reference, t));
    const int minutes = reference.minutes + latest + exercise.manoeuvre.delay_min;
    return ClockTime{((minutes % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay};
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
        const Passage p = passage(t.position, t.true_velocity, own_velocity, required_cpa_nm);
        // A target passes clear unless its closest point ahead is too close,
        // or it keeps station inside the limit; one that opens at once is
        // clear, even from inside the limit.
        if (p.danger || (p.keeps_station && t.inside_required)) o.clears_all = false;
        o.passages.push_back(p);
    }
    return o;
}

TrafficSolution solve_traffic(const TrafficExercise& exercise) {
    TrafficSolution s;
    s.manoeuvre_time = manoeuvre_time(exercise);
    const double limit = exercise.required_cpa_nm;
    std::vector<std::vector<CourseArc>> blocked;
    std::vector<std::vector<SpeedInterval>> slow;
    for (const Target& target : exercise.targets) {
        TargetSolution t = solve_target(target, exercise.own, s.manoeuvre_time, limit);
        if (!t.same_time) {
            const CollisionCone cone = collision_cone(t.position, limit);
            blocked.push_back(blocked_courses(cone, t.true_velocity, exercise.own.speed_kt));
            slow.push_back(blocked_speeds(cone, t.true_velocity, exercise.own.course));
            s.any_danger = s.any_danger || t.present.danger;
        }
        s.targets.push_back(std::move(t));
    }
    s.arcs = join_blocked(blocked);
    const bool present_clears = outcome_of(s.targets, exercise.own, limit).clears_all;
    for (const Side side : {Side::Starboard, Side::Port}) {
        const std::optional<Alteration> a = smallest_alteration(s.arcs, exercise.own.course, side, present_clears);
        if (!a) continue;
        const AlterationOutcome chosen{*a, outcome_of(s.targets, {a->steered_course, exercise.own.speed_kt}, limit)};
        (side == Side::Starboard ? s.starboard : s.port) = chosen;
    }
    const std::optional<double> speed = highest_clearing_speed(slow, exercise.own.speed_kt, present_clears);
    s.speed_alternative.stopping_does_not_clear = !speed;
    if (speed) {
        s.speed_alternative.speed_kt = *speed;
        s.speed_alternative.outcome = outcome_of(s.targets, {exercise.own.course, *speed}, limit);
    }
    if (exercise.trial) s.trial = outcome_of(s.targets, *exercise.trial, limit);
    return s;
}

}  // namespace echo_track::traffic
