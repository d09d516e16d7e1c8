// How the traffic board's drawing time grows with the targets: 500, 2,000
// and 8,000 targets placed at random, each solved once and then laid out and
// written as SVG. Prints the CPU time of the solver and of the board beside
// each other, the board's growth against 500 targets, and how many labels
// cover another label, so that a faster board is seen to letter no worse.
//
//   build-bench/bench/bench_board_timing

#include <time.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <random>
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

// The least CPU time of `rounds` runs of `work`, in milliseconds.
template <typename Work>
double least_ms(int rounds, Work work) {
    double best = 1e300;
    for (int round = 0; round < rounds; ++round) {
        const double start = cpu_seconds();
        work();
        best = std::min(best, 1000.0 * (cpu_seconds() - start));
    }
    return best;
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

struct Figures {
    int targets;
    double solve_ms;
    double board_ms;
    std::size_t labels;
    std::size_t overlapping;
};

Figures measure(int targets, std::mt19937_64& rng) {
    const traffic::TrafficExercise e = echo_track::bench::random_traffic(targets, rng);
    const int rounds = targets <= 2000 ? 5 : 3;
    traffic::TrafficSolution solution;
    const double solve_ms = least_ms(rounds, [&] { solution = traffic::solve_traffic(e); });
    page::Drawing board;
    std::size_t svg_bytes = 0;
    const double board_ms = least_ms(rounds, [&] {
        board = echo_track::plot::layout_traffic_board(e, solution);
        svg_bytes += page::svg_page(board).size();
    });
    if (svg_bytes == 0) std::fputs("", stdout);  // keeps the writing from being dropped
    std::size_t labels = 0;
    for (const page::Shape& shape : board.shapes) labels += is_placed_label(shape.role) && std::holds_alternative<page::TextShape>(shape.form);
    return Figures{targets, solve_ms, board_ms, labels, overlapping_labels(board)};
}

}  // namespace

int main() {
    std::mt19937_64 rng(22);
    std::vector<Figures> rows;
    for (const int n : {500, 2000, 8000}) rows.push_back(measure(n, rng));
    std::printf("%8s  %12s  %16s  %14s  %8s  %20s\n", "targets", "solve CPU", "board CPU (SVG)", "board vs 500", "labels",
                "labels over another");
    for (const Figures& f : rows) {
        std::printf("%8d  %9.1f ms  %13.1f ms  %13.1fx  %8zu  %20zu\n", f.targets, f.solve_ms, f.board_ms,
                    f.board_ms / rows.front().board_ms, f.labels, f.overlapping);
    }
    const double growth = rows.back().board_ms / rows.front().board_ms;
    std::printf("board growth from 500 to 8,000 targets (16x the targets): %.1fx the CPU, target <= %.0fx: %s\n", growth,
                kMostGrowth, growth <= kMostGrowth ? "met" : "MISSED");
    return 0;
}
