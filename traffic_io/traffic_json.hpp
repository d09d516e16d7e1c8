#pragma once
// The solved traffic exercise as JSON for programs: field names in
// snake_case with their units, exact values; described by
// docs/traffic-report.schema.json.

#include <string>

#include "traffic/exercise.hpp"
#include "traffic/traffic_solution.hpp"

namespace echo_track::traffic_io {

// The JSON text, pretty-printed, ending in a newline.
std::string traffic_json(const traffic::TrafficExercise& exercise, const traffic::TrafficSolution& solution);

}  // namespace echo_track::traffic_io
