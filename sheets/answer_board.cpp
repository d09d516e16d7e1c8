#include "sheets/answer_board.hpp"

#include <algorithm>
#include <string>

#include "plot/canvas.hpp"
#include "sheets/plotting_scale.hpp"
#include "traffic_io/traffic_text.hpp"

namespace echo_track::sheets {
namespace {

using page::Ink;
using page::PagePoint;
using page::Role;
using traffic::Vec2;

constexpr double kLine = 1.0;
constexpr double kMark = 2.4;
constexpr double kLabel = 7.0;
constexpr double kMinutesPerHour = 60.0;
constexpr double kBeyondCpa = 0.15;  // the relative track runs on past the CPA by this share of its length

struct Board {
    const plot::RingPlan& plan;
    double per_nm;
    plot::Canvas canvas;

    PagePoint at(Vec2 v) const { return {plan.centre.x + v.east * per_nm, plan.centre.y - v.north * per_nm}; }
    void line(Role role, Vec2 from, Vec2 to, Ink ink, page::Dash dash = page::Dash::Solid, bool arrow = false) {
        canvas.paint(role, page::SegmentShape{at(from), at(to), {ink, kLine, dash}, arrow});
    }
    void mark(Role role, Vec2 where, Ink ink, bool filled) {
        canvas.paint(role, page::CircleShape{at(where), kMark, {ink, kLine}, filled});
        canvas.keep_clear(at(where), kMark + 1.0);
    }
    void label(Role role, Vec2 where, double bearing, std::string text, Ink ink) {
        canvas.label(role, at(where), bearing, std::move(text), ink, kLabel);
    }
};

// The bearing on the page pointing away from the own ship, for a label to stand off.
double outward(Vec2 where) { return traffic::length(where) > 0.0 ? traffic::bearing_of(where) : 45.0; }

void draw_track(Board& b, const traffic::TargetSolution& t, traffic::ClockMoment manoeuvre, Ink ink) {
    for (const traffic::PlottedSighting& seen : t.plot) {
        b.mark(Role::B1, seen.position, ink, true);
        b.label(Role::PositionLabel, seen.position, outward(seen.position) + 90.0, traffic_io::clock_text(seen.sighting.time), ink);
    }
    const traffic::Passage& p = t.present;
    const Vec2 first = t.plot.front().position;
    const Vec2 cpa = p.tcpa_min > 0.0 ? p.closest_point : t.position;
    const Vec2 end = cpa + kBeyondCpa * (cpa - first);
    b.line(Role::RelativeTrack, first, end, ink, page::Dash::Solid, true);
    b.mark(Role::ManoeuvrePosition, t.position, ink, false);
    b.mark(Role::CpaPoint, p.closest_point, ink, true);
    const std::string when = traffic_io::clock_text(traffic::nearest_minute(traffic::moment_after(manoeuvre, p.tcpa_min)));
    b.label(Role::CpaLabel, p.closest_point, outward(p.closest_point), t.name + ": CPA " + traffic_io::tenths_text(p.cpa_nm) + " nm, " + when, ink);
}

void draw_triangle(Board& b, const VelocityTriangle& v, Ink ink, bool lettered) {
    b.line(Role::OwnRun, v.w, v.o, Ink::OwnShip, page::Dash::Solid, true);
    b.line(Role::TrueRun, v.w, v.a, ink, page::Dash::Solid, true);
    b.line(Role::RelativeRun, v.o, v.a, ink, page::Dash::Solid, true);
    if (!lettered) return;
    b.label(Role::PositionLabel, v.w, outward(v.w) + 180.0, "W", ink);
    b.label(Role::PositionLabel, v.a, outward(v.a), "A", ink);
}

// The relative track after the key's manoeuvre, from the manoeuvre position
// to the new closest point ahead (or on a little when it opens at once).
void draw_new_track(Board& b, const traffic::TargetSolution& t, const traffic::Passage& after, Ink ink) {
    const Vec2 to = after.least_min > 0.0 ? after.least_point : t.position + (1.0 / kMinutesPerHour * 6.0) * after.relative_velocity;
    b.line(Role::NewRelativeRun, t.position, to, ink, page::Dash::Dashed, true);
}

// For one ship: the new own vector from W, and from its end the new relative
// run to A, parallel to the new relative track.
void draw_new_own_vector(Board& b, const VelocityTriangle& v, const traffic::CourseAndSpeed& own, const PlotScale& scale) {
    const Vec2 end = v.w + (scale.vector_min / kMinutesPerHour) * traffic::along(own.course, own.speed_kt);
    b.line(Role::ProposedCourse, v.w, end, Ink::OwnShip, page::Dash::Dashed, true);
    b.line(Role::NewRelativeRun, end, v.a, Ink::Manoeuvre, page::Dash::Dashed, true);
    b.label(Role::ProposedCourseLabel, end, outward(end), traffic_io::course_text(own.course), Ink::OwnShip);
}

}  // namespace

plot::RingPlan plotting_rose(const SheetExercise& x, PagePoint centre) {
    const PlotScale scale = plot_scale_for(x.exercise, x.solution);
    return plot::RingPlan{centre, kRoseRadius, scale.ring_nm, kRings};
}

void add_answer_board(const SheetExercise& x, const plot::RingPlan& plan, page::Drawing& page) {
    plot::add_degree_rose(plan, page);
    const PlotScale scale = plot_scale_for(x.exercise, x.solution);
    Board b{plan, scale.points_per_nm(), {}};
    b.canvas.paint(Role::CpaCircle, page::CircleShape{plan.centre, x.exercise.required_cpa_nm * b.per_nm,
                                                      {Ink::Cpa, kLine, page::Dash::Dashed}, false});
    b.canvas.keep_clear(plan.centre, 4.0);
    const bool one_ship = x.solution.targets.size() == 1;
    const traffic::TrafficSolution& s = x.solution;
    for (std::size_t i = 0; i < s.targets.size(); ++i) {
        const Ink ink = page::kTargetInks[i % std::size(page::kTargetInks)];
        const VelocityTriangle v = velocity_triangle(s.targets[i], x.exercise.own, scale);
        draw_triangle(b, v, ink, one_ship);
        draw_track(b, s.targets[i], s.manoeuvre_time, ink);
        const bool acts = s.recommendation.kind != traffic::RecommendationKind::NoneNeeded && i < s.recommended.passages.size();
        if (acts) draw_new_track(b, s.targets[i], s.recommended.passages[i], ink);
        if (acts && one_ship) draw_new_own_vector(b, v, s.recommendation.own, scale);
    }
    b.canvas.lay_labels();
    for (page::Shape& shape : b.canvas.take_shapes()) page.shapes.push_back(std::move(shape));
}

}  // namespace echo_track::sheets
