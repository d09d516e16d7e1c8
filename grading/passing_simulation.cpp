#include "grading/passing_simulation.hpp"

#include <algorithm>

#include "traffic/vec2.hpp"

namespace echo_track::grading {
namespace {

constexpr double kMinutesPerHour = 60.0;

double least_range(traffic::Vec2 position, traffic::Vec2 target_velocity, traffic::Vec2 own_velocity) {
    traffic::Vec2 target = position;
    traffic::Vec2 own{};
    const double hours = kStepMin / kMinutesPerHour;
    double least = traffic::length(target - own);
    for (double t = kStepMin; t <= kSimulatedMin; t += kStepMin) {
        target = target + hours * target_velocity;
        own = own + hours * own_velocity;
        least = std::min(least, traffic::length(target - own));
    }
    return least;
}

}  // namespace

bool clears_in_simulation(const traffic::TrafficSolution& solution, const traffic::CourseAndSpeed& own,
                          double required_cpa_nm) {
    const traffic::Vec2 own_velocity = traffic::along(own.course, own.speed_kt);
    return std::all_of(solution.targets.begin(), solution.targets.end(), [&](const traffic::TargetSolution& t) {
        if (t.same_time) return true;
        const double limit = std::min(required_cpa_nm, t.range_nm);
        return least_range(t.position, t.true_velocity, own_velocity) >= limit - kRangeSlackNm;
    });
}

}  // namespace echo_track::grading
