// The manoeuvre map's inset. The colours are laid in bands of speed, each
// band coloured along the compass by the exact clearing arcs at its middle
// speed; the obstacles' edges, drawn over them, are exact at every speed.

#include "plot/manoeuvre_inset.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "page/compass.hpp"
#include "plot/page_terms.hpp"
#include "traffic/manoeuvre_map.hpp"
#include "traffic_io/traffic_text.hpp"

namespace echo_track::plot {
namespace {

using traffic::CourseAndSpeed;
using traffic::Vec2;
using traffic_io::course_text;
using traffic_io::given_text;
using traffic_io::tenths_text;

constexpr double kStoppedTopSpeedKt = 10.0;
constexpr double kHeadingGap = 30.0;     // from the inset's top to the outer ring's top, labels above it
constexpr double kBottomGap = 22.0;
constexpr double kKeyGap = 40.0;         // from the outer ring to the key
constexpr double kKeyStep = 14.0;
constexpr double kKeySize = 9.5;  // readable on A4, where the board prints at about 0.7
constexpr double kSwatch = 22.0;

Ink target_ink(std::size_t i) { return page::kTargetInks[i % std::size(page::kTargetInks)]; }

// The part t in [0, inf) of the ray a + t d (d a unit vector) within the
// disc of `radius` about the origin, if any.
std::optional<std::pair<double, double>> ray_in_disc(Vec2 a, Vec2 d, double radius) {
    const double b = traffic::dot(a, d);
    const double c = traffic::dot(a, a) - radius * radius;
    const double disc = b * b - c;
    if (disc <= 0.0) return std::nullopt;
    const double lo = std::max(0.0, -b - std::sqrt(disc));
    const double hi = -b + std::sqrt(disc);
    if (hi <= lo) return std::nullopt;
    return std::pair{lo, hi};
}

class Inset {
public:
    Inset(Canvas& canvas, PagePoint top_left, double width, const traffic::TrafficExercise& e, const traffic::TrafficSolution& s,
          const InsetMarks& marks)
        : canvas_(canvas), e_(e), s_(s), marks_(marks), top_speed_(map_top_speed(e)),
          centre_{top_left.x + kInsetRadius + 26.0, top_left.y + kHeadingGap + kInsetRadius + 12.0},
          key_x_(centre_.x + kInsetRadius + kKeyGap), left_(top_left.x), top_(top_left.y) {
        (void)width;  // the key fits in what is left of the column at the board's width
    }

    double draw() {
        heading();
        bands();
        grid();
        edges();
        velocities();
        key();
        return kHeadingGap + 12.0 + 2.0 * kInsetRadius + kBottomGap;
    }
    PagePoint centre() const { return centre_; }

private:
    double per_knot() const { return kInsetRadius / top_speed_; }
    PagePoint at(Vec2 v) const { return {centre_.x + v.east * per_knot(), centre_.y - v.north * per_knot()}; }

    void text(Role role, PagePoint p, std::string words, Ink ink, double size, HAlign h = HAlign::Left, bool bold = false) {
        canvas_.paint_fixed(role, TextShape{p, std::move(words), ink, size, bold, h, VAlign::Bottom});
    }

    void heading() {
        text(Role::Title, {left_, top_ + 12.0},
             "Manoeuvre map from " + traffic_io::clock_text(s_.manoeuvre_time) +
                 ": every own course and speed (velocity space, north up)",
             Ink::Text, 11.0, HAlign::Left, true);
    }

    // Each band of speed coloured by the clearing arcs at its middle, then
    // hatched where the rules take a clearing course away.
    void bands() {
        const double band = kInsetRadius / kInsetBands;
        for (int k = 0; k < kInsetBands; ++k) {
            const double share = (k + 0.5) / kInsetBands;
            const double speed = share * top_speed_;
            const traffic::ClearingArcs arcs = traffic::clearing_arcs(s_.targets, speed, e_.own.course, e_.required_cpa_nm);
            const Stroke clear{Ink::Clear, band + 0.3, Dash::Solid};
            const Stroke blocked{Ink::Blocked, band + 0.3, Dash::Solid};
            for (const traffic::CourseArc& a : arcs.clear) arc(Role::MapClear, share, a, clear);
            for (const traffic::CourseArc& a : arcs.blocked) arc(Role::MapBlocked, share, a, blocked);
            traffic::ArcsAtSpeed at{speed, {}};
            for (const traffic::CourseArc& a : arcs.clear) at.arcs.push_back({a, -1, -1});
            for (const traffic::AllowedAtSpeed& allowed : traffic::allowed_arcs_by_speed(s_.targets, s_.rules, e_.own, {at})) {
                for (const traffic::ExcludedArc& x : allowed.excluded) {
                    arc(Role::MapAvoid, share, x.arc, Stroke{Ink::Paper, band + 0.3, Dash::Hatched});
                }
            }
        }
    }

    void arc(Role role, double share, const traffic::CourseArc& a, Stroke stroke) {
        if (a.width() <= 0.0) return;
        canvas_.paint(role, ArcShape{centre_, share * kInsetRadius, a.from, a.from + std::min(a.width(), 360.0), stroke});
    }

    // Rings at the four speeds of the map's table, rays every 30 degrees.
    void grid() {
        const Stroke thin{Ink::Grid, 0.6, Dash::Solid};
        for (const double share : traffic::kMapSpeedShares) {
            canvas_.paint(Role::MapGrid, CircleShape{centre_, share * kInsetRadius, thin, false});
            // Beside the 180 degree ray, inside each ring, clear of the rays' figures.
            const PagePoint p = page::toward(centre_, 180.0, share * kInsetRadius);
            text(Role::MapLabel, {p.x + 3.0, p.y - 2.0}, tenths_text(share * top_speed_) + (share == 1.0 ? " kt" : ""), Ink::GridText, 8.0);
        }
        for (int course = 0; course < 360; course += 30) {
            canvas_.paint(Role::MapGrid, SegmentShape{centre_, page::toward(centre_, course, kInsetRadius), thin, false});
            const PagePoint p = page::toward(centre_, course, kInsetRadius + 9.0);
            canvas_.paint_fixed(Role::MapLabel, TextShape{p, course_text(course), Ink::GridText, 8.0, false, HAlign::Centre, VAlign::Middle});
        }
    }

    // Each ship's obstacle: its two edges within the map, in its colour.
    void edges() {
        for (std::size_t i = 0; i < s_.targets.size(); ++i) {
            if (s_.targets[i].same_time) continue;
            const traffic::VelocityObstacle o = traffic::velocity_obstacle(s_.targets[i], e_.required_cpa_nm);
            if (o.shape != traffic::ObstacleShape::Cone && o.shape != traffic::ObstacleShape::HalfPlane) continue;
            for (const double edge : {o.port_edge, o.starboard_edge}) {
                const Vec2 d = traffic::along(edge, 1.0);
                const auto part = ray_in_disc(o.apex, d, top_speed_);
                if (!part) continue;
                canvas_.paint(Role::ObstacleEdge, SegmentShape{at(o.apex + part->first * d), at(o.apex + part->second * d),
                                                                Stroke{target_ink(i), 1.4, Dash::Solid}, false});
            }
        }
    }

    void velocity(const CourseAndSpeed& v, Ink ink, Dash dash, const std::string& name) {
        const PagePoint tip = at(traffic::along(v.course, v.speed_kt));
        canvas_.paint(Role::MapVelocity, SegmentShape{centre_, tip, Stroke{ink, 1.8, dash}, true});
        canvas_.paint(Role::MapVelocity, CircleShape{tip, 2.2, Stroke{ink, 1.0, Dash::Solid}, true});
        canvas_.label(Role::MapLabel, tip, v.course, name, ink, 8.0);
    }

    void velocities() {
        velocity(e_.own, Ink::OwnShip, Dash::Solid, "present");
        if (marks_.recommended) velocity(*marks_.recommended, Ink::Manoeuvre, Dash::Solid, "recommended");
        if (marks_.trial) velocity(*marks_.trial, Ink::Manoeuvre, Dash::Dashed, "trial");
    }

    void swatch(double y, Stroke stroke, Role role, std::string words) {
        const Stroke under{Ink::Clear, stroke.width, Dash::Solid};
        if (stroke.dash == Dash::Hatched) canvas_.paint(role, SegmentShape{{key_x_, y - 4.0}, {key_x_ + kSwatch, y - 4.0}, under, false});
        canvas_.paint(role, SegmentShape{{key_x_, y - 4.0}, {key_x_ + kSwatch, y - 4.0}, stroke, false});
        text(Role::Legend, {key_x_ + kSwatch + 6.0, y}, std::move(words), Ink::Text, kKeySize);
    }

    static std::string velocity_words(const CourseAndSpeed& v) { return course_text(v.course) + " at " + tenths_text(v.speed_kt) + " kt"; }

    void key() {
        double y = centre_.y - kInsetRadius + 6.0;
        const auto line = [&](std::string words, Ink ink = Ink::Text) {
            text(Role::Legend, {key_x_, y}, std::move(words), ink, kKeySize);
            y += kKeyStep;
        };
        line("Where the own ship's velocity from");
        line(traffic_io::clock_text(s_.manoeuvre_time) + " ends (its course and speed):");
        y += 4.0;
        swatch(y, Stroke{Ink::Clear, 7.0, Dash::Solid}, Role::Legend, "every ship passes clear");
        y += kKeyStep + 2.0;
        swatch(y, Stroke{Ink::Blocked, 7.0, Dash::Solid}, Role::Legend, "some ship passes inside " + given_text(e_.required_cpa_nm) + " nm");
        y += kKeyStep + 2.0;
        swatch(y, Stroke{Ink::Paper, 7.0, Dash::Hatched}, Role::Legend, "clear, but the rules ask");
        y += kKeyStep;
        text(Role::Legend, {key_x_ + kSwatch + 6.0, y}, "to avoid it for a ship", Ink::Text, kKeySize);
        y += kKeyStep + 2.0;
        line("Coloured lines: the edges of each");
        line("ship's obstacle, in its colour");
        y += 4.0;
        line("Rings: " + tenths_text(0.25 * top_speed_) + ", " + tenths_text(0.5 * top_speed_) + ", " +
             tenths_text(0.75 * top_speed_) + " and " + tenths_text(top_speed_) + " kt");
        line("Rays: courses every 30°");
        y += 4.0;
        line("Present: " + velocity_words(e_.own), Ink::OwnShip);
        if (marks_.recommended) line("Recommended: " + velocity_words(*marks_.recommended), Ink::Manoeuvre);
        if (marks_.trial) line("Trial (dashed): " + velocity_words(*marks_.trial), Ink::Manoeuvre);
    }

    Canvas& canvas_;
    const traffic::TrafficExercise& e_;
    const traffic::TrafficSolution& s_;
    const InsetMarks& marks_;
    double top_speed_;
    PagePoint centre_;
    double key_x_;
    double left_;
    double top_;
};

}  // namespace

double map_top_speed(const traffic::TrafficExercise& exercise) {
    return exercise.own.speed_kt > 0.0 ? exercise.own.speed_kt : kStoppedTopSpeedKt;
}

double add_manoeuvre_inset(Canvas& canvas, PagePoint top_left, double width, const traffic::TrafficExercise& exercise,
                           const traffic::TrafficSolution& solution, const InsetMarks& marks, PagePoint& centre) {
    Inset inset(canvas, top_left, width, exercise, solution, marks);
    const double height = inset.draw();
    centre = inset.centre();
    return height;
}

}  // namespace echo_track::plot
