#pragma once
// The text report of a solved traffic exercise: one table row per target,
// then the manoeuvre (clearing arcs, smallest alterations, speed
// alternative) and the trial.

#include <string>

#include "traffic/exercise.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::traffic_io {

std::string traffic_report(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution);

}  // namespace echo_track::traffic_io
