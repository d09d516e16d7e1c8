#pragma once
// The collision rules as this tool reads them, for one ship at a time: which
// encounter the geometry at the manoeuvre time makes (head-on, overtaking,
// crossing), what the own ship's part in it is, and which turn the rules
// ask it to avoid. A decision aid: it knows nothing of the waters, the
// ship's handling or what the other ship does; the officer decides.
//
// The reading, stated once (the manual page repeats it):
// - Head-on: each ship sees the other within 6 degrees of right ahead, on
//   courses within 6 degrees of reciprocal.
// - Overtaking: the own ship comes up on the other from more than 22.5
//   degrees abaft its beam (its relative bearing of the own ship between
//   112.5 and 247.5 degrees); overtaken: the other comes up on the own ship
//   so. Within 2 degrees of the 6 or 22.5 degree boundary the own ship
//   takes the encounter to be head-on or overtaking (in doubt, assume the
//   duty); being overtaken, which frees her of one, she takes only 2
//   degrees inside the boundary (114.5 to 245.5 degrees).
// - Crossing: any other encounter, from starboard or from port by the
//   other's relative bearing.
// - In sight, the kinds decide first (Rule 18), but an overtaking ship keeps
//   out of the way whatever its kind (Rule 13); two power-driven ships follow
//   Rules 14, 15 and 17; two sailing ships Rule 12, whose wind this tool does
//   not know, so the own ship is taken to give way.
// - Restricted visibility (Rule 19(d)): the own ship avoids a turn to port
//   for a ship forward of the beam (relative bearing under 90 degrees either
//   side), other than one it overtakes, and a turn towards a ship abeam or
//   abaft the beam.

#include "traffic/target_sector.hpp"
#include "traffic/rule_settings.hpp"
#include "traffic/vec2.hpp"

namespace echo_track::traffic {

enum class Situation { None, HeadOn, Overtaking, Overtaken, CrossingFromStarboard, CrossingFromPort };

enum class OwnRole { None, GiveWay, StandOn, Avoid };

enum class TurnSide { None, Port, Starboard };

struct Encounter {
    Situation situation = Situation::None;
    OwnRole own_role = OwnRole::None;
    int rule = 0;                          // the deciding rule's number; 0 without risk
    TurnSide forbidden_turn = TurnSide::None;
    bool pass_astern = false;              // Rule 15: a course that crosses ahead of it is not taken
    bool forward_of_beam = false;          // relative bearing under 90 degrees either side
};

// The angles of the reading above, degrees (the beam and 22.5 degrees abaft
// it are the sectors' borders).
inline constexpr double kHeadOnDeg = 6.0;
inline constexpr double kInDoubtDeg = 2.0;

// The bearing of a ship at `position` from the own heading `own_course`,
// clockwise, 0 <= bearing < 360.
double relative_bearing_of(Vec2 position, double own_course);

// The encounter the geometry makes with a ship at `position` moving at
// `target_velocity` (true), the own ship heading `own_course`. A ship that
// does not move has no heading: it is never head-on or overtaking, and is
// crossing by the side it lies on.
Situation situation_of(double own_course, Vec2 position, Vec2 target_velocity);

// Whether a ship at `position` with `relative_velocity` comes inside the
// required CPA within the risk horizon: the ships the rules are read for.
// One that comes inside only later is watched, not acted on.
bool has_risk(Vec2 position, Vec2 relative_velocity, double required_cpa_nm, double horizon_min);

// The minutes from now until a ship at `position` with `relative_velocity`
// first comes inside `required_cpa_nm` (0 when it is inside and not
// opening); a negative value when it never does.
double minutes_to_close_quarters(Vec2 position, Vec2 relative_velocity, double required_cpa_nm);

// The own ship's part in `situation` with a ship of `target_kind` at
// `relative_bearing`.
Encounter encounter_with(Situation situation, double relative_bearing, VesselKind target_kind, const RuleSettings& settings);

// Whether the own ship, making `own_velocity`, passes ahead of a ship at
// `position` moving at `target_velocity`: crosses the line of its course in
// front of it.
bool crosses_ahead(Vec2 position, Vec2 target_velocity, Vec2 own_velocity);

// The side of a turn from `from` to `to`, the shorter way; none for no turn.
TurnSide turn_side(double from, double to);

}  // namespace echo_track::traffic
