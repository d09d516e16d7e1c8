#pragma once
// The whole traffic picture of one exercise: every target at the present
// course and speed, the courses that clear them all, the smallest
// alterations to either side, the speed alternative, and the trial. Every
// claim in it is judged by passes_clear, and covers the solved targets only.

#include <optional>
#include <string>
#include <vector>

#include "traffic/clearing_arcs.hpp"
#include "traffic/exercise.hpp"
#include "traffic/passage.hpp"
#include "traffic/recommendation.hpp"
#include "traffic/resume_time.hpp"
#include "traffic/speed_alternative.hpp"
#include "traffic/target_solution.hpp"

namespace echo_track::traffic {

// An own course and speed from the manoeuvre time and how every target
// passes then (one passage per target, in the exercise's order; same-time
// targets get an empty passage).
struct Outcome {
    CourseAndSpeed own;
    std::vector<Passage> passages;
    bool clears_all = true;  // every solved target passes clear
};

struct AlterationOutcome {
    Alteration alteration;
    Outcome outcome;  // at the steered course
};

struct SpeedAlternative {
    SpeedChoice choice;
    bool stopping_does_not_clear = false;  // no speed below the present one clears
    double speed_kt = 0.0;                 // the highest clearing tenth of a knot, or the present speed when it clears
    Outcome outcome;                       // at that speed (empty when no tenth clears)
};

struct TrafficSolution {
    ClockMoment manoeuvre_time;                   // to a fraction of a minute when found from a range
    ClockTime latest_observation;                 // of all the targets' sightings
    double manoeuvre_after_latest_min = 0.0;      // from the latest observation to the manoeuvre
    std::optional<RangeTrigger> range_not_reached;  // a manoeuvre at a range never reached, taken at the latest observation
    std::vector<TargetSolution> targets;
    bool any_danger = false;                      // some solved target does not pass clear at the present course and speed
    bool present_clears = true;                   // the present course and speed clear every solved target
    std::vector<std::string> unsolved;            // targets seen twice at the same time, by name
    std::vector<std::string> at_own_ship;         // solved targets already at the own ship
    ClearingArcs arcs;                            // at the present speed
    std::optional<AlterationOutcome> starboard;   // none when no course within 180 degrees clears all
    std::optional<AlterationOutcome> port;
    SpeedAlternative speed_alternative;
    std::optional<Outcome> trial;
    std::optional<ResumeTime> trial_resume;       // with a trial: when the own ship may go back from it

    // The collision rules read for each target (in the exercise's order),
    // the recommended manoeuvre with how every target passes then, and when
    // the own ship may go back to her course and speed after it. Standing
    // on, the passages and the resume time are those of the action she
    // takes should the give-way ship not act (Rule 17(a)(ii)).
    std::vector<ShipRules> rules;
    Recommendation recommendation;
    Outcome recommended;                          // at the recommended course and speed
    std::optional<Outcome> stand_on_action;
    std::optional<ResumeTime> resume;             // none when the own ship keeps her course and speed
};

// The manoeuvre time of the exercise: its clock time, its delay after the
// latest observation of all, or the moment its target closes to its range
// (at the latest observation when that never comes). An exercise without
// targets has no latest observation and needs a clock time; without one it
// is taken as 00:00.
ClockMoment manoeuvre_time(const TrafficExercise& exercise);

// The same on one line of time from the first target's first sighting, as
// every target is carried to it.
ManoeuvreClock manoeuvre_clock(const TrafficExercise& exercise);

// The latest observation of all the targets' sightings, the shorter way
// round the clock from the first target's; none without targets.
std::optional<ClockTime> latest_observation(const TrafficExercise& exercise);

// The minutes from the first target's first sighting to the latest
// observation of all; 0 without targets.
int minutes_to_latest_of_all(const TrafficExercise& exercise);

// How every target passes when the own ship makes `own` from the manoeuvre time.
Outcome outcome_of(const std::vector<TargetSolution>& targets, const CourseAndSpeed& own, double required_cpa_nm);

// Solves the exercise. Targets seen twice at the same time are reported as
// such and left out of everything else.
TrafficSolution solve_traffic(const TrafficExercise& exercise);

}  // namespace echo_track::traffic
