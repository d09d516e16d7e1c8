#include "traffic/range_trigger.hpp"

#include <cmath>

#include "traffic/clearance.hpp"
#include "traffic/target_solution.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::traffic {
namespace {

// The first time (hours, 0 or more) at which |position + relative_velocity t|
// falls to `range`, for a ship now farther off than `range`; none when it
// never does. The range along a straight relative track falls to its least
// and rises again, so the smaller root of |P + V t| = R is the first; it is
// taken in the form c / (-b + sqrt(b^2 - a c)), which loses nothing when the
// ship is nearly at the range now.
std::optional<double> hours_to(Vec2 position, Vec2 relative_velocity, double range) {
    const double a = dot(relative_velocity, relative_velocity);
    const double b = dot(position, relative_velocity);
    const double c = (length(position) - range) * (length(position) + range);
    if (length(relative_velocity) < kStationKeepingKt || b >= 0.0) return std::nullopt;  // keeps its range, or opening
    const double discriminant = b * b - a * c;
    if (discriminant < 0.0) return std::nullopt;  // passes outside the range
    return c / (-b + std::sqrt(discriminant));
}

}  // namespace

RangeTime range_time(const TrafficExercise& exercise, const RangeTrigger& trigger) {
    RangeTime r;
    const Target* target = nullptr;
    for (const Target& t : exercise.targets) target = t.name == trigger.of ? &t : target;
    if (target == nullptr) return r;
    const ClockTime reference = exercise.targets.front().sightings.front().time;
    const ManoeuvreClock at_latest{reference, static_cast<double>(minutes_to_latest_of_all(exercise))};
    const TargetSolution t = solve_target(*target, exercise.own, at_latest, exercise.required_cpa_nm, exercise.plot_tolerance_nm);
    r.range_at_latest_nm = t.range_nm;
    if (t.same_time) {
        r.reach = RangeReach::NotSolved;
        return r;
    }
    r.least_range_nm = t.present.least_nm;
    if (t.range_nm < trigger.range_nm) {
        r.reach = RangeReach::AlreadyInside;
        return r;
    }
    const std::optional<double> hours = hours_to(t.position, t.present.relative_velocity, trigger.range_nm);
    if (!hours) {
        r.reach = t.range_nm == trigger.range_nm ? RangeReach::Reached : RangeReach::NeverCloses;
        return r;
    }
    r.after_latest_min = 60.0 * *hours;
    r.reach = r.after_latest_min <= kLatestManoeuvreMin ? RangeReach::Reached : RangeReach::TooLate;
    return r;
}

}  // namespace echo_track::traffic
