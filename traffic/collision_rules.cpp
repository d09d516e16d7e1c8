#include "traffic/collision_rules.hpp"

#include <algorithm>
#include <cmath>

#include "traffic/clearance.hpp"
#include "traffic/passage.hpp"

namespace echo_track::traffic {
namespace {

// Within the head-on cone of a bearing seen from a heading, doubt included.
bool nearly_ahead(double relative_bearing) {
    return std::fabs(signed_turn(0.0, relative_bearing)) <= kHeadOnDeg + kInDoubtDeg;
}

// More than 22.5 degrees abaft the beam (the stern light's sector), widened
// by `doubt` degrees (narrowed where it is negative).
bool astern_sector(double relative_bearing, double doubt) {
    return std::fabs(signed_turn(180.0, relative_bearing)) <= 180.0 - kAbaftBeamDeg + doubt;
}

// Rule 18's order of the kinds: who keeps out of whose way.
int precedence(VesselKind kind) {
    switch (kind) {
        case VesselKind::NotUnderCommand:
        case VesselKind::RestrictedInAbility: return 4;
        case VesselKind::Fishing: return 3;
        case VesselKind::Sailing: return 2;
        case VesselKind::Power:
        case VesselKind::ConstrainedByDraught: return 1;
    }
    return 1;
}

bool power_driven(VesselKind kind) { return kind == VesselKind::Power || kind == VesselKind::ConstrainedByDraught; }

// Rule 18(d): every ship but one not under command, restricted in her
// ability or herself constrained avoids impeding a ship constrained by her
// draught.
bool must_not_impede(VesselKind ship, VesselKind other) {
    return other == VesselKind::ConstrainedByDraught && ship != VesselKind::ConstrainedByDraught &&
           ship != VesselKind::NotUnderCommand && ship != VesselKind::RestrictedInAbility;
}

// Whether `ship` keeps out of the way of `other` by their kinds alone.
bool gives_way_by_kind(VesselKind ship, VesselKind other) {
    return precedence(other) > precedence(ship) || must_not_impede(ship, other);
}

// The side a ship at `relative_bearing` lies on; none right ahead or right astern.
TurnSide side_of(double relative_bearing) {
    const double s = signed_turn(0.0, relative_bearing);
    if (s > 0.0 && s < 180.0) return TurnSide::Starboard;
    if (s < 0.0) return TurnSide::Port;
    return TurnSide::None;
}

Encounter give_way(Encounter e, int rule, TurnSide forbidden = TurnSide::None) {
    e.own_role = OwnRole::GiveWay;
    e.rule = rule;
    e.forbidden_turn = forbidden;
    return e;
}

// Standing on, the own ship keeps course and speed; should it have to act
// (Rule 17(a)(ii), (b)), a power-driven ship does not turn to port for a
// ship on her own port side in a crossing (17(c)).
Encounter stand_on(Encounter e, int rule, double relative_bearing, const RuleSettings& settings) {
    e.own_role = OwnRole::StandOn;
    e.rule = rule;
    const bool crossing = e.situation == Situation::CrossingFromPort || e.situation == Situation::CrossingFromStarboard;
    if (crossing && power_driven(settings.own_kind) && side_of(relative_bearing) == TurnSide::Port) {
        e.forbidden_turn = TurnSide::Port;
    }
    return e;
}

Encounter in_sight(Encounter e, double relative_bearing, VesselKind target_kind, const RuleSettings& settings) {
    const VesselKind own = settings.own_kind;
    if (e.situation == Situation::Overtaking) return give_way(e, 13);
    if (e.situation == Situation::Overtaken) return stand_on(e, 17, relative_bearing, settings);
    if (gives_way_by_kind(own, target_kind)) return give_way(e, 18);
    if (gives_way_by_kind(target_kind, own)) return stand_on(e, 18, relative_bearing, settings);
    if (power_driven(own) && power_driven(target_kind)) {
        if (e.situation == Situation::HeadOn) return give_way(e, 14, TurnSide::Port);
        if (e.situation == Situation::CrossingFromStarboard) {
            e.pass_astern = true;
            return give_way(e, 15, TurnSide::Port);
        }
        return stand_on(e, 17, relative_bearing, settings);
    }
    // Two ships of one kind that no rule of the kinds orders: two sailing
    // ships by the wind (Rule 12), which is not known here, the others by
    // good seamanship (Rule 2). The own ship is taken to keep out of the way.
    return give_way(e, own == VesselKind::Sailing ? 12 : 2);
}

Encounter restricted(Encounter e, double relative_bearing) {
    e.own_role = OwnRole::Avoid;
    e.rule = 19;
    if (e.forward_of_beam) {
        e.forbidden_turn = e.situation == Situation::Overtaking ? TurnSide::None : TurnSide::Port;
    } else {
        e.forbidden_turn = side_of(relative_bearing);  // the turn towards it
    }
    return e;
}

}  // namespace

double relative_bearing_of(Vec2 position, double own_course) { return normalized_degrees(bearing_of(position) - own_course); }

Situation situation_of(double own_course, Vec2 position, Vec2 target_velocity) {
    const double seen_from_own = relative_bearing_of(position, own_course);
    if (has_course(length(target_velocity))) {
        const double target_course = bearing_of(target_velocity);
        const double seen_from_target = relative_bearing_of(-position, target_course);
        const bool reciprocal = std::fabs(signed_turn(own_course, target_course + 180.0)) <= kHeadOnDeg + kInDoubtDeg;
        if (reciprocal && nearly_ahead(seen_from_own) && nearly_ahead(seen_from_target)) return Situation::HeadOn;
        // In doubt a ship takes herself to be overtaking (Rule 13(c)); being
        // overtaken frees her of a duty, so in doubt she does not take it.
        if (astern_sector(seen_from_target, kInDoubtDeg)) return Situation::Overtaking;
        if (astern_sector(seen_from_own, -kInDoubtDeg)) return Situation::Overtaken;
    }
    switch (side_of(seen_from_own)) {
        case TurnSide::Starboard: return Situation::CrossingFromStarboard;
        case TurnSide::Port: return Situation::CrossingFromPort;
        case TurnSide::None: break;
    }
    // Right ahead (or astern): from the side it moves away from.
    return cross(along(own_course, 1.0), target_velocity) > 0.0 ? Situation::CrossingFromPort : Situation::CrossingFromStarboard;
}

double minutes_to_close_quarters(Vec2 position, Vec2 relative_velocity, double required_cpa_nm) {
    const double range = length(position);
    const double closing = dot(position, relative_velocity);
    if (range < required_cpa_nm) return closing < 0.0 || !has_course(length(relative_velocity)) ? 0.0 : -1.0;
    // |P + V t| = R: t^2 |V|^2 + 2 t P.V + |P|^2 - R^2 = 0, the smaller root.
    const double vv = dot(relative_velocity, relative_velocity);
    if (vv <= 0.0 || closing >= 0.0) return -1.0;
    const double room = closing * closing - vv * (range - required_cpa_nm) * (range + required_cpa_nm);
    if (room < 0.0) return -1.0;
    const double hours = (-closing - std::sqrt(room)) / vv;
    return 60.0 * std::max(hours, 0.0);
}

bool has_risk(Vec2 position, Vec2 relative_velocity, double required_cpa_nm, double horizon_min) {
    if (passes_clear(position, relative_velocity, required_cpa_nm)) return false;
    const double minutes = minutes_to_close_quarters(position, relative_velocity, required_cpa_nm);
    // Passing inside only by the grazing allowance's rounding: at its least range.
    const double when = minutes >= 0.0 ? minutes : 60.0 * least_range_ahead(position, relative_velocity).hours;
    return when <= horizon_min;
}

Encounter encounter_with(Situation situation, double relative_bearing, VesselKind target_kind, const RuleSettings& settings) {
    Encounter e;
    e.situation = situation;
    e.forward_of_beam = sector_of(relative_bearing) == Sector::ForwardOfBeam;
    if (situation == Situation::None) return e;
    if (settings.visibility == Visibility::Restricted) return restricted(e, relative_bearing);
    return in_sight(e, relative_bearing, target_kind, settings);
}

bool crosses_ahead(Vec2 position, Vec2 target_velocity, Vec2 own_velocity) {
    if (!has_course(length(target_velocity))) return false;
    const Vec2 heading = (1.0 / length(target_velocity)) * target_velocity;
    // The own ship seen from the other: -P + (Vo - Vt) t; it meets the line
    // of the other's course where cross(heading, -P + Vo t) = 0.
    const double across = cross(heading, own_velocity);
    if (std::fabs(across) < kStationKeepingKt) return false;
    const double hours = cross(heading, position) / across;
    if (hours < 0.0) return false;
    const Vec2 seen = -position + hours * (own_velocity - target_velocity);
    return dot(heading, seen) > 0.0;
}

TurnSide turn_side(double from, double to) {
    const double turn = signed_turn(from, to);
    if (turn > 0.0) return TurnSide::Starboard;
    if (turn < 0.0) return TurnSide::Port;
    return TurnSide::None;
}

}  // namespace echo_track::traffic
