#include "traffic/traffic_solution.hpp"

#include <algorithm>
#include <utility>

#include "traffic/range_trigger.hpp"

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

// The clock time every target's minutes are counted from.
ClockTime reference_of(const TrafficExercise& exercise) {
    const bool seen = !exercise.targets.empty() && !exercise.targets.front().sightings.empty();
    return seen ? exercise.targets.front().sightings.front().time : ClockTime{};
}

// The minutes from the latest observation to the manoeuvre, and whether a
// manoeuvre at a range had to be taken at the latest observation instead.
std::pair<double, bool> after_latest(const TrafficExercise& exercise, ClockTime latest) {
    const ManoeuvreTime& m = exercise.manoeuvre;
    if (m.at) return {minutes_between(latest, *m.at), false};
    if (m.at_range) {
        const RangeTime r = range_time(exercise, *m.at_range);
        return r.reach == RangeReach::Reached ? std::pair{r.after_latest_min, false} : std::pair{0.0, true};
    }
    return {m.delay_min, false};
}

bool alters(const CourseAndSpeed& from, const CourseAndSpeed& to) {
    return from.course != to.course || from.speed_kt != to.speed_kt;
}

// The rules for every target, the recommendation, and the times to resume.
void read_the_rules(const TrafficExercise& e, TrafficSolution& s) {
    const double limit = e.required_cpa_nm;
    std::vector<VesselKind> kinds;
    for (const Target& t : e.targets) kinds.push_back(t.kind);
    s.rules = read_rules(s.targets, kinds, e.own, e.rules, limit);
    s.recommendation = recommend(s.targets, s.rules, e.own, e.rules, limit, s.arcs, s.speed_alternative.choice);
    const Recommendation& r = s.recommendation;
    s.recommended = outcome_of(s.targets, r.own, limit);
    const auto resume_after = [&](const CourseAndSpeed& manoeuvre) {
        return resume_time(s.targets, s.rules, e.own, manoeuvre, e.rules.visibility, limit);
    };
    if (r.stand_on_action) {
        s.stand_on_action = outcome_of(s.targets, *r.stand_on_action, limit);
        s.resume = resume_after(*r.stand_on_action);
    } else if (alters(e.own, r.own)) {
        s.resume = resume_after(r.own);
    }
    if (e.trial) s.trial_resume = resume_after(*e.trial);
}

}  // namespace

int minutes_to_latest_of_all(const TrafficExercise& exercise) {
    if (exercise.targets.empty()) return 0;
    const ClockTime reference = reference_of(exercise);
    int latest = minutes_to_latest(reference, exercise.targets.front());
    for (const Target& t : exercise.targets) latest = std::max(latest, minutes_to_latest(reference, t));
    return latest;
}

std::optional<ClockTime> latest_observation(const TrafficExercise& exercise) {
    if (exercise.targets.empty()) return std::nullopt;
    return clock_after(reference_of(exercise), minutes_to_latest_of_all(exercise));
}

ManoeuvreClock manoeuvre_clock(const TrafficExercise& exercise) {
    const ClockTime reference = reference_of(exercise);
    if (exercise.targets.empty()) {
        return {reference, exercise.manoeuvre.at ? static_cast<double>(exercise.manoeuvre.at->minutes) : 0.0};
    }
    const int latest = minutes_to_latest_of_all(exercise);
    return {reference, latest + after_latest(exercise, clock_after(reference, latest)).first};
}

ClockMoment manoeuvre_time(const TrafficExercise& exercise) {
    const ManoeuvreClock clock = manoeuvre_clock(exercise);
    return moment_after(clock.reference, clock.after_reference_min);
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
    const ManoeuvreClock clock = manoeuvre_clock(exercise);
    s.manoeuvre_time = moment_after(clock.reference, clock.after_reference_min);
    s.latest_observation = latest_observation(exercise).value_or(ClockTime{});
    s.manoeuvre_after_latest_min = clock.after_reference_min - minutes_to_latest_of_all(exercise);
    if (!exercise.targets.empty() && after_latest(exercise, s.latest_observation).second) s.range_not_reached = exercise.manoeuvre.at_range;
    const double limit = exercise.required_cpa_nm;
    const CourseAndSpeed& own = exercise.own;
    for (const Target& target : exercise.targets) {
        TargetSolution t = solve_target(target, own, clock, limit, exercise.plot_tolerance_nm);
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
    read_the_rules(exercise, s);
    return s;
}

}  // namespace echo_track::traffic
