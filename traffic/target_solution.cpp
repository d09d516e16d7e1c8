#include "traffic/target_solution.hpp"

#include <cmath>

namespace echo_track::traffic {
namespace {

constexpr double kBeam = 90.0;
constexpr double kAbeamSpread = 22.5;  // abeam: within this of the beam, either way

// Below this (knots across the heading line) the relative track runs
// parallel to the heading line and never crosses it.
constexpr double kParallelKt = 1e-9;

Vec2 position_of(const Sighting& s) { return along(s.bearing, s.range_nm); }

Aspect aspect_of(double relative_bearing) {
    const double off_beam = std::fabs(kBeam - std::fabs(180.0 - relative_bearing));  // 0 on either beam
    if (off_beam <= kAbeamSpread) return Aspect::Abeam;
    return std::fabs(signed_turn(0.0, relative_bearing)) < kBeam ? Aspect::ForwardOfBeam : Aspect::AbaftBeam;
}

BowCrossing bow_crossing(Vec2 position, const Passage& present, double own_course) {
    BowCrossing c;
    const Vec2 heading = along(own_course, 1.0);
    const double across = cross(heading, present.relative_velocity);
    if (present.keeps_station || std::fabs(across) < kParallelKt) return c;
    // The track P + V t meets the heading line where cross(heading, P + V t) = 0.
    const double hours = -cross(heading, position) / across;
    c.crosses = true;
    c.time_min = 60.0 * hours;
    c.range_nm = dot(heading, position + hours * present.relative_velocity);
    return c;
}

}  // namespace

int minutes_to_latest(ClockTime reference, const Target& target) {
    const int a = minutes_between(reference, target.first.time);
    const int b = minutes_between(reference, target.second.time);
    return minutes_between(target.first.time, target.second.time) >= 0 ? b : a;
}

TargetSolution solve_target(const Target& target, const CourseAndSpeed& own, ClockTime manoeuvre_time,
                            double required_cpa_nm) {
    TargetSolution t;
    t.name = target.name;
    const int forward = minutes_between(target.first.time, target.second.time);
    const bool second_is_later = forward >= 0;
    const Sighting& earlier = second_is_later ? target.first : target.second;
    const Sighting& later = second_is_later ? target.second : target.first;
    t.interval_min = std::abs(forward);
    t.latest = later.time;
    t.latest_position = position_of(later);
    t.same_time = t.interval_min == 0;
    if (t.same_time) return t;

    const Vec2 own_velocity = along(own.course, own.speed_kt);
    const Vec2 relative_velocity = (60.0 / t.interval_min) * (t.latest_position - position_of(earlier));
    t.true_velocity = relative_velocity + own_velocity;
    t.true_course = bearing_of(t.true_velocity);
    t.true_speed_kt = length(t.true_velocity);

    t.minutes_to_manoeuvre = minutes_between(later.time, manoeuvre_time);
    t.position = t.latest_position + (t.minutes_to_manoeuvre / 60.0) * relative_velocity;
    t.bearing = bearing_of(t.position);
    t.range_nm = length(t.position);
    t.relative_bearing = normalized_degrees(t.bearing - own.course);
    t.aspect = aspect_of(t.relative_bearing);
    t.closing = dot(t.position, relative_velocity) < 0.0;
    t.overtaking = t.aspect == Aspect::AbaftBeam && t.closing;
    t.inside_required = t.range_nm < required_cpa_nm;
    t.implausible_speed = t.true_speed_kt > kImplausibleSpeedKt;

    t.present = passage(t.position, t.true_velocity, own_velocity, required_cpa_nm);
    t.bow_crossing = bow_crossing(t.position, t.present, own.course);
    return t;
}

Vec2 relative_position_after(const TargetSolution& target, Vec2 own_velocity, double minutes) {
    return target.position + (minutes / 60.0) * (target.true_velocity - own_velocity);
}

bool clears_every_solved(const std::vector<TargetSolution>& targets, Vec2 own_velocity, double required_cpa_nm) {
    for (const TargetSolution& t : targets) {
        if (!t.same_time && !passes_clear(t.position, t.true_velocity - own_velocity, required_cpa_nm)) return false;
    }
    return true;
}

}  // namespace echo_track::traffic
