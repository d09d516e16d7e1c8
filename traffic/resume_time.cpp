#include "traffic/resume_time.hpp"

#include <cmath>

#include "traffic/clear_spans.hpp"
#include "traffic/clearance.hpp"
#include "traffic/passage.hpp"

namespace echo_track::traffic {
namespace {

constexpr double kMinutesPerHour = 60.0;

// The root t of a + b t = 0, if there is one.
void linear_root(double a, double b, std::vector<double>& cuts) {
    if (std::fabs(b) > 1e-15) cuts.push_back(-a / b);
}

// The times t where |p + w t| = radius.
void circle_roots(Vec2 p, Vec2 w, double radius, std::vector<double>& cuts) {
    const double ww = dot(w, w);
    if (ww <= 0.0) return;
    const double half_b = dot(p, w);
    const double room = half_b * half_b - ww * (dot(p, p) - radius * radius);
    if (room < 0.0) return;
    cuts.push_back((-half_b - std::sqrt(room)) / ww);
    cuts.push_back((-half_b + std::sqrt(room)) / ww);
}

// Every time (minutes) at which one of the conditions may change for `t`.
void cut_times(const TargetSolution& t, Vec2 own_manoeuvre, Vec2 own_original, Vec2 heading, double required_cpa_nm,
               std::vector<double>& cuts) {
    const Vec2 p = t.position;
    const Vec2 w = (1.0 / kMinutesPerHour) * (t.true_velocity - own_manoeuvre);  // nm per minute
    const Vec2 back = t.true_velocity - own_original;
    for (const double radius : {required_cpa_nm, clearing_limit(required_cpa_nm)}) circle_roots(p, w, radius, cuts);
    if (has_course(length(back))) {
        const Vec2 u = (1.0 / length(back)) * back;
        linear_root(dot(u, p), dot(u, w), cuts);
        for (const double edge : {required_cpa_nm, clearing_limit(required_cpa_nm)}) {
            linear_root(cross(u, p) - edge, cross(u, w), cuts);
            linear_root(cross(u, p) + edge, cross(u, w), cuts);
        }
    }
    linear_root(dot(p, t.true_velocity - own_manoeuvre), dot(w, t.true_velocity - own_manoeuvre), cuts);
    linear_root(dot(heading, p), dot(heading, w), cuts);
    linear_root(cross(heading, p), cross(heading, w), cuts);
}

// The turn Rule 19(d) asks the own ship, heading `course`, to avoid for a
// ship with risk at `position`.
TurnSide turn_to_avoid(const ShipRules& r, Vec2 position, double course) {
    const double bearing = relative_bearing_of(position, course);
    if (std::fabs(signed_turn(0.0, bearing)) < kBeamDeg) {
        return r.encounter.situation == Situation::Overtaking ? TurnSide::None : TurnSide::Port;
    }
    const double s = signed_turn(0.0, bearing);
    if (s > 0.0 && s < 180.0) return TurnSide::Starboard;
    return s < 0.0 ? TurnSide::Port : TurnSide::None;
}

}  // namespace

namespace {

// The three conditions for one ship.
struct Return {
    const std::vector<TargetSolution>& targets;
    const std::vector<ShipRules>& rules;
    const CourseAndSpeed& original;
    const CourseAndSpeed& manoeuvre;
    Visibility visibility;
    double required_cpa_nm;

    bool ship_allows(std::size_t i, double minutes) const {
        const TargetSolution& t = targets[i];
        if (t.same_time) return true;
        const Vec2 own_manoeuvre = along(manoeuvre.course, manoeuvre.speed_kt);
        const Vec2 position = t.position + (minutes / kMinutesPerHour) * (t.true_velocity - own_manoeuvre);
        const Vec2 back = t.true_velocity - along(original.course, original.speed_kt);
        if (!passes_clear(position, back, required_cpa_nm)) return false;
        if (i >= rules.size() || !rules[i].risk) return true;
        // Past its closest point on the manoeuvre and opening: the passage the
        // manoeuvre bought is behind it (going back, it must still clear).
        const Vec2 away = t.true_velocity - own_manoeuvre;
        if (has_course(length(away)) && dot(position, away) < 0.0) return false;
        const TurnSide turn_back = turn_side(manoeuvre.course, original.course);
        const bool still_closing = dot(position, away) < 0.0;
        return !(visibility == Visibility::Restricted && turn_back != TurnSide::None && still_closing &&
                 turn_to_avoid(rules[i], position, manoeuvre.course) == turn_back);
    }
};

}  // namespace

bool can_resume_at(const std::vector<TargetSolution>& targets, const std::vector<ShipRules>& rules,
                   const CourseAndSpeed& original, const CourseAndSpeed& manoeuvre, Visibility visibility,
                   double required_cpa_nm, double minutes) {
    const Return r{targets, rules, original, manoeuvre, visibility, required_cpa_nm};
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (!r.ship_allows(i, minutes)) return false;
    }
    return true;
}

ResumeTime resume_time(const std::vector<TargetSolution>& targets, const std::vector<ShipRules>& rules,
                       const CourseAndSpeed& original, const CourseAndSpeed& manoeuvre, Visibility visibility,
                       double required_cpa_nm) {
    const Vec2 own_manoeuvre = along(manoeuvre.course, manoeuvre.speed_kt);
    const Vec2 own_original = along(original.course, original.speed_kt);
    const Vec2 heading = along(manoeuvre.course, 1.0);
    const Return back{targets, rules, original, manoeuvre, visibility, required_cpa_nm};
    std::vector<std::size_t> ships;
    std::vector<std::vector<double>> cuts;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (targets[i].same_time) continue;
        ships.push_back(i);
        cut_times(targets[i], own_manoeuvre, own_original, heading, required_cpa_nm, cuts.emplace_back());
    }
    const auto allows = [&](std::size_t ship, double minutes) { return back.ship_allows(ships[ship], minutes); };
    const auto can = [&](double minutes) {
        return can_resume_at(targets, rules, original, manoeuvre, visibility, required_cpa_nm, minutes);
    };
    ResumeTime r;
    for (const Span& span : clear_spans_of_every(cuts, 0.0, kResumeWithinMin, allows)) {
        for (double tenths = std::ceil(span.from * 10.0); tenths / 10.0 <= span.to; tenths += 1.0) {
            if (can(tenths / 10.0)) {
                r.found = true;
                r.after_min = tenths / 10.0;
                return r;
            }
        }
    }
    return r;
}

}  // namespace echo_track::traffic
