// The plotting sheet over many seeds, read back from the laid-out pages:
// every sighting and every CPA falls inside the chosen range, the own
// ship's vector at the vector time is long enough to draw, the key's board
// has the worksheet's rings at the same place and size, and no two CPA
// labels of a crowded board print over each other. Every sighting stands in
// the worksheet's table with its bearing as given (relative ones under a
// relative heading), and the key's board marks each one.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "page/box.hpp"
#include "page/label_placer.hpp"
#include "sheets/plotting_scale.hpp"
#include "sheets/sheet_pages.hpp"
#include "traffic_io/traffic_text.hpp"

namespace echo_track::sheets {
namespace {

constexpr int kSeeds = 40;

std::vector<page::CircleShape> rings(const page::Drawing& page) {
    std::vector<page::CircleShape> found;
    for (const page::Shape& s : page.shapes) {
        if (s.role == page::Role::RangeRing) found.push_back(std::get<page::CircleShape>(s.form));
    }
    return found;
}

std::vector<std::string> ring_labels(const page::Drawing& page) {
    std::vector<std::string> found;
    for (const page::Shape& s : page.shapes) {
        if (s.role == page::Role::RingLabel) found.push_back(std::get<page::TextShape>(s.form).text);
    }
    return found;
}

// Each ship's row of the worksheet's table: its name, then each sighting's
// time, bearing as given and range, under a heading that says which bearings.
void expect_every_sighting_in_the_table(const SheetExercise& x, const page::Drawing& worksheet) {
    std::vector<std::string> all;
    for (const page::Shape& s : worksheet.shapes) {
        if (const auto* t = std::get_if<page::TextShape>(&s.form)) all.push_back(t->text);
    }
    for (const traffic::Target& t : x.exercise.targets) {
        auto at = std::find(all.begin(), all.end(), t.name);
        for (const traffic::Sighting& seen : t.sightings) {
            for (const std::string& cell : {traffic_io::clock_text(seen.time), traffic_io::course_text(seen.relative_bearing.value_or(seen.bearing)),
                                            traffic_io::tenths_text(seen.range_nm) + " nm"}) {
                ASSERT_TRUE(at != all.end() && ++at != all.end()) << t.name;
                EXPECT_EQ(*at, cell);
            }
        }
    }
    const auto& first = x.exercise.targets.front().sightings;
    const std::string heading = (first.front().relative_bearing ? "Rel. brg " : "Bearing ") + std::to_string(first.size());
    EXPECT_NE(std::find(all.begin(), all.end(), heading), all.end()) << heading;
}

TEST(PlottingSheet, EverythingInsideTheRangeTheOwnVectorLongAndTheKeyOnTheSameRose) {
    const std::vector<Kind> kinds(kAllKinds.begin(), kAllKinds.end());
    for (int seed = 0; seed < kSeeds; ++seed) {
        const std::vector<SheetExercise> sheet = generate_sheet(static_cast<std::uint64_t>(seed), static_cast<int>(kinds.size()), kinds);
        for (const SheetExercise& x : sheet) {
            SCOPED_TRACE(std::string(kind_name(x.kind)) + " seed " + std::to_string(seed));
            const PlotScale scale = plot_scale_for(x.exercise, x.solution);
            const page::Drawing worksheet = worksheet_page(x, {1, 1, 0});
            const page::Drawing key = answer_page(x, {1, 1, 0});
            const std::vector<page::CircleShape> drawn = rings(worksheet);
            ASSERT_EQ(drawn.size(), 6u);
            // The range as drawn: the outer ring's label, in miles.
            EXPECT_EQ(ring_labels(worksheet).back(), std::to_string(static_cast<int>(scale.range_nm)) + " nm");
            EXPECT_GE(2.0 * drawn.back().radius * kMillimetresPerPoint, 170.0);
            for (const traffic::Target& t : x.exercise.targets) {
                for (const traffic::Sighting& seen : t.sightings) EXPECT_LE(seen.range_nm, scale.range_nm);
            }
            for (const traffic::TargetSolution& t : x.solution.targets) EXPECT_LE(t.present.cpa_nm, scale.range_nm);
            // The smallest range of the series that holds them.
            if (scale.range_nm > kRosesNm.front()) {
                double farthest = 0.0;
                for (const traffic::TargetSolution& t : x.solution.targets) {
                    for (const auto& seen : t.plot) farthest = std::max(farthest, seen.sighting.range_nm);
                }
                EXPECT_GT(farthest, scale.range_nm / 2.0);
            }
            const double minutes = scale.vector_min;
            EXPECT_EQ(std::fmod(minutes, scale.interval_min), 0.0);
            const double own_mm = x.exercise.own.speed_kt * minutes / 60.0 * (drawn.back().radius * kMillimetresPerPoint) /
                                  scale.range_nm;
            EXPECT_GE(own_mm, 15.0);
            // The key's rings: the worksheet's, circle for circle, and labelled alike.
            const std::vector<page::CircleShape> keyed = rings(key);
            ASSERT_EQ(keyed.size(), drawn.size());
            for (std::size_t i = 0; i < drawn.size(); ++i) {
                EXPECT_EQ(keyed[i].radius, drawn[i].radius);
                EXPECT_EQ(keyed[i].centre.x, drawn[i].centre.x);
                EXPECT_EQ(keyed[i].centre.y, drawn[i].centre.y);
            }
            EXPECT_EQ(ring_labels(key), ring_labels(worksheet));
            expect_every_sighting_in_the_table(x, worksheet);
            std::size_t marks = 0;
            for (const traffic::Target& t : x.exercise.targets) marks += t.sightings.size();
            EXPECT_EQ(std::count_if(key.shapes.begin(), key.shapes.end(), [](const page::Shape& s) { return s.role == page::Role::B1; }),
                      static_cast<std::ptrdiff_t>(marks));
        }
    }
}

TEST(AnswerBoard, CpaLabelsOfSeveralShipsNeverOverprint) {
    for (int seed = 0; seed < 3 * kSeeds; ++seed) {
        Dice dice(static_cast<std::uint64_t>(seed));
        const SheetExercise x = generate_exercise(Kind::SeveralShips, dice);
        std::vector<page::Box> labels;
        for (const page::Shape& s : answer_page(x, {1, 1, 0}).shapes) {
            if (s.role == page::Role::CpaLabel) labels.push_back(page::text_box(std::get<page::TextShape>(s.form)));
        }
        ASSERT_EQ(labels.size(), x.solution.targets.size());
        for (std::size_t i = 0; i < labels.size(); ++i) {
            for (std::size_t j = i + 1; j < labels.size(); ++j) EXPECT_FALSE(page::overlap(labels[i], labels[j])) << "seed " << seed;
        }
    }
}

}  // namespace
}  // namespace echo_track::sheets
