#pragma once
// How close every ship comes when the own ship steers a course and speed
// from the manoeuvre time, found the plain way, independently of the traffic
// solver's closed forms: both ships moved on as velocity vectors in small
// steps of time, and the least range from then on taken.

#include "traffic/exercise.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::grading {

// The ships are followed this long, in steps of this many minutes.
inline constexpr double kSimulatedMin = 720.0;
inline constexpr double kStepMin = 0.05;

// Rounding in the figures is far below this (nm): a ship that comes this
// little inside its limit passes at it.
inline constexpr double kRangeSlackNm = 1e-6;

// Whether every solved ship passes at the required CPA or more, or, for a
// ship already inside it, never comes nearer than it is at the manoeuvre time.
bool clears_in_simulation(const traffic::TrafficSolution& solution, const traffic::CourseAndSpeed& own,
                          double required_cpa_nm);

}  // namespace echo_track::grading
