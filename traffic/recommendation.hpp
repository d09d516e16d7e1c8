#pragma once
// The recommended manoeuvre: the course at a whole degree and the speed at
// a tenth of a knot that clear every solved ship, respect the turns the
// rules ask the own ship to avoid for each ship with risk, are large enough
// to be readily apparent (Rule 8), and depart least from the present
// course and speed. The order of preference: a course alteration alone (up
// to 90 degrees, the least turn; starboard first on a tie), then a speed
// reduction alone (the least), then both (the least turn, then the least
// reduction). Where the own ship gives way to one ship and stands on for
// another, the give-way duty governs.

#include <optional>
#include <vector>

#include "traffic/clearing_arcs.hpp"
#include "traffic/collision_rules.hpp"
#include "traffic/exercise.hpp"
#include "traffic/speed_alternative.hpp"
#include "traffic/target_solution.hpp"

namespace echo_track::traffic {

// The rules read for one solved ship: its encounter when it has risk, and
// whether it is only watched (inside the limit later than the horizon).
struct ShipRules {
    bool solved = false;
    bool risk = false;
    bool watched = false;
    Encounter encounter;  // situation None without risk
};

// The rules for every target, in the exercise's order (`kinds` likewise).
std::vector<ShipRules> read_rules(const std::vector<TargetSolution>& targets, const std::vector<VesselKind>& kinds,
                                  const CourseAndSpeed& own, const RuleSettings& settings, double required_cpa_nm);

enum class RecommendationKind { NoneNeeded, Watch, Course, Speed, CourseAndSpeed, StandOn, NoManoeuvreClears };

struct Recommendation {
    RecommendationKind kind = RecommendationKind::NoneNeeded;
    // What to steer from the manoeuvre time: the present course and speed
    // for none needed, watch and stand on; for no manoeuvre clears, the
    // course or speed alone that comes closest to clearing.
    CourseAndSpeed own;
    double turn_deg = 0.0;  // positive to starboard
    std::vector<int> rules; // the rules it follows, in number order
    // Standing on: what the own ship does should the give-way ship not act
    // in time (Rule 17(a)(ii)); none when nothing allowed clears.
    std::optional<CourseAndSpeed> stand_on_action;
    // Restricted visibility, close quarters with a ship forward of the beam
    // that no manoeuvre avoids: reduce to steerage way (Rule 19(e)).
    bool reduce_to_steerage_way = false;
};

// What the present solution already knows: the clearing arcs at the present
// speed and the speeds that clear on the present course.
Recommendation recommend(const std::vector<TargetSolution>& targets, const std::vector<ShipRules>& rules,
                         const CourseAndSpeed& own, const RuleSettings& settings, double required_cpa_nm,
                         const ClearingArcs& present_arcs, const SpeedChoice& present_speeds);

// Whether `candidate` is a manoeuvre the rules allow for the ships with
// risk: no forbidden turn, and astern of every ship it must pass astern of.
bool rules_allow(const std::vector<TargetSolution>& targets, const std::vector<ShipRules>& rules, const CourseAndSpeed& own,
                 const CourseAndSpeed& candidate);

// Whether `candidate` is large enough to be readily apparent (Rule 8).
bool readily_apparent(const CourseAndSpeed& own, const CourseAndSpeed& candidate, const RuleSettings& settings);

}  // namespace echo_track::traffic
