// How long the traffic solver takes for many targets: the whole picture,
// clearing arcs, both alterations and the speed alternative included, for
// 25 to 400 targets placed at random around the own ship. Prints the time per
// solve and per target, so that linear growth shows as a steady last column.
//
//   build-bench/bench/bench_traffic_timing

#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "traffic/traffic_solution.hpp"

namespace {

using echo_track::traffic::ClockTime;
using echo_track::traffic::Sighting;
using echo_track::traffic::Target;
using echo_track::traffic::TrafficExercise;

TrafficExercise random_traffic(int targets, std::mt19937_64& rng) {
    std::uniform_real_distribution<double> bearing(0.0, 360.0);
    std::uniform_real_distribution<double> range(0.5, 12.0);
    TrafficExercise e;
    e.own = {bearing(rng), 12.0};
    e.required_cpa_nm = 1.0;
    e.manoeuvre.delay_min = 3;
    for (int i = 0; i < targets; ++i) {
        std::string name = "T";
        name += std::to_string(i);
        e.targets.push_back(Target{name, Sighting{ClockTime{600}, bearing(rng), range(rng)},
                                   Sighting{ClockTime{606}, bearing(rng), range(rng)}});
    }
    return e;
}

// Microseconds per solve, the best of a few rounds.
double microseconds_per_solve(const TrafficExercise& e) {
    constexpr int kRounds = 5;
    const int solves = std::max(20, 20000 / static_cast<int>(e.targets.size()));
    double best = 1e300;
    std::size_t keep = 0;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < solves; ++i) keep += echo_track::traffic::solve_traffic(e).arcs.blocked.size();
        const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count() / solves);
    }
    if (keep == 0) std::fputs("", stdout);  // keeps the work from being dropped
    return best;
}

}  // namespace

int main() {
    std::mt19937_64 rng(14);
    std::printf("%8s  %14s  %18s\n", "targets", "us per solve", "ns per target");
    for (const int n : {25, 50, 100, 200, 400}) {
        const double us = microseconds_per_solve(random_traffic(n, rng));
        std::printf("%8d  %14.1f  %18.0f\n", n, us, 1000.0 * us / n);
    }
    return 0;
}
