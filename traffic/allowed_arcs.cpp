#include "traffic/allowed_arcs.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "traffic/clear_spans.hpp"
#include "traffic/passage.hpp"
#include "traffic/trig.hpp"

namespace echo_track::traffic {
namespace {

// Why a course is taken away: the first ship with risk whose rule forbids it.
struct Reason {
    std::size_t ship = 0;
    int rule = 0;
    bool operator==(const Reason&) const = default;
};

std::optional<Reason> excluded_by(const std::vector<TargetSolution>& targets, const std::vector<ShipRules>& rules,
                                  const CourseAndSpeed& own, const CourseAndSpeed& candidate) {
    const TurnSide side = turn_side(own.course, candidate.course);
    const Vec2 velocity = along(candidate.course, candidate.speed_kt);
    for (std::size_t i = 0; i < rules.size() && i < targets.size(); ++i) {
        const ShipRules& r = rules[i];
        if (!r.risk) continue;
        if (side != TurnSide::None && r.encounter.forbidden_turn == side) return Reason{i, r.encounter.rule};
        if (r.encounter.pass_astern && crosses_ahead(targets[i].position, targets[i].true_velocity, velocity)) {
            return Reason{i, 15};
        }
    }
    return std::nullopt;
}

// Every course where the rules' verdict may change, unrolled onto the arc
// (from <= cut < from + 360).
std::vector<double> rule_cuts(const std::vector<TargetSolution>& targets, const std::vector<ShipRules>& rules,
                              const CourseAndSpeed& own, double speed_kt, const CourseArc& arc) {
    std::vector<double> cuts{own.course, own.course + 180.0};
    for (std::size_t i = 0; i < rules.size() && i < targets.size(); ++i) {
        if (!rules[i].risk || !rules[i].encounter.pass_astern) continue;
        const std::vector<double> more = crossing_ahead_cuts(targets[i].position, targets[i].true_velocity, speed_kt);
        cuts.insert(cuts.end(), more.begin(), more.end());
    }
    for (double& c : cuts) c = arc.from + normalized_degrees(c - arc.from);
    return cuts;
}

// The parts of [from, to] the rules take away, split where the reason
// changes: each piece between two cuts judged at its middle.
void add_excluded(double from, double to, std::vector<double> cuts, const std::function<std::optional<Reason>(double)>& reason,
                  std::vector<ExcludedArc>& excluded) {
    std::erase_if(cuts, [&](double c) { return !(c > from && c < to); });
    cuts.push_back(from);
    cuts.push_back(to);
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const std::optional<Reason> why = reason(cuts[i] + (cuts[i + 1] - cuts[i]) / 2.0);
        if (!why) continue;
        if (!excluded.empty()) {
            ExcludedArc& last = excluded.back();
            if (last.arc.to == cuts[i] && last.ship == why->ship && last.rule == why->rule) {
                last.arc.to = cuts[i + 1];
                continue;
            }
        }
        excluded.push_back({CourseArc{cuts[i], cuts[i + 1]}, why->ship, why->rule});
    }
}

CourseArc under_360(double from, double to) {
    const double start = normalized_degrees(from);
    return CourseArc{start, start + (to - from)};
}

}  // namespace

std::vector<double> crossing_ahead_cuts(Vec2 position, Vec2 target_velocity, double speed_kt) {
    const double speed = length(target_velocity);
    if (!has_course(speed)) return {};
    const Vec2 heading = (1.0 / speed) * target_velocity;
    const double course = bearing_of(heading);
    std::vector<double> cuts{course, normalized_degrees(course + 180.0)};  // running parallel to its course
    // The own track meets the ship itself where, with the own velocity at
    // the angle t off its heading, m s sin t + k s cos t = k |Vt| (k the
    // ship's offset across its heading line, m its distance behind the own
    // ship along it): s sqrt(m^2 + k^2) cos(t - phi) = k |Vt|.
    const double k = cross(heading, position);
    const double m = -dot(heading, position);
    const double reach = speed_kt * trig::hypot(m, k);
    if (reach > 0.0 && std::fabs(k * speed) <= reach) {
        const double phi = trig::atan2(m, k) / kDegree;
        const double off = trig::acos(k * speed / reach) / kDegree;
        cuts.push_back(normalized_degrees(course + phi + off));
        cuts.push_back(normalized_degrees(course + phi - off));
    }
    return cuts;
}

std::vector<AllowedAtSpeed> allowed_arcs_by_speed(const std::vector<TargetSolution>& targets, const std::vector<ShipRules>& rules,
                                                  const CourseAndSpeed& own, const std::vector<ArcsAtSpeed>& clearing) {
    std::vector<AllowedAtSpeed> map;
    for (const ArcsAtSpeed& at : clearing) {
        AllowedAtSpeed a{at.speed_kt, {}, {}};
        const auto reason = [&](double course) {
            return excluded_by(targets, rules, own, {normalized_degrees(course), at.speed_kt});
        };
        const auto allowed = [&](double course) { return !reason(course); };
        for (const BoundedArc& b : at.arcs) {
            const std::vector<double> cuts = rule_cuts(targets, rules, own, at.speed_kt, b.arc);
            const std::vector<Span> spans = clear_spans(cuts, b.arc.from, b.arc.to, allowed);
            double gap_from = b.arc.from;
            for (const Span& s : spans) {
                a.allowed.push_back(under_360(s.from, s.to));
                if (s.from > gap_from) add_excluded(gap_from, s.from, cuts, reason, a.excluded);
                gap_from = s.to;
            }
            if (b.arc.to > gap_from) add_excluded(gap_from, b.arc.to, cuts, reason, a.excluded);
        }
        for (ExcludedArc& e : a.excluded) e.arc = under_360(e.arc.from, e.arc.to);
        std::sort(a.allowed.begin(), a.allowed.end(), [](const CourseArc& x, const CourseArc& y) { return x.from < y.from; });
        map.push_back(std::move(a));
    }
    return map;
}

}  // namespace echo_track::traffic
