#include "traffic/speed_alternative.hpp"

#include <algorithm>
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
template <class Speeds>
void cut_speeds(const TargetSolution& t, Vec2 u, double required_cpa_nm, Speeds& speeds) {
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

    std::vector<const TargetSolution*> ships;
    std::vector<std::vector<double>> cuts;
    for (const TargetSolution& t : targets) {
        if (t.same_time) continue;
        ships.push_back(&t);
        cut_speeds(t, u, required_cpa_nm, cuts.emplace_back());
    }
    const auto ship_clears = [&](std::size_t ship, double speed) {
        return passes_clear(ships[ship]->position, ships[ship]->true_velocity - speed * u, required_cpa_nm);
    };
    choice.clearing_speeds = clear_spans_of_every(cuts, 0.0, present_kt, ship_clears);
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

bool blocks_every_speed(const TargetSolution& t, double course, double top_kt, double required_cpa_nm) {
    if (t.same_time) return false;
    const Vec2 u = along(course, 1.0);
    UpTo<double, 9> found;  // the least relative speed, two edges, two circles twice
    cut_speeds(t, u, required_cpa_nm, found);
    UpTo<double, 11> cuts;
    cuts.push_back(0.0);
    cuts.push_back(top_kt);
    for (const double c : found) {
        if (c >= 0.0 && c <= top_kt) cuts.push_back(c);
    }
    std::sort(cuts.begin(), cuts.end());
    const auto clears = [&](double speed) { return passes_clear(t.position, t.true_velocity - speed * u, required_cpa_nm); };
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        if (clears(cuts.items[i])) return false;
        if (i + 1 < cuts.size() && clears(cuts.items[i] + (cuts.items[i + 1] - cuts.items[i]) / 2.0)) return false;
    }
    return true;
}

}  // namespace echo_track::traffic
