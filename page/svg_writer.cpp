#include "page/svg_writer.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <type_traits>
#include <variant>

#include "page/arrow_head.hpp"
#include "page/compass.hpp"
#include "page/inks.hpp"
#include "console/field_text.hpp"
#include "console/number_text.hpp"
#include "console/safe_text.hpp"

namespace echo_track::page {
namespace {

const char* role_class(Role role) {
    switch (role) {
        case Role::RangeRing: return "range-ring";
        case Role::RingLabel: return "ring-label";
        case Role::BearingTick: return "bearing-tick";
        case Role::BearingLabel: return "bearing-label";
        case Role::Radial: return "radial";
        case Role::OwnShip: return "own-ship";
        case Role::B1: return "b1";
        case Role::B2: return "b2";
        case Role::PositionLabel: return "position-label";
        case Role::RelativeTrack: return "relative-track";
        case Role::CpaPoint: return "cpa-point";
        case Role::CpaLabel: return "cpa-label";
        case Role::CpaCircle: return "cpa-circle";
        case Role::OwnRun: return "own-run";
        case Role::TrueRun: return "true-run";
        case Role::RelativeRun: return "relative-run";
        case Role::OwnRunCircle: return "own-run-circle";
        case Role::ManoeuvrePosition: return "manoeuvre-position";
        case Role::TangentLine: return "tangent-line";
        case Role::TangentLabel: return "tangent-label";
        case Role::ProposedCourse: return "proposed-course";
        case Role::ProposedCourseLabel: return "proposed-course-label";
        case Role::NewRelativeRun: return "new-relative-run";
        case Role::Title: return "title";
        case Role::Legend: return "legend";
        case Role::TimeTick: return "time-tick";
        case Role::ClearingSector: return "clearing-sector";
        case Role::BlockedSector: return "blocked-sector";
        case Role::MapGrid: return "map-grid";
        case Role::MapLabel: return "map-label";
        case Role::MapClear: return "map-clear";
        case Role::MapBlocked: return "map-blocked";
        case Role::MapAvoid: return "map-avoid";
        case Role::ObstacleEdge: return "obstacle-edge";
        case Role::MapVelocity: return "map-velocity";
    }
    return "shape";
}

// Page coordinates to two decimals: a hundredth of a point is far below a
// pixel. The bytes console::decimal_text writes, by the number text's
// quicker road, appended where they go: a board writes some ten thousand.
void put_num(std::string& out, double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude < 1e15)) {
        out += console::decimal_text(value, 2);
        return;
    }
    char text[40];
    text[0] = '-';
    const std::size_t n = console::write_fixed(text + 1, sizeof text - 1, magnitude, 2);
    const std::string_view digits(text + 1, n);
    // A negative value that rounds to all zeros is written without its sign.
    const bool negative = value < 0 && digits.find_first_not_of("0.") != std::string_view::npos;
    out.append(negative ? text : text + 1, negative ? n + 1 : n);
}

std::string num(double value) {
    std::string text;
    put_num(text, value);
    return text;
}

void put_colour(std::string& out, Ink ink) {
    static constexpr char kHex[] = "0123456789abcdef";
    const Rgb c = ink_colour(ink);
    out += '#';
    for (unsigned char part : {c.r, c.g, c.b}) {
        out += kHex[part >> 4];
        out += kHex[part & 15];
    }
}

std::string colour(Ink ink) {
    std::string text;
    put_colour(text, ink);
    return text;
}

// ` name="value"`.
void put_attribute(std::string& out, std::string_view name, double value) {
    out += ' ';
    out += name;
    out += "=\"";
    put_num(out, value);
    out += '"';
}

// A character XML 1.0 admits in a document: tab, line end, carriage return
// and every other character from U+0020, but for U+FFFE and U+FFFF.
bool xml_character(char32_t code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code != 0xFFFE && code != 0xFFFF);
}

// Text as XML character data: the markup characters as entities, and any
// character or byte XML does not admit as U+FFFD, so that the document is
// well formed whatever the text holds.
std::string escaped(std::string_view text) {
    constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const console::Utf8Character c = console::utf8_character_at(text, at);
        switch (c.valid ? c.code : 0) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c.valid && xml_character(c.code) ? text.substr(at, c.bytes) : kReplacement;
        }
        at += c.bytes;
    }
    return out;
}

void put_stroke(std::string& out, const Stroke& stroke) {
    out += " stroke=\"";
    put_colour(out, stroke.ink);
    out += '"';
    put_attribute(out, "stroke-width", stroke.width);
    if (stroke.dash == Dash::Dashed) out += " stroke-dasharray=\"6 4\"";
    if (stroke.dash == Dash::Dotted) out += " stroke-dasharray=\"0 2.6\" stroke-linecap=\"round\"";
    if (stroke.dash == Dash::Hatched) out += " stroke-dasharray=\"1.2 2.4\"";
}

void put_class(std::string& out, const char* tag, const char* role) {
    out += tag;
    out += " class=\"";
    out += role;
    out += '"';
}

void write_circle(std::string& out, const char* role, const CircleShape& c) {
    put_class(out, "<circle", role);
    put_attribute(out, "cx", c.centre.x);
    put_attribute(out, "cy", c.centre.y);
    put_attribute(out, "r", c.radius);
    if (c.filled) {
        out += " fill=\"";
        put_colour(out, c.stroke.ink);
        out += '"';
    } else {
        out += " fill=\"none\"";
        put_stroke(out, c.stroke);
    }
    out += "/>\n";
}

// A line, with the class of its role unless it is part of a group that has it.
void put_line(std::string& out, const char* role, PagePoint from, PagePoint to, const Stroke& stroke) {
    if (role == nullptr) out += "<line";
    else put_class(out, "<line", role);
    put_attribute(out, "x1", from.x);
    put_attribute(out, "y1", from.y);
    put_attribute(out, "x2", to.x);
    put_attribute(out, "y2", to.y);
    put_stroke(out, stroke);
    out += "/>";
}

// "x,y".
void put_point(std::string& out, PagePoint p) {
    put_num(out, p.x);
    out += ',';
    put_num(out, p.y);
}

// A straight stroke; an arrow head's tip lies exactly at `to`, and the stroke
// stops at the head's base so that its end does not blunt the tip.
void write_segment(std::string& out, const char* role, const SegmentShape& s) {
    const std::optional<ArrowHead> head = arrow_head(s);
    if (!head) {
        put_line(out, role, s.from, s.to, s.stroke);
        out += '\n';
        return;
    }
    put_class(out, "<g", role);
    out += '>';
    put_line(out, nullptr, s.from, head->shaft_end, s.stroke);
    out += "<polygon points=\"";
    put_point(out, head->tip);
    out += ' ';
    put_point(out, head->left);
    out += ' ';
    put_point(out, head->right);
    out += "\" fill=\"";
    put_colour(out, s.stroke.ink);
    out += "\"/></g>\n";
}

// An arc as a path of at most two halves (one elliptical-arc command cannot
// draw a whole circle); clockwise on the page is the positive sweep.
void write_arc(std::string& out, const char* role, const ArcShape& a) {
    const double turn = std::min(a.to - a.from, 360.0);
    const double middle = a.from + turn / 2.0;
    const PagePoint start = toward(a.centre, a.from, a.radius);
    out += "<path class=\"" + std::string(role) + "\" d=\"M" + num(start.x) + " " + num(start.y);
    for (const double end : {middle, a.from + turn}) {
        const PagePoint p = toward(a.centre, end, a.radius);
        out += " A" + num(a.radius) + " " + num(a.radius) + " 0 0 1 " + num(p.x) + " " + num(p.y);
    }
    out += "\" fill=\"none\"";
    put_stroke(out, a.stroke);
    out += "/>\n";
}

void write_text(std::string& out, const char* role, const TextShape& t, bool halo) {
    double y = t.at.y;
    if (t.valign == VAlign::Top) y += t.size * kFontAscent * 0.8;
    if (t.valign == VAlign::Middle) y += t.size * (kFontAscent * 0.8 - kFontDescent) / 2.0;
    if (t.valign == VAlign::Bottom) y -= t.size * kFontDescent;
    put_class(out, "<text", role);
    put_attribute(out, "x", t.at.x);
    put_attribute(out, "y", y);
    put_attribute(out, "font-size", t.size);
    if (t.bold) out += " font-weight=\"bold\"";
    if (t.halign == HAlign::Centre) out += " text-anchor=\"middle\"";
    if (t.halign == HAlign::Right) out += " text-anchor=\"end\"";
    out += " fill=\"";
    put_colour(out, t.ink);
    out += '"';
    if (halo) {
        out += " stroke=\"";
        put_colour(out, Ink::Paper);
        out += '"';
        put_attribute(out, "stroke-width", kHaloWidth);
        out += " stroke-linejoin=\"round\" paint-order=\"stroke\"";
    }
    out += '>';
    out += escaped(t.text);
    out += "</text>\n";
}

}  // namespace

std::string svg_page(const Drawing& drawing) {
    const std::string w = num(drawing.width);
    const std::string h = num(drawing.height);
    // Room for the whole document at once (an element takes some 120 bytes):
    // a large board is then written without copying what it has so far.
    std::string out;
    out.reserve(1024 + 160 * drawing.shapes.size());
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "pt\" height=\"" + h + "pt\" viewBox=\"0 0 " +
           w + " " + h + "\" font-family=\"" + kFontFamily + ", sans-serif\">\n";
    out += "<rect width=\"" + w + "\" height=\"" + h + "\" fill=\"" + colour(Ink::Paper) + "\"/>\n";
    for (const Shape& shape : drawing.shapes) {
        const char* role = role_class(shape.role);
        std::visit(
            [&](const auto& form) {
                using T = std::decay_t<decltype(form)>;
                if constexpr (std::is_same_v<T, CircleShape>) {
                    write_circle(out, role, form);
                } else if constexpr (std::is_same_v<T, SegmentShape>) {
                    write_segment(out, role, form);
                } else if constexpr (std::is_same_v<T, ArcShape>) {
                    write_arc(out, role, form);
                } else {
                    write_text(out, role, form, has_halo(shape.role));
                }
            },
            shape.form);
    }
    out += "</svg>\n";
    return out;
}

}  // namespace echo_track::page
