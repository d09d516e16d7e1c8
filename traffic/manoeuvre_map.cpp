#include "traffic/manoeuvre_map.hpp"

namespace echo_track::traffic {

ManoeuvreMap manoeuvre_map(const TrafficExercise& exercise, const TrafficSolution& solution) {
    ManoeuvreMap map;
    for (const TargetSolution& t : solution.targets) {
        map.obstacles.push_back(t.same_time ? VelocityObstacle{} : velocity_obstacle(t, exercise.required_cpa_nm));
    }
    map.clearing = clearing_arcs_by_speed(solution.targets, exercise.own, exercise.required_cpa_nm, solution.arcs);
    map.allowed = allowed_arcs_by_speed(solution.targets, solution.rules, exercise.own, map.clearing);
    return map;
}

}  // namespace echo_track::traffic
