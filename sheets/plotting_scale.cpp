#include "sheets/plotting_scale.hpp"

#include <algorithm>
#include <cmath>

namespace echo_track::sheets {
namespace {

using traffic::Vec2;

constexpr double kMinutesPerHour = 60.0;

double farthest_figure(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution) {
    double farthest = 0.0;
    for (const traffic::Target& t : exercise.targets) {
        for (const traffic::Sighting& seen : t.sightings) farthest = std::max(farthest, seen.range_nm);
    }
    for (const traffic::TargetSolution& t : solution.targets) farthest = std::max(farthest, t.present.cpa_nm);
    return farthest;
}

}  // namespace

PlotScale plot_scale_for(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution) {
    PlotScale scale;
    const double farthest = farthest_figure(exercise, solution);
    scale.range_nm = kRosesNm.back();
    for (const double range : kRosesNm) {
        if (farthest <= range) {
            scale.range_nm = range;
            break;
        }
    }
    scale.ring_nm = scale.range_nm / kRings;
    if (!exercise.targets.empty()) {
        const auto& seen = exercise.targets.front().sightings;
        scale.interval_min = std::max(1, std::abs(traffic::minutes_between(seen[0].time, seen[1].time)));
    }
    // The least whole multiple of the interval that makes the vector long enough.
    const double mm_per_interval = exercise.own.speed_kt * scale.interval_min / kMinutesPerHour * scale.mm_per_nm();
    const double multiple = mm_per_interval > 0.0 ? std::max(1.0, std::ceil(kLeastOwnVectorMm / mm_per_interval - 1e-9)) : 1.0;
    scale.vector_min = multiple * scale.interval_min;
    return scale;
}

double own_vector_mm(const PlotScale& scale, double own_speed_kt) {
    return own_speed_kt * scale.vector_min / kMinutesPerHour * scale.mm_per_nm();
}

VelocityTriangle velocity_triangle(const traffic::TargetSolution& target, const traffic::CourseAndSpeed& own,
                                   const PlotScale& scale) {
    const double hours = scale.vector_min / kMinutesPerHour;
    const Vec2 own_run = hours * traffic::along(own.course, own.speed_kt);
    const Vec2 o = target.plot.front().position;
    const Vec2 a = o + hours * (target.true_velocity - traffic::along(own.course, own.speed_kt));
    return {o - own_run, o, a};
}

bool triangles_on_rose(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution) {
    const PlotScale scale = plot_scale_for(exercise, solution);
    return std::all_of(solution.targets.begin(), solution.targets.end(), [&](const traffic::TargetSolution& t) {
        const VelocityTriangle v = velocity_triangle(t, exercise.own, scale);
        return traffic::length(v.w) <= scale.range_nm && traffic::length(v.a) <= scale.range_nm;
    });
}

}  // namespace echo_track::sheets
