// How long the traffic solver takes for many targets: the whole picture,
// clearing arcs, both alterations and the speed alternative included, for
// 25 to 400 targets placed at random around the own ship. Prints the time per
// solve and per target, so that linear growth shows as a steady last column.
//
//   build-bench/bench/bench_traffic_timing

#include <chrono>
#include <cstdio>
#include <random>

#include "bench/random_traffic.hpp"
#include "traffic/traffic_solution.hpp"

namespace {

using echo_track::bench::random_traffic;
using echo_track::traffic::TrafficExercise;

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
