#include "page/label_placer.hpp"

#include <array>
#include <cmath>
#include <utility>

#include "page/compass.hpp"

namespace echo_track::page {
namespace {

// Average advance of a character and height of a line, in font sizes, for
// the sans-serif face the renderer uses; a little generous on purpose.
constexpr double kCharWidth = 0.6;
constexpr double kLineHeight = 1.15;

// Turns tried away from the wanted direction, nearest first.
constexpr std::array<double, 12> kTurns = {0.0, 30.0, -30.0, 60.0, -60.0, 90.0, -90.0, 120.0, -120.0, 150.0, -150.0, 180.0};
constexpr std::array<double, 3> kGaps = {5.0, 10.0, 18.0};

// Characters, not bytes: the degree sign takes two bytes in UTF-8.
double character_count(const std::string& text) {
    double n = 0.0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) n += 1.0;
    }
    return n;
}

}  // namespace

TextShape label_toward(PagePoint p, double bearing, double gap, std::string text, Ink ink, double size) {
    const double s = std::sin(bearing * kDegree);
    const double c = std::cos(bearing * kDegree);
    TextShape t;
    t.at = PagePoint{p.x + gap * s, p.y - gap * c};
    t.text = std::move(text);
    t.ink = ink;
    t.size = size;
    t.halign = s > 0.35 ? HAlign::Left : (s < -0.35 ? HAlign::Right : HAlign::Centre);
    t.valign = c > 0.35 ? VAlign::Bottom : (c < -0.35 ? VAlign::Top : VAlign::Middle);
    return t;
}

Box text_box(const TextShape& t) {
    const double width = character_count(t.text) * kCharWidth * t.size;
    const double height = kLineHeight * t.size;
    double left = t.at.x;
    if (t.halign == HAlign::Centre) left -= width / 2.0;
    if (t.halign == HAlign::Right) left -= width;
    double top = t.at.y;
    if (t.valign == VAlign::Middle) top -= height / 2.0;
    if (t.valign == VAlign::Bottom) top -= height;
    return Box{left, top, left + width, top + height};
}

TextShape LabelPlacer::place(PagePoint p, double bearing, std::string text, Ink ink, double size) {
    for (const double gap : kGaps) {
        for (const double turn : kTurns) {
            TextShape t = label_toward(p, bearing + turn, gap, text, ink, size);
            const Box box = text_box(t);
            if (!taken_.overlaps_any(box)) {
                taken_.add(box);
                return t;
            }
        }
    }
    TextShape t = label_toward(p, bearing, kGaps.front(), std::move(text), ink, size);
    taken_.add(text_box(t));
    return t;
}

}  // namespace echo_track::page
