#pragma once
// The manoeuvre map in the text report: the courses that clear every ship at
// each share of the present speed, with the ship that bounds each arc, and
// what the rules leave of them, with the ship and rule that take the rest.

#include <string>

#include "traffic/manoeuvre_map.hpp"

namespace echo_track::traffic_io {

// "Courses that clear all, by speed, with the ship bounding each end:" and
// one line per speed, then "Of those, the rules allow:" likewise. `coverage`
// follows the heading (empty, or the solved targets only).
std::string map_table_text(const traffic::TrafficSolution& solution, const traffic::ManoeuvreMap& map,
                           const std::string& coverage);

}  // namespace echo_track::traffic_io
