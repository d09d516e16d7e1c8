#include "traffic/target_solution.hpp"

#include <algorithm>
#include <cmath>

namespace echo_track::traffic {
namespace {

// Below this (knots across the heading line) the relative track runs
// parallel to the heading line and never crosses it.
constexpr double kParallelKt = 1e-9;

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

double relative_bearing_of(const Sighting& s, double own_course) {
    return s.relative_bearing ? *s.relative_bearing : normalized_degrees(s.bearing - own_course);
}

int minutes_to_latest(ClockTime reference, const Target& target) {
    if (target.sightings.empty()) return 0;
    const ClockTime first = target.sightings.front().time;
    int latest = 0;
    for (const Sighting& s : target.sightings) latest = std::max(latest, minutes_between(first, s.time));
    return minutes_between(reference, first) + latest;
}

TargetSolution solve_target(const Target& target, const CourseAndSpeed& own, const ManoeuvreClock& manoeuvre,
                            double required_cpa_nm, double plot_tolerance_nm) {
    TargetSolution t;
    t.name = target.name;
    const TrackFit fit = fit_track(target.sightings, plot_tolerance_nm);
    t.plot = fit.plot;
    t.plot_consistent = fit.consistent;
    t.from_latest_two = fit.from_latest_two;
    t.same_time = fit.same_time;
    if (t.plot.empty()) return t;
    t.latest_sighting = t.plot.back().sighting;
    t.latest = t.latest_sighting.time;
    t.latest_relative_bearing = relative_bearing_of(t.latest_sighting, own.course);
    t.latest_position = t.plot.back().position;
    if (t.same_time) return t;

    t.interval_min = fit.span_min;
    t.latest_position = fit.latest_position;
    const Vec2 own_velocity = along(own.course, own.speed_kt);
    const Vec2 relative_velocity = fit.relative_velocity;
    t.true_velocity = relative_velocity + own_velocity;
    t.true_course = bearing_of(t.true_velocity);
    t.true_speed_kt = length(t.true_velocity);

    t.minutes_to_manoeuvre = manoeuvre.after_reference_min - minutes_to_latest(manoeuvre.reference, target);
    t.position = t.latest_position + (t.minutes_to_manoeuvre / 60.0) * relative_velocity;
    t.bearing = bearing_of(t.position);
    t.range_nm = length(t.position);
    t.relative_bearing = normalized_degrees(t.bearing - own.course);
    t.sector = sector_of(t.relative_bearing);
    t.aspect = aspect_of(t.position, t.true_velocity);
    t.closing = dot(t.position, relative_velocity) < 0.0;
    t.overtaking = t.sector == Sector::MoreThan22_5AbaftBeam && t.closing;
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
