#pragma once
// What the collision rules are read with: the kinds of ship, the
// visibility, and the officer's own settings for risk and for a readily
// apparent action.

namespace echo_track::traffic {

enum class VesselKind { Power, Sailing, Fishing, RestrictedInAbility, NotUnderCommand, ConstrainedByDraught };

enum class Visibility { InSight, Restricted };

// What the officer settles before the rules are read: the visibility, how
// far ahead a passage too close counts as a risk to act on now, and what
// makes an action readily apparent to another ship (Rule 8: a turn of at
// least `least_alteration_deg`, or a speed brought to at most
// `least_speed_fraction` of the present one).
struct RuleSettings {
    Visibility visibility = Visibility::Restricted;  // radar plotting is the restricted-visibility case
    double risk_horizon_min = 30.0;
    double least_alteration_deg = 30.0;
    double least_speed_fraction = 0.5;
    VesselKind own_kind = VesselKind::Power;
};

}  // namespace echo_track::traffic
