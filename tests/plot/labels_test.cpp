// Number texts and ring scales of the picture, and labels kept apart.

#include <gtest/gtest.h>

#include "console/field_text.hpp"
#include "page/label_placer.hpp"
#include "page/labels.hpp"
#include "plot/range_scale.hpp"

namespace echo_track::plot {
namespace {

using namespace echo_track::page;
using namespace console;

TEST(Labels, NumbersAsThePlotWritesThem) {
    EXPECT_EQ(degrees_text(53), "053°");
    EXPECT_EQ(degrees_text(0), "000°");
    EXPECT_EQ(degrees_text(360), "360°");  // a course of 359.5 or more is printed as 360
    EXPECT_EQ(degrees_text(-5), "-5°");
    EXPECT_EQ(clock_text(13, 6), "13:06");
    EXPECT_EQ(clock_text(24, 5), "24:05");
    EXPECT_EQ(clock_text(9, 45), "9:45");
    EXPECT_EQ(decimal_text(0.0, 1), "0.0");
    EXPECT_EQ(decimal_text(12.0, 1), "12.0");
    EXPECT_EQ(miles_text(4.0), "4");
    EXPECT_EQ(miles_text(0.5), "0.5");
    EXPECT_EQ(miles_text(2.25), "2.25");
    EXPECT_EQ(whole_text(-7), "-7");
}

struct ScaleCase {
    double extent;
    double interval;
    int rings;
};

TEST(RangeScale, FewestRingsOfAPlottingSheetInterval) {
    const ScaleCase cases[] = {
        {3.9, 1.0, 4},     // the default exercise
        {4.25, 1.0, 5},
        {4.0, 1.0, 4},     // a figure right on a ring needs no further ring
        {8.4, 2.0, 5},
        {13.0, 2.5, 6},
        {0.3, 0.1, 3},
        {0.01, 0.1, 1},
        {250.0, 50.0, 5},
        {0.0, 1.0, 1},     // nothing to show
        {-2.0, 1.0, 1},
    };
    for (const ScaleCase& c : cases) {
        const RangeScale s = choose_range_scale(c.extent, 6);
        EXPECT_DOUBLE_EQ(s.interval, c.interval) << c.extent;
        EXPECT_EQ(s.rings, c.rings) << c.extent;
        if (c.extent > 0.0) {
            EXPECT_GE(s.interval * s.rings, c.extent);
        }
    }
    EXPECT_EQ(choose_range_scale(std::numeric_limits<double>::infinity(), 6).rings, 1);
    EXPECT_EQ(choose_range_scale(std::numeric_limits<double>::quiet_NaN(), 6).rings, 1);
}

TEST(LabelPlacer, LabelsOfOnePlaceDoNotCoverEachOtherOrTheMarker) {
    LabelPlacer placer;
    const PagePoint p{100.0, 100.0};
    placer.keep_clear(p, 4.0);
    std::vector<Box> boxes;
    for (const char* text : {"B-1 13:00", "B-2 13:06", "CPA 0.0 nm", "StB 053°"}) {
        boxes.push_back(text_box(placer.place(p, 270.0, text, Ink::Text, 9.0)));
    }
    const Box marker{96.0, 96.0, 104.0, 104.0};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_FALSE(overlap(boxes[i], marker)) << i;
        for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(overlap(boxes[i], boxes[j])) << i << " " << j;
    }
    // The first takes the wanted side: to the west, right-aligned.
    EXPECT_LT(boxes[0].right, p.x);
}

}  // namespace
}  // namespace echo_track::plot
