// How long the traffic solver takes for many targets: the whole picture,
// clearing arcs, both alterations, the speed alternative and the collision
// rules (each ship's reading, the recommended manoeuvre, the time to resume)
// included, for 25 to 400 targets placed at random around the own ship.
// Prints the time per solve, the rules' share of it, the time per target (so
// that linear growth shows as a steady column), and the manoeuvre map
// (velocity obstacles, clearing arcs at four speeds, what the rules leave),
// computed apart from the solve; then the solve for 100 targets against its
// budget of half a millisecond, and the map for 100 targets.
//
//   build-bench/bench/bench_traffic_timing

#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "bench/random_traffic.hpp"
#include "traffic/manoeuvre_map.hpp"
#include "traffic/traffic_solution.hpp"

namespace {

using echo_track::bench::random_traffic;
using echo_track::traffic::TrafficExercise;

// Microseconds per call of `work`, the best of a few rounds.
template <class Work>
double microseconds_per_call(std::size_t targets, Work work) {
    constexpr int kRounds = 5;
    const int calls = std::max(20, 20000 / static_cast<int>(targets));
    double best = 1e300;
    std::size_t keep = 0;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < calls; ++i) keep += work();
        const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count() / calls);
    }
    if (keep == 0) std::fputs("", stdout);  // keeps the work from being dropped
    return best;
}

}  // namespace

int main() {
    namespace traffic = echo_track::traffic;
    std::mt19937_64 rng(14);
    constexpr double kBudgetUs = 500.0;  // 100 ships with the rules
    double at_100 = 0.0;
    double map_at_100 = 0.0;
    std::printf("%8s  %14s  %16s  %14s  %12s\n", "targets", "us per solve", "us of it: rules", "ns per target", "us map, apart");
    for (const int n : {25, 50, 100, 200, 400}) {
        const TrafficExercise e = random_traffic(n, rng);
        const double us = microseconds_per_call(e.targets.size(), [&] { return traffic::solve_traffic(e).arcs.blocked.size(); });
        // The rules alone, on the solution they are read from.
        const traffic::TrafficSolution s = traffic::solve_traffic(e);
        std::vector<traffic::VesselKind> kinds(e.targets.size(), traffic::VesselKind::Power);
        const double rules_us = microseconds_per_call(e.targets.size(), [&] {
            const auto rules = traffic::read_rules(s.targets, kinds, e.own, e.rules, e.required_cpa_nm);
            const auto r = traffic::recommend(s.targets, rules, e.own, e.rules, e.required_cpa_nm, s.arcs, s.speed_alternative.choice);
            const auto back = traffic::resume_time(s.targets, rules, e.own, r.own, e.rules.visibility, e.required_cpa_nm);
            return static_cast<std::size_t>(r.kind) + (back.found ? 1u : 0u);
        });
        const double map_us = microseconds_per_call(e.targets.size(), [&] { return traffic::manoeuvre_map(e, s).allowed.size(); });
        std::printf("%8d  %14.1f  %16.1f  %14.0f  %12.1f\n", n, us, rules_us, 1000.0 * us / n, map_us);
        if (n == 100) at_100 = us, map_at_100 = map_us;
    }
    std::printf("solve with the rules for 100 targets: %.0f us, target <= %.0f us: %s\n", at_100, kBudgetUs,
                at_100 <= kBudgetUs ? "met" : "MISSED");
    std::printf("manoeuvre map for 100 targets: %.0f us\n", map_at_100);
    return 0;
}
