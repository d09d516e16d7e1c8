#include "plot/range_rose.hpp"

#include <string>
#include <utility>

#include "console/field_text.hpp"
#include "page/compass.hpp"
#include "page/label_placer.hpp"
#include "page/labels.hpp"
#include "plot/page_terms.hpp"
#include "plot/sheet_style.hpp"

namespace echo_track::plot {
namespace {

// The worksheet's degree scale, page units.
constexpr double kSheetGridLine = 0.6;
constexpr double kSheetOuterLine = 1.0;
constexpr double kTickDegree = 3.0;
constexpr double kTickFive = 6.0;
constexpr double kTickTen = 10.0;
constexpr double kSheetLabelGap = 5.0;
constexpr double kSheetRingLabelSize = 7.0;
constexpr double kSheetBearingLabelSize = 6.5;
constexpr double kSheetOwnShipRadius = 2.0;

void sheet_segment(page::Drawing& page, Role role, PagePoint from, PagePoint to, page::Dash dash = page::Dash::Solid) {
    page.shapes.push_back({role, page::SegmentShape{from, to, {Ink::Grid, kSheetGridLine, dash}, false}});
}

void sheet_label(page::Drawing& page, Role role, PagePoint at, std::string text, double size, HAlign h, VAlign v) {
    page.shapes.push_back({role, page::TextShape{at, std::move(text), Ink::GridText, size, false, h, v}});
}

}  // namespace

void add_range_ring(Canvas& canvas, PagePoint centre, double radius, bool outermost) {
    canvas.paint(Role::RangeRing, page::CircleShape{centre, radius, outermost ? kOuterRingStroke : kRingStroke, false});
}

void add_ring_label(Canvas& canvas, PagePoint at, double nm, bool outermost) {
    page::TextShape t = page::label_toward(at, 0.0, 0.0, page::miles_text(nm), Ink::GridText, kRingLabelSize);
    if (outermost) t.text += " nm";
    t.valign = VAlign::Middle;
    canvas.paint_fixed(Role::RingLabel, std::move(t));
}

double bearing_tick_length(int bearing) { return bearing % 30 == 0 ? kMajorTick : kMinorTick; }

void add_bearing_tick(Canvas& canvas, int bearing, PagePoint on_ring, PagePoint beyond) {
    canvas.paint(Role::BearingTick, page::SegmentShape{on_ring, beyond, kOuterRingStroke, false});
    if (bearing % 30 != 0) return;
    canvas.paint_fixed(Role::BearingLabel, page::label_toward(beyond, bearing, kBearingLabelGap, console::degrees_text(bearing),
                                                              Ink::GridText, kLabelSize));
}

void add_degree_rose(const RingPlan& plan, page::Drawing& page) {
    const double step = plan.radius / plan.rings;
    for (int i = 1; i <= plan.rings; ++i) {
        const bool outermost = i == plan.rings;
        page.shapes.push_back({Role::RangeRing, page::CircleShape{plan.centre, step * i,
                                                                   {Ink::Grid, outermost ? kSheetOuterLine : kSheetGridLine}, false}});
        // Just inside each ring on the diagonal, between the 40 and 50 degree
        // labels; the outermost just outside, where the page has its corner.
        const std::string nm = page::miles_text(plan.ring_nm * i);
        if (outermost) {
            sheet_label(page, Role::RingLabel, page::toward(plan.centre, 45.0, step * i + 3.0), nm + " nm", kSheetRingLabelSize,
                        HAlign::Left, VAlign::Bottom);
        } else {
            sheet_label(page, Role::RingLabel, page::toward(plan.centre, 45.0, step * i - 3.0), nm, kSheetRingLabelSize,
                        HAlign::Right, VAlign::Top);
        }
    }
    // Radials every 30 degrees, dotted, as on a printed sheet.
    for (int b = 0; b < 360; b += 30) {
        sheet_segment(page, Role::Radial, plan.centre, page::toward(plan.centre, b, plan.radius), page::Dash::Dotted);
    }
    // The degree scale inside the outer ring, so that the ring itself can
    // take the page's whole width.
    for (int b = 0; b < 360; ++b) {
        const double tick = b % 10 == 0 ? kTickTen : b % 5 == 0 ? kTickFive : kTickDegree;
        sheet_segment(page, Role::BearingTick, page::toward(plan.centre, b, plan.radius), page::toward(plan.centre, b, plan.radius - tick));
        if (b % 10 == 0) {
            sheet_label(page, Role::BearingLabel, page::toward(plan.centre, b, plan.radius - kTickTen - kSheetLabelGap - 2.0),
                        console::degrees_text(b), kSheetBearingLabelSize, HAlign::Centre, VAlign::Middle);
        }
    }
    page.shapes.push_back({Role::OwnShip, page::CircleShape{plan.centre, kSheetOwnShipRadius, {Ink::OwnShip, 1.0}, true}});
}

}  // namespace echo_track::plot
