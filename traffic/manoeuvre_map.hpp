#pragma once
// The manoeuvre map of a solved exercise: each ship's velocity obstacle,
// the courses that clear every ship at each share of the present speed with
// the ship bounding each arc, and what the rules leave of them. Computed
// apart from the solution, for the report, the JSON and the board's inset
// that show it.

#include <vector>

#include "traffic/allowed_arcs.hpp"
#include "traffic/traffic_solution.hpp"
#include "traffic/velocity_obstacle.hpp"

namespace echo_track::traffic {

struct ManoeuvreMap {
    std::vector<VelocityObstacle> obstacles;  // one per target, in the exercise's order (Nothing for an unsolved one)
    std::vector<ArcsAtSpeed> clearing;        // at kMapSpeedShares of the present speed
    std::vector<AllowedAtSpeed> allowed;      // the same with the rules applied
};

ManoeuvreMap manoeuvre_map(const TrafficExercise& exercise, const TrafficSolution& solution);

}  // namespace echo_track::traffic
