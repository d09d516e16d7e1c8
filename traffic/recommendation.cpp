#include "traffic/recommendation.hpp"

#include <algorithm>
#include <cmath>
#include <set>

#include "traffic/clearance.hpp"

namespace echo_track::traffic {
namespace {

// Course alone: up to this turn, degrees; beyond it a turn is taken with a
// speed reduction only.
constexpr double kMostCourseAlone = 90.0;
constexpr double kMostTurn = 180.0;
// Below this (degrees, knots) two figures of a manoeuvre are the same.
constexpr double kSame = 1e-9;

bool clears_all(const std::vector<TargetSolution>& targets, const CourseAndSpeed& c, double required_cpa_nm) {
    return clears_every_solved(targets, along(c.course, c.speed_kt), required_cpa_nm);
}

// Whole-degree courses at turns from `least` to `most` degrees, the least
// turn first, starboard before port on a tie.
std::vector<double> courses_by_turn(double course, double least, double most) {
    std::vector<std::pair<double, double>> by_turn;  // |turn|, course
    for (int side = 0; side < 2; ++side) {
        const bool starboard = side == 0;
        double c = starboard ? std::ceil(course + least - kSame) : std::floor(course - least + kSame);
        for (;; c += starboard ? 1.0 : -1.0) {
            const double turn = std::fabs(c - course);
            if (turn > most + kSame) break;
            if (turn >= least - kSame && turn > kSame) by_turn.emplace_back(turn + (starboard ? 0.0 : kSame), c);
        }
    }
    std::stable_sort(by_turn.begin(), by_turn.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<double> courses;
    for (const auto& [turn, c] : by_turn) courses.push_back(normalized_degrees(c));
    return courses;
}

// The highest tenth of a knot not above `speed_kt`.
double tenth_at_most(double speed_kt) { return std::floor(speed_kt * 10.0 + kSame) / 10.0; }

// The highest tenth of a knot below `speed_kt`.
double tenth_below(double speed_kt) { return std::ceil(speed_kt * 10.0 - kSame) / 10.0 - 0.1; }

bool on_a_span(const std::vector<Span>& spans, double speed) {
    return std::any_of(spans.begin(), spans.end(), [&](const Span& s) { return speed >= s.from - kSame && speed <= s.to + kSame; });
}

class Search {
public:
    Search(const std::vector<TargetSolution>& targets, const std::vector<ShipRules>& rules, const CourseAndSpeed& own,
           const RuleSettings& settings, double required_cpa_nm)
        : targets_(targets), rules_(rules), own_(own), settings_(settings), limit_(required_cpa_nm) {
        for (std::size_t i = 0; i < targets_.size(); ++i) {
            if (!targets_[i].same_time) nearest_order_.push_back(i);
        }
    }

    bool acceptable(const CourseAndSpeed& c) const {
        return readily_apparent(own_, c, settings_) && rules_allow(targets_, rules_, own_, c) && clears_all(targets_, c, limit_);
    }

    // A course alone, the least turn first.
    std::optional<CourseAndSpeed> course_alone(const ClearingArcs& arcs) const {
        for (const double c : courses_by_turn(own_.course, settings_.least_alteration_deg, kMostCourseAlone)) {
            const bool on_arc = std::any_of(arcs.clear.begin(), arcs.clear.end(), [&](const CourseArc& a) { return a.holds(c); });
            if (on_arc && acceptable({c, own_.speed_kt})) return CourseAndSpeed{c, own_.speed_kt};
        }
        return std::nullopt;
    }

    // A speed alone on the present course, the least reduction first.
    std::optional<CourseAndSpeed> speed_alone(const SpeedChoice& speeds) const {
        if (own_.speed_kt <= 0.0) return std::nullopt;
        for (double s = tenth_at_most(settings_.least_speed_fraction * own_.speed_kt); s >= -kSame; s -= 0.1) {
            const double speed = std::max(0.0, std::round(s * 10.0) / 10.0);
            if (on_a_span(speeds.clearing_speeds, speed) && acceptable({own_.course, speed})) return CourseAndSpeed{own_.course, speed};
        }
        return std::nullopt;
    }

    // A turn and a reduction together: the least turn, then the least
    // reduction; of two sides at one turn the higher speed, then starboard.
    std::optional<CourseAndSpeed> course_and_speed() const {
        if (own_.speed_kt <= 0.0) return std::nullopt;
        std::optional<CourseAndSpeed> best;
        double best_turn = 0.0;
        for (const double c : courses_by_turn(own_.course, 0.0, kMostTurn)) {
            const double turn = std::fabs(signed_turn(own_.course, c));
            if (best && turn > best_turn + kSame) break;
            const double top = turn >= settings_.least_alteration_deg - kSame
                                   ? tenth_below(own_.speed_kt)
                                   : tenth_at_most(settings_.least_speed_fraction * own_.speed_kt);
            const std::optional<double> speed = highest_speed(c, top);
            if (speed && (!best || *speed > best->speed_kt + kSame)) {
                best = CourseAndSpeed{c, *speed};
                best_turn = turn;
            }
        }
        return best;
    }

    // What comes closest when nothing allowed clears: of the whole-degree
    // courses at the present speed and the whole knots below it on the
    // present course that the rules allow, the one whose nearest ship passes
    // farthest off. (A turn the rules ask to avoid may clear; the report's
    // alterations show it, and leaving the rules is the officer's call.)
    CourseAndSpeed closest() const {
        CourseAndSpeed best = own_;
        double best_least = least_beyond(own_, -1.0).value_or(0.0);
        const auto consider = [&](const CourseAndSpeed& c) {
            if (!rules_allow(targets_, rules_, own_, c)) return;
            if (const std::optional<double> least = least_beyond(c, best_least + kSame)) {
                best_least = *least;
                best = c;
            }
        };
        for (const double c : courses_by_turn(own_.course, 0.0, kMostTurn)) consider({c, own_.speed_kt});
        for (double s = std::ceil(own_.speed_kt - kSame) - 1.0; s >= 0.0; s -= 1.0) consider({own_.course, s});
        return best;
    }

private:
    std::optional<double> highest_speed(double course, double top) const {
        if (top < -kSame) return std::nullopt;
        if (blocked_by_one(course, std::max(0.0, top))) return std::nullopt;
        const SpeedChoice choice = speed_choice(targets_, course, std::max(0.0, top), limit_);
        std::vector<Span> spans = choice.clearing_speeds;
        if (choice.present_clears) spans = {Span{std::max(0.0, top), std::max(0.0, top)}};
        for (double s = std::max(0.0, top); s >= -kSame; s -= 0.1) {
            const double speed = std::max(0.0, std::round(s * 10.0) / 10.0);
            if (on_a_span(spans, speed) && acceptable({course, speed})) return speed;
        }
        return std::nullopt;
    }

    // Whether one ship alone blocks every speed up to `top` on `course`: in
    // a crowded sea most courses are shut by one ship, and the one that shut
    // the last course is the likeliest to shut the next, so it is asked first.
    bool blocked_by_one(double course, double top) const {
        if (order_.empty()) {
            for (std::size_t i = 0; i < targets_.size(); ++i) order_.push_back(i);
        }
        for (std::size_t k = 0; k < order_.size(); ++k) {
            if (blocks_every_speed(targets_[order_[k]], course, top, limit_)) {
                std::rotate(order_.begin(), order_.begin() + static_cast<std::ptrdiff_t>(k), order_.begin() + static_cast<std::ptrdiff_t>(k) + 1);
                return true;
            }
        }
        return false;
    }

    // The least of the ships' least ranges, squared (the same order, without
    // a root), when it lies beyond `bound`: the first ship that comes closer
    // ends the count, and the ship that ended the last count is asked first.
    std::optional<double> least_beyond(const CourseAndSpeed& c, double bound) const {
        const Vec2 v = along(c.course, c.speed_kt);
        double least = 1e300;
        for (std::size_t k = 0; k < nearest_order_.size(); ++k) {
            const TargetSolution& t = targets_[nearest_order_[k]];
            const Vec2 p = closest_point_ahead(t.position, t.true_velocity - v).point;
            least = std::min(least, dot(p, p));
            if (least <= bound) {
                std::rotate(nearest_order_.begin(), nearest_order_.begin() + static_cast<std::ptrdiff_t>(k),
                            nearest_order_.begin() + static_cast<std::ptrdiff_t>(k) + 1);
                return std::nullopt;
            }
        }
        return least;
    }

    const std::vector<TargetSolution>& targets_;
    const std::vector<ShipRules>& rules_;
    const CourseAndSpeed& own_;
    const RuleSettings& settings_;
    double limit_;
    mutable std::vector<std::size_t> order_;
    mutable std::vector<std::size_t> nearest_order_;  // the solved ships that moved
};

std::vector<int> rules_followed(const std::vector<ShipRules>& rules, RecommendationKind kind) {
    std::set<int> numbers;
    bool gives_way = false;
    for (const ShipRules& r : rules) {
        if (!r.risk) continue;
        numbers.insert(r.encounter.rule);
        gives_way = gives_way || r.encounter.own_role == OwnRole::GiveWay;
    }
    if (kind == RecommendationKind::Course || kind == RecommendationKind::Speed || kind == RecommendationKind::CourseAndSpeed) {
        numbers.insert(8);
        if (gives_way) numbers.insert(16);
    }
    if (kind == RecommendationKind::NoManoeuvreClears) numbers.insert({2, 17});
    return {numbers.begin(), numbers.end()};
}

RecommendationKind kind_of(const CourseAndSpeed& own, const CourseAndSpeed& chosen) {
    const bool turned = std::fabs(signed_turn(own.course, chosen.course)) > kSame;
    const bool slowed = chosen.speed_kt < own.speed_kt - kSame;
    if (turned && slowed) return RecommendationKind::CourseAndSpeed;
    return turned ? RecommendationKind::Course : RecommendationKind::Speed;
}

}  // namespace

std::vector<ShipRules> read_rules(const std::vector<TargetSolution>& targets, const std::vector<VesselKind>& kinds,
                                  const CourseAndSpeed& own, const RuleSettings& settings, double required_cpa_nm) {
    std::vector<ShipRules> rules;
    const Vec2 own_velocity = along(own.course, own.speed_kt);
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const TargetSolution& t = targets[i];
        ShipRules r;
        r.solved = !t.same_time;
        if (r.solved) {
            const Vec2 relative = t.true_velocity - own_velocity;
            r.risk = has_risk(t.position, relative, required_cpa_nm, settings.risk_horizon_min);
            r.watched = !r.risk && !passes_clear(t.position, relative, required_cpa_nm);
            // In restricted visibility Rule 19(d) speaks of close quarters,
            // so a watched ship is read too; only a ship with risk is acted on.
            const bool read = r.risk || (r.watched && settings.visibility == Visibility::Restricted);
            const Situation s = read ? situation_of(own.course, t.position, t.true_velocity) : Situation::None;
            const VesselKind kind = i < kinds.size() ? kinds[i] : VesselKind::Power;
            r.encounter = encounter_with(s, relative_bearing_of(t.position, own.course), kind, settings);
        }
        rules.push_back(r);
    }
    return rules;
}

bool rules_allow(const std::vector<TargetSolution>& targets, const std::vector<ShipRules>& rules, const CourseAndSpeed& own,
                 const CourseAndSpeed& candidate) {
    const TurnSide side = turn_side(own.course, candidate.course);
    const Vec2 velocity = along(candidate.course, candidate.speed_kt);
    for (std::size_t i = 0; i < rules.size() && i < targets.size(); ++i) {
        const ShipRules& r = rules[i];
        if (!r.risk) continue;
        if (side != TurnSide::None && r.encounter.forbidden_turn == side) return false;
        if (r.encounter.pass_astern && crosses_ahead(targets[i].position, targets[i].true_velocity, velocity)) return false;
    }
    return true;
}

bool readily_apparent(const CourseAndSpeed& own, const CourseAndSpeed& candidate, const RuleSettings& settings) {
    const bool large_turn = std::fabs(signed_turn(own.course, candidate.course)) >= settings.least_alteration_deg - kSame;
    const bool large_reduction = candidate.speed_kt <= settings.least_speed_fraction * own.speed_kt + kSame;
    return large_turn || large_reduction;
}

Recommendation recommend(const std::vector<TargetSolution>& targets, const std::vector<ShipRules>& rules,
                         const CourseAndSpeed& own, const RuleSettings& settings, double required_cpa_nm,
                         const ClearingArcs& present_arcs, const SpeedChoice& present_speeds) {
    Recommendation r;
    r.own = own;
    const bool any_risk = std::any_of(rules.begin(), rules.end(), [](const ShipRules& s) { return s.risk; });
    if (!any_risk) {
        const bool any_watched = std::any_of(rules.begin(), rules.end(), [](const ShipRules& s) { return s.watched; });
        r.kind = any_watched ? RecommendationKind::Watch : RecommendationKind::NoneNeeded;
        return r;
    }
    const Search search(targets, rules, own, settings, required_cpa_nm);
    std::optional<CourseAndSpeed> chosen = search.course_alone(present_arcs);
    if (!chosen) chosen = search.speed_alone(present_speeds);
    if (!chosen) chosen = search.course_and_speed();

    const bool stands_on_for_all = std::all_of(rules.begin(), rules.end(), [](const ShipRules& s) {
        return !s.risk || s.encounter.own_role == OwnRole::StandOn;
    });
    if (stands_on_for_all) {
        r.kind = RecommendationKind::StandOn;
        r.stand_on_action = chosen;
    } else if (chosen) {
        r.kind = kind_of(own, *chosen);
        r.own = *chosen;
    } else {
        r.kind = RecommendationKind::NoManoeuvreClears;
        r.own = search.closest();
        const bool ahead = std::any_of(rules.begin(), rules.end(), [](const ShipRules& s) { return s.risk && s.encounter.forward_of_beam; });
        r.reduce_to_steerage_way = settings.visibility == Visibility::Restricted && ahead;
    }
    r.turn_deg = signed_turn(own.course, r.own.course);
    r.rules = rules_followed(rules, r.kind);
    return r;
}

}  // namespace echo_track::traffic
