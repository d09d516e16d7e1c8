#include "traffic/speed_alternative.hpp"

#include <cmath>

namespace echo_track::traffic {
namespace {

// Below this |cross| a verdict edge runs along the own course and meets the
// line of own velocities nowhere (or all along, where the ship's own motion
// lies on it: the cut at its least relative speed covers that).
constexpr double kParallel = 1e-12;

// Every own speed along `u` where the verdict of `t` may change. The own
// velocity s u meets the ray Vt - r e (r >= 0) where s u + r e = Vt:
// s = cross(Vt, e) / cross(u, e), r = cross(u, Vt) / cross(u, e); it meets
// the circle of radius c.radius round D = Vt - c.centre where
// s = D.u -+ sqrt(radius^2 - cross(u, D)^2).
void cut_speeds(const TargetSolution& t, Vec2 u, double required_cpa_nm, std::vector<double>& speeds) {
    const Vec2 vt = t.true_velocity;
    speeds.push_back(dot(vt, u));  // the least relative speed on this course
    const VerdictBorders borders = verdict_borders(t.position, required_cpa_nm);
    for (const Vec2 e : borders.edges) {
        const double across = cross(u, e);
        if (std::fabs(across) < kParallel) continue;
        if (cross(u, vt) / across >= 0.0) speeds.push_back(cross(vt, e) / across);
    }
    for (const Circle& c : borders.circles) {
        const Vec2 d = vt - c.centre;
        const double off = std::fabs(cross(u, d));
        const double room = (c.radius - off) * (c.radius + off);
        if (room < 0.0) continue;
        speeds.push_back(dot(d, u) - std::sqrt(room));
        speeds.push_back(dot(d, u) + std::sqrt(room));
    }
}

}  // namespace

SpeedChoice speed_choice(const std::vector<TargetSolution>& targets, double course, double present_kt,
                         double required_cpa_nm) {
    const Vec2 u = along(course, 1.0);
    const auto clears = [&](double speed) { return clears_every_solved(targets, speed * u, required_cpa_nm); };
    SpeedChoice choice;
    choice.present_clears = clears(present_kt);
    choice.speed_kt = present_kt;
    if (choice.present_clears) return choice;

    std::vector<double> cuts;
    for (const TargetSolution& t : targets) {
        if (!t.same_time) cut_speeds(t, u, required_cpa_nm, cuts);
    }
    choice.clearing_speeds = clear_spans(cuts, 0.0, present_kt, clears);
    // The highest tenth of a knot on a clearing span, from the top down.
    for (auto span = choice.clearing_speeds.rbegin(); span != choice.clearing_speeds.rend() && !choice.found; ++span) {
        for (double tenths = std::floor(span->to * 10.0); tenths / 10.0 >= span->from; tenths -= 1.0) {
            if (tenths / 10.0 <= span->to && clears(tenths / 10.0)) {
                choice.found = true;
                choice.speed_kt = tenths / 10.0;
                choice.every_lower_clears = span == choice.clearing_speeds.rend() - 1 && span->from == 0.0;
                break;
            }
        }
    }
    if (!choice.found) choice.speed_kt = 0.0;
    return choice;
}

}  // namespace echo_track::traffic
