#pragma once
// Traffic for the bench: targets placed at random around the own ship, each
// seen twice six minutes apart, the same for the same generator state.

#include <random>
#include <string>

#include "traffic/exercise.hpp"

namespace echo_track::bench {

inline traffic::TrafficExercise random_traffic(int targets, std::mt19937_64& rng) {
    using traffic::ClockTime;
    using traffic::Sighting;
    std::uniform_real_distribution<double> bearing(0.0, 360.0);
    std::uniform_real_distribution<double> range(0.5, 12.0);
    traffic::TrafficExercise e;
    e.own = {bearing(rng), 12.0};
    e.required_cpa_nm = 1.0;
    e.manoeuvre.delay_min = 3;
    for (int i = 0; i < targets; ++i) {
        std::string name = "T";
        name += std::to_string(i);
        e.targets.push_back(traffic::Target{name, Sighting{ClockTime{600}, bearing(rng), range(rng)},
                                            Sighting{ClockTime{606}, bearing(rng), range(rng)}});
    }
    return e;
}

}  // namespace echo_track::bench
