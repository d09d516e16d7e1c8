#include "plot/legend.hpp"

#include <array>
#include <string>
#include <utility>

#include "plot/page_terms.hpp"
#include "plot/sheet_style.hpp"

namespace echo_track::plot {
namespace {

// One legend row: the sample drawn from its left end, the text after it.
constexpr double kSampleLength = 26.0;
constexpr double kSidePairGap = 4.0;  // between the starboard and the port half of a side pair
constexpr double kTextIndent = 34.0;

enum class Sample { Line, Arrow, Dot, Ring, SidePair };

struct Entry {
    Stroke stroke;
    Sample sample;
    const char* text;
};

const std::array<Entry, 12> kEntries = {{
    {kOwnShipStroke, Sample::Dot, "own ship A"},
    {kPositionStroke, Sample::Dot, "B-1, B-2: plotted positions of B"},
    {kTrackStroke, Sample::Line, "relative track of B, through the CPA"},
    {kRelativeRunStroke, Sample::Arrow, "relative run of B, B-1 to B-2 (KBr, VBr)"},
    {kOwnRunStroke, Sample::Arrow, "run of A in the same time (KA, VA)"},
    {kTrueRunStroke, Sample::Arrow, "true run of B (KB, VB)"},
    {kCpaStroke, Sample::Ring, "closest point of approach (CPA)"},
    {kCpaCircleStroke, Sample::Line, "circle of the minimal CPA"},
    {kManoeuvreStroke, Sample::Ring, "B at the manoeuvre time"},
    {Stroke{Ink::Starboard, kTangentWidth, Dash::Dashed}, Sample::SidePair, "tangents to the CPA circle, StB and BB"},
    {Stroke{Ink::Starboard, kCourseWidth, Dash::Solid}, Sample::Arrow, "new course of A, StB: turn to starboard"},
    {Stroke{Ink::Port, kCourseWidth, Dash::Solid}, Sample::Arrow, "new course of A, BB: turn to port side"},
}};

}  // namespace

void add_legend(std::vector<Shape>& shapes) {
    auto paint = [&shapes](auto form) { shapes.push_back(Shape{Role::Legend, std::move(form)}); };
    const std::size_t rows = (kEntries.size() + 1) / 2;
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        const Entry& e = kEntries[i];
        const double x = kMargin + kLegendColumnStep * static_cast<double>(i / rows);
        const double y = kLegendTop + kLegendRowStep * static_cast<double>(i % rows);
        const PagePoint left{x, y};
        const PagePoint right{x + kSampleLength, y};
        const PagePoint mid{x + kSampleLength / 2.0, y};
        switch (e.sample) {
            case Sample::Line: paint(SegmentShape{left, right, e.stroke, false}); break;
            case Sample::Arrow: paint(SegmentShape{left, right, e.stroke, true}); break;
            case Sample::Dot: paint(CircleShape{mid, kMarkerRadius, e.stroke, true}); break;
            case Sample::Ring: paint(CircleShape{mid, kRingMarkerRadius, e.stroke, false}); break;
            case Sample::SidePair:
                paint(SegmentShape{left, PagePoint{mid.x - kSidePairGap / 2.0, y}, e.stroke, false});
                paint(SegmentShape{PagePoint{mid.x + kSidePairGap / 2.0, y}, right,
                                   Stroke{Ink::Port, e.stroke.width, e.stroke.dash}, false});
                break;
        }
        TextShape t;
        t.at = PagePoint{x + kTextIndent, y};
        t.text = e.text;
        t.size = kLabelSize;
        t.valign = VAlign::Middle;
        paint(std::move(t));
    }
}

}  // namespace echo_track::plot
