#include "sheets/plotting_sheet.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "plot/labels.hpp"
#include "sheets/page_kit.hpp"
#include "traffic/vec2.hpp"

namespace echo_track::sheets {
namespace {

using plot::Ink;
using plot::PagePoint;
using plot::Role;

constexpr double kGridLine = 0.6;
constexpr double kOuterLine = 1.0;
constexpr double kTickDegree = 3.0;  // tick lengths, page units
constexpr double kTickFive = 6.0;
constexpr double kTickTen = 10.0;
constexpr double kBearingLabelGap = 5.0;
constexpr double kScaleLabel = 7.0;

void segment(plot::Drawing& page, Role role, PagePoint from, PagePoint to, double width, plot::Dash dash = plot::Dash::Solid) {
    page.shapes.push_back({role, plot::SegmentShape{from, to, {Ink::Grid, width, dash}, false}});
}

// The page point `distance` page units from `centre` along a true bearing.
PagePoint toward(PagePoint centre, double bearing, double distance) {
    const traffic::Vec2 v = traffic::along(bearing, distance);
    return {centre.x + v.east, centre.y - v.north};
}

void label(plot::Drawing& page, Role role, PagePoint at, std::string text, double size, plot::HAlign h, plot::VAlign v) {
    page.shapes.push_back({role, plot::TextShape{at, std::move(text), Ink::GridText, size, false, h, v}});
}

}  // namespace

double ring_interval_for(double farthest_nm) { return farthest_nm <= 6.0 ? 1.0 : 2.0; }

void draw_rings_and_bearings(const RingPlan& plan, plot::Drawing& page) {
    const double step = plan.radius / plan.rings;
    for (int i = 1; i <= plan.rings; ++i) {
        page.shapes.push_back({Role::RangeRing, plot::CircleShape{plan.centre, step * i,
                                                                   {Ink::Grid, i == plan.rings ? kOuterLine : kGridLine}, false}});
        // Just inside the ring, clear of the bearing scale outside the last one.
        label(page, Role::RingLabel, toward(plan.centre, 45.0, step * i - 3.0), plot::miles_text(plan.ring_nm * i), kScaleLabel,
              plot::HAlign::Right, plot::VAlign::Top);
    }
    // Radials every 30 degrees, dotted, as on a printed sheet.
    for (int b = 0; b < 360; b += 30) {
        segment(page, Role::Radial, plan.centre, toward(plan.centre, b, plan.radius), kGridLine, plot::Dash::Dotted);
    }
    for (int b = 0; b < 360; ++b) {
        const double tick = b % 10 == 0 ? kTickTen : b % 5 == 0 ? kTickFive : kTickDegree;
        segment(page, Role::BearingTick, toward(plan.centre, b, plan.radius), toward(plan.centre, b, plan.radius + tick),
                kGridLine);
        if (b % 10 == 0) {
            label(page, Role::BearingLabel, toward(plan.centre, b, plan.radius + kTickTen + kBearingLabelGap + 3.0),
                  plot::degrees_text(b), 6.5, plot::HAlign::Centre, plot::VAlign::Middle);
        }
    }
    page.shapes.push_back({Role::OwnShip, plot::CircleShape{plan.centre, 2.0, {Ink::OwnShip, 1.0}, true}});
}

void draw_miles_scale(const RingPlan& plan, PagePoint left, plot::Drawing& page) {
    const double per_ring = plan.radius / plan.rings;
    const PagePoint right{left.x + plan.radius, left.y};
    segment(page, Role::Legend, left, right, kOuterLine);
    const int tenths = 10;  // ticks every tenth of a ring
    for (int i = 0; i <= plan.rings * tenths; ++i) {
        const double x = left.x + per_ring * i / tenths;
        const double tick = i % tenths == 0 ? kTickFive : i % 5 == 0 ? 4.0 : 2.0;
        segment(page, Role::Legend, {x, left.y}, {x, left.y - tick}, kGridLine);
        if (i % tenths == 0) {
            label(page, Role::Legend, {x, left.y + 2.0}, plot::miles_text(plan.ring_nm * i / tenths), kScaleLabel,
                  plot::HAlign::Centre, plot::VAlign::Top);
        }
    }
    label(page, Role::Legend, {right.x + 8.0, left.y}, "nautical miles", kScaleLabel, plot::HAlign::Left, plot::VAlign::Middle);
}

void draw_log_scale(PagePoint left, double length, plot::Drawing& page) {
    const double top = std::log10(60.0);
    const auto x_of = [&](double v) { return left.x + length * std::log10(v) / top; };
    segment(page, Role::Legend, left, {left.x + length, left.y}, kOuterLine);
    constexpr std::array<int, 16> kLabelled = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 30, 40, 60};
    for (double v = 1.0; v <= 60.0 + 1e-9;) {
        const double x = x_of(v);
        const int whole = static_cast<int>(std::lround(v));
        const bool labelled = std::fabs(v - whole) < 1e-9 &&
                              std::find(kLabelled.begin(), kLabelled.end(), whole) != kLabelled.end();
        segment(page, Role::Legend, {x, left.y}, {x, left.y - (labelled ? kTickFive : 2.5)}, kGridLine);
        if (labelled) {
            label(page, Role::Legend, {x, left.y + 2.0}, plot::whole_text(whole), kScaleLabel, plot::HAlign::Centre,
                  plot::VAlign::Top);
        }
        v += v < 10.0 - 1e-9 ? 0.5 : v < 30.0 - 1e-9 ? 1.0 : 5.0;
    }
}

}  // namespace echo_track::sheets
