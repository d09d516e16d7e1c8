#include "sheets/plotting_sheet.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "console/field_text.hpp"
#include "page/labels.hpp"
#include "sheets/page_kit.hpp"

namespace echo_track::sheets {
namespace {

using page::Ink;
using page::PagePoint;
using page::Role;

constexpr double kGridLine = 0.6;
constexpr double kOuterLine = 1.0;
constexpr double kTickFive = 6.0;  // tick length, page units
constexpr double kScaleLabel = 7.0;

void segment(page::Drawing& page, Role role, PagePoint from, PagePoint to, double width, page::Dash dash = page::Dash::Solid) {
    page.shapes.push_back({role, page::SegmentShape{from, to, {Ink::Grid, width, dash}, false}});
}

void label(page::Drawing& page, Role role, PagePoint at, std::string text, double size, page::HAlign h, page::VAlign v) {
    page.shapes.push_back({role, page::TextShape{at, std::move(text), Ink::GridText, size, false, h, v}});
}

}  // namespace

void draw_miles_scale(const RingPlan& plan, int rings, PagePoint left, page::Drawing& page) {
    const double per_ring = plan.radius / plan.rings;
    const PagePoint right{left.x + per_ring * rings, left.y};
    segment(page, Role::Legend, left, right, kOuterLine);
    const int tenths = 10;  // ticks every tenth of a ring
    for (int i = 0; i <= rings * tenths; ++i) {
        const double x = left.x + per_ring * i / tenths;
        const double tick = i % tenths == 0 ? kTickFive : i % 5 == 0 ? 4.0 : 2.0;
        segment(page, Role::Legend, {x, left.y}, {x, left.y - tick}, kGridLine);
        if (i % tenths == 0) {
            label(page, Role::Legend, {x, left.y + 2.0}, page::miles_text(plan.ring_nm * i / tenths), kScaleLabel,
                  page::HAlign::Centre, page::VAlign::Top);
        }
    }
    label(page, Role::Legend, {right.x + 8.0, left.y}, "nautical miles", kScaleLabel, page::HAlign::Left, page::VAlign::Middle);
}

void draw_log_scale(PagePoint left, double length, page::Drawing& page) {
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
            label(page, Role::Legend, {x, left.y + 2.0}, console::whole_text(whole), kScaleLabel, page::HAlign::Centre,
                  page::VAlign::Top);
        }
        v += v < 10.0 - 1e-9 ? 0.5 : v < 30.0 - 1e-9 ? 1.0 : 5.0;
    }
}

}  // namespace echo_track::sheets
