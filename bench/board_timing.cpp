// How the traffic board's drawing time grows with the targets: 500, 2,000
// and 8,000 targets placed at random, each solved once and then laid out and
// written as SVG. Prints the CPU time of the solver and of the board beside
// each other, the board's growth against 500 targets, and how many labels
// cover another label, so that a faster board is seen to letter no worse.
//
//   build-bench/bench/bench_board_timing
//   build-bench/bench/bench_board_timing --draw N     (one board of N targets)

#include <time.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string_view>
#include <vector>

#include "bench/random_traffic.hpp"
#include "page/box.hpp"
#include "page/label_placer.hpp"
#include "page/svg_writer.hpp"
#include "plot/traffic_board.hpp"
#include "traffic/traffic_solution.hpp"

namespace {

namespace page = echo_track::page;
namespace traffic = echo_track::traffic;

// Eight thousand targets may cost at most this many times the CPU of five hundred.
constexpr double kMostGrowth = 20.0;

double cpu_seconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The CPU time of one run of `work`, in milliseconds.
template <typename Work>
double cpu_ms(Work work) {
    const double start = cpu_seconds();
    work();
    return 1000.0 * (cpu_seconds() - start);
}

bool is_placed_label(page::Role role) {
    return role == page::Role::PositionLabel || role == page::Role::CpaLabel || role == page::Role::ProposedCourseLabel;
}

// The placed labels (names, CPAs, courses) that cover at least one other.
std::size_t overlapping_labels(const page::Drawing& board) {
    std::vector<page::Box> boxes;
    for (const page::Shape& shape : board.shapes) {
        const auto* text = std::get_if<page::TextShape>(&shape.form);
        if (text != nullptr && is_placed_label(shape.role)) boxes.push_back(page::text_box(*text));
    }
    std::sort(boxes.begin(), boxes.end(), [](const page::Box& a, const page::Box& b) { return a.left < b.left; });
    std::vector<bool> covers(boxes.size(), false);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        for (std::size_t j = i + 1; j < boxes.size() && boxes[j].left < boxes[i].right; ++j) {
            if (page::overlap(boxes[i], boxes[j])) covers[i] = covers[j] = true;
        }
    }
    return static_cast<std::size_t>(std::count(covers.begin(), covers.end(), true));
}

// One size: the exercise, its solution, and the least times seen.
struct Size {
    int targets;
    traffic::TrafficExercise exercise;
    traffic::TrafficSolution solution;
    double solve_ms = 1e300;
    double board_ms = 1e300;
    page::Drawing board;
};

// The same seed for every size: the 500 targets are the first of the 2,000
// and of the 8,000, and the own ship is the same.
Size size_of(int targets) {
    std::mt19937_64 rng(22);
    Size size{targets, echo_track::bench::random_traffic(targets, rng), {}, 1e300, 1e300, {}};
    size.solution = traffic::solve_traffic(size.exercise);
    return size;
}

// Solves and draws the size `runs` times, keeping the least times.
void time_size(Size& size, int runs, std::size_t& svg_bytes) {
    for (int run = 0; run < runs; ++run) {
        size.solve_ms = std::min(size.solve_ms, cpu_ms([&] { size.solution = traffic::solve_traffic(size.exercise); }));
        size.board = page::Drawing{};  // the last run's board freed off the clock
        size.board_ms = std::min(size.board_ms, cpu_ms([&] {
            size.board = echo_track::plot::layout_traffic_board(size.exercise, size.solution);
            svg_bytes += page::svg_page(size.board).size();
        }));
    }
}

std::size_t label_count(const page::Drawing& board) {
    std::size_t labels = 0;
    for (const page::Shape& shape : board.shapes) {
        labels += is_placed_label(shape.role) && std::holds_alternative<page::TextShape>(shape.form);
    }
    return labels;
}

}  // namespace

// One board of `targets`, drawn once: what bench/run counts the
// instructions of under callgrind, a figure no busy machine changes.
int draw_once(int targets) {
    Size size = size_of(targets);
    const std::size_t bytes = page::svg_page(echo_track::plot::layout_traffic_board(size.exercise, size.solution)).size();
    return bytes > 0 ? 0 : 1;
}

int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--draw") return draw_once(std::atoi(argv[2]));
    std::vector<Size> sizes;
    for (const int n : {500, 2000, 8000}) sizes.push_back(size_of(n));
    // The sizes take turns, so that a machine busy for a while slows each
    // alike; each keeps the least of its times, of about a second of work.
    constexpr int kRounds = 9;
    std::size_t svg_bytes = 0;
    for (int round = 0; round < kRounds; ++round) {
        for (Size& size : sizes) time_size(size, 8000 / size.targets, svg_bytes);
    }
    if (svg_bytes == 0) std::fputs("", stdout);  // keeps the writing from being dropped
    std::printf("%8s  %12s  %16s  %14s  %8s  %20s\n", "targets", "solve CPU", "board CPU (SVG)", "board vs 500", "labels",
                "labels over another");
    for (const Size& size : sizes) {
        std::printf("%8d  %9.1f ms  %13.1f ms  %13.1fx  %8zu  %20zu\n", size.targets, size.solve_ms, size.board_ms,
                    size.board_ms / sizes.front().board_ms, label_count(size.board), overlapping_labels(size.board));
    }
    const double growth = sizes.back().board_ms / sizes.front().board_ms;
    std::printf("board growth from 500 to 8,000 targets (16x the targets): %.1fx the CPU, target <= %.0fx: %s\n", growth,
                kMostGrowth, growth <= kMostGrowth ? "met" : "MISSED");
    return 0;
}
