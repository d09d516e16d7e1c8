// Boxes filed in cells answer as if every box were looked at: random boxes
// of every size and place, those on cell edges, touching ones, boxes far off
// the page and boxes of infinite or undefined extent.

#include "page/box_grid.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace echo_track::page {
namespace {

class BoxDraw {
public:
    explicit BoxDraw(unsigned seed) : random_(seed) {}

    Box box() {
        const double x = coordinate();
        const double y = coordinate();
        return Box{x, y, x + extent(), y + extent()};
    }

private:
    double real(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // Mostly on a small page, so that boxes meet; some on cell edges, some far off.
    double coordinate() {
        switch (pick(12)) {
            case 0: return 16.0 * pick(20);
            case 1: return real(-1e12, 1e12);
            case 2: return -std::numeric_limits<double>::infinity();
            case 3: return std::numeric_limits<double>::quiet_NaN();
            default: return real(-50.0, 300.0);
        }
    }
    double extent() {
        switch (pick(10)) {
            case 0: return 0.0;
            case 1: return real(100.0, 5000.0);
            case 2: return std::numeric_limits<double>::infinity();
            case 3: return -real(0.0, 20.0);  // inverted
            default: return real(0.5, 40.0);
        }
    }

    std::mt19937 random_;
};

TEST(BoxGrid, AnswersAsIfEveryBoxWereLookedAt) {
    BoxDraw draw(22);
    BoxGrid grid;
    std::vector<Box> all;
    int overlapping = 0;
    for (int n = 0; n < 4000; ++n) {
        const Box question = draw.box();
        const bool expected = std::any_of(all.begin(), all.end(), [&](const Box& b) { return overlap(question, b); });
        ASSERT_EQ(grid.overlaps_any(question), expected) << n;
        overlapping += expected;
        if (n % 2 == 0) {
            grid.add(question);
            all.push_back(question);
        }
    }
    EXPECT_EQ(grid.size(), all.size());
    EXPECT_GT(overlapping, 1000);  // the questions met boxes often enough to tell
}

}  // namespace
}  // namespace echo_track::page
