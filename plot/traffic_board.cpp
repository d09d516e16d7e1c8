// The traffic board. Positions come from the traffic solution's frame (nm,
// north and east, own ship at the origin); this file scales them onto the
// page and decides what is drawn, how, and where the labels go.

#include "plot/traffic_board.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "page/compass.hpp"
#include "page/labels.hpp"
#include "plot/canvas.hpp"
#include "plot/manoeuvre_inset.hpp"
#include "plot/page_terms.hpp"
#include "plot/range_rose.hpp"
#include "plot/range_scale.hpp"
#include "traffic/steerable.hpp"
#include "traffic/trig.hpp"
#include "traffic_io/rule_names.hpp"
#include "traffic_io/rules_report.hpp"
#include "traffic_io/traffic_text.hpp"

namespace echo_track::plot {
namespace {

using traffic_io::clock_text;
using traffic_io::course_text;
using traffic_io::given_text;
using traffic_io::least_range_text;
using traffic_io::least_time_text;
using traffic_io::tenths_text;

using traffic::CourseArc;
using traffic::Passage;
using traffic::TargetSolution;
using traffic::TrafficExercise;
using traffic::TrafficSolution;
using traffic::Vec2;

// The course of an alteration as it is steered: a whole degree, or on a
// narrow arc the decimals that hold it.
std::string steered_text(const traffic::Alteration& a) {
    return traffic_io::course_decimals_text(a.steered_course, a.steered_decimals);
}

constexpr double kBoardWidth = 640.0;
constexpr double kTitleTop = 24.0;
constexpr double kTitleStep = 15.0;
constexpr double kCentreY = 372.0;
constexpr double kOuterRadius = 235.0;
constexpr double kLegendTop = 650.0;
constexpr double kBottomMargin = 16.0;
constexpr double kInsetGap = 14.0;  // from the legend to the manoeuvre map
constexpr double kLegendStep = 14.0;
constexpr int kMaxRings = 6;
constexpr double kExtentMargin = 1.05;

constexpr double kTickEveryMin = 6.0;
constexpr double kTickHalf = 3.5;        // page units either side of the track
constexpr double kTrackBeyondCpaMin = 12.0;
constexpr double kSpeedCircleShare = 0.26;  // of the outer ring
constexpr double kSectorStepDeg = 1.0;
constexpr double kLongestVectorShare = 1.5;  // the manoeuvre's vector, of the present one's length
constexpr double kLabelSize = 8.5;
// About as many shapes as a board has: the grid and the speed circle's
// sectors, and per target its marks, tracks, ticks, labels and legend line.
constexpr std::size_t kShapesBeside = 1024 + 4 * kInsetBands;
constexpr std::size_t kShapesPerTarget = 16;

Ink target_ink(std::size_t i) { return page::kTargetInks[i % std::size(page::kTargetInks)]; }

// The part [from, to] of the track p + v t (t in hours) inside the disc of
// `radius` about the own ship, if any.
std::optional<std::pair<double, double>> inside_disc(Vec2 p, Vec2 v, double from, double to, double radius) {
    const double vv = traffic::dot(v, v);
    if (vv == 0.0) return std::nullopt;
    const double b = traffic::dot(p, v) / vv;
    const double disc = b * b - (traffic::dot(p, p) - radius * radius) / vv;
    if (disc <= 0.0) return std::nullopt;
    const double lo = std::max(from, -b - std::sqrt(disc));
    const double hi = std::min(to, -b + std::sqrt(disc));
    if (lo >= hi) return std::nullopt;
    return std::pair{lo, hi};
}

// The own course and speed drawn as the manoeuvre: the trial if there is
// one, else the smaller of the two alterations (starboard on a tie); none
// when the present course clears or no course does.
struct Chosen {
    traffic::CourseAndSpeed own;
    const traffic::Outcome* outcome = nullptr;
    std::string what;
};
std::optional<Chosen> chosen_manoeuvre(const TrafficExercise& e, const TrafficSolution& s) {
    if (e.trial && s.trial) {
        return Chosen{*e.trial, &*s.trial, "trial " + course_text(e.trial->course) + " at " + tenths_text(e.trial->speed_kt) + " kt"};
    }
    // The recommendation the rules allow before the geometry's smallest turn.
    const traffic::RecommendationKind k = s.recommendation.kind;
    if (k == traffic::RecommendationKind::Course || k == traffic::RecommendationKind::Speed ||
        k == traffic::RecommendationKind::CourseAndSpeed) {
        const traffic::CourseAndSpeed& r = s.recommendation.own;
        return Chosen{r, &s.recommended, "recommended " + course_text(r.course) + " at " + tenths_text(r.speed_kt) + " kt"};
    }
    const auto& stb = s.starboard;
    const auto& port = s.port;
    const bool use_stb = stb && stb->alteration.steered_turn > 0.0 && (!port || stb->alteration.steered_turn <= port->alteration.steered_turn);
    const bool use_port = !use_stb && port && port->alteration.steered_turn > 0.0;
    if (!use_stb && !use_port) return std::nullopt;
    const traffic::AlterationOutcome& a = use_stb ? *stb : *port;
    return Chosen{a.outcome.own, &a.outcome,
                  "alteration to " + steered_text(a.alteration) + (use_stb ? " (starboard)" : " (port)")};
}

class Board {
public:
    Board(const TrafficExercise& e, const TrafficSolution& s)
        : e_(e), s_(s), chosen_(chosen_manoeuvre(e, s)),
          scale_(choose_range_scale(kExtentMargin * extent(), kMaxRings)),
          outer_nm_(scale_.rings * scale_.interval),
          centre_{kBoardWidth / 2.0, kCentreY},
          miles_(kOuterRadius / outer_nm_) {}

    Drawing drawing() {
        Drawing d;
        d.width = kBoardWidth;
        d.centre = centre_;
        d.miles = miles_;
        d.ring_interval = scale_.interval;
        d.rings = scale_.rings;
        canvas_.reserve(kShapesBeside + kShapesPerTarget * s_.targets.size());
        grid();
        paint(Role::CpaCircle, CircleShape{centre_, e_.required_cpa_nm * miles_, Stroke{Ink::Cpa, 1.3, Dash::Dashed}, false});
        speed_circle();
        for (std::size_t i = 0; i < s_.targets.size(); ++i) {
            if (!s_.targets[i].same_time) target(i);
        }
        canvas_.lay_labels();
        paint(Role::OwnShip, CircleShape{centre_, 3.5, Stroke{Ink::OwnShip, 1.0, Dash::Solid}, true});
        title();
        const double legend_end = legend();
        PagePoint map_centre;
        const double map_height = add_manoeuvre_inset(canvas_, PagePoint{24.0, legend_end + kInsetGap}, kBoardWidth - 48.0, e_, s_,
                                                      inset_marks(), map_centre);
        canvas_.lay_labels();  // the map's own, above its colours
        d.height = legend_end + kInsetGap + map_height + kBottomMargin;
        d.shapes = canvas_.take_shapes();
        return d;
    }

    // The own ship at the centre, and the length of her vector at the
    // present speed.
    PagePoint centre() const { return centre_; }
    double vector_length() const { return speed_circle_radius(); }

private:
    // How far out the figures reach (nm): every sighting and manoeuvre position.
    double extent() const {
        double far = e_.required_cpa_nm;
        for (const traffic::Target& t : e_.targets) {
            for (const traffic::Sighting& seen : t.sightings) far = std::max(far, seen.range_nm);
        }
        for (const TargetSolution& t : s_.targets) far = std::max(far, t.range_nm);
        return far;
    }

    PagePoint at(Vec2 p) const { return {centre_.x + p.east * miles_, centre_.y - p.north * miles_}; }

    template <typename Form>
    void paint(Role role, Form form) { canvas_.paint(role, std::move(form)); }
    void line(Role role, Vec2 from, Vec2 to, Stroke stroke, bool arrow = false) {
        paint(role, SegmentShape{at(from), at(to), stroke, arrow});
    }
    void label(Role role, PagePoint p, double bearing, std::string text, Ink ink) {
        canvas_.label(role, p, bearing, std::move(text), ink, kLabelSize);
    }

    // Range rings, the bearing scale every 10 degrees (labelled every 30) and
    // the ring distances along the north-east diagonal.
    void grid() {
        for (int k = 1; k <= scale_.rings; ++k) {
            add_range_ring(canvas_, centre_, k * scale_.interval * miles_, k == scale_.rings);
            add_ring_label(canvas_, at(traffic::along(45.0, k * scale_.interval)), k * scale_.interval, k == scale_.rings);
        }
        for (int bearing = 0; bearing < 360; bearing += 10) {
            const double tick = bearing_tick_length(bearing) / miles_;
            add_bearing_tick(canvas_, bearing, at(traffic::along(bearing, outer_nm_)), at(traffic::along(bearing, outer_nm_ + tick)));
        }
    }

    // The own speed circle at the centre: courses that clear every target
    // as green arcs, blocked ones red; the present course and the chosen
    // manoeuvre as vectors.
    void speed_circle() {
        const double radius = speed_circle_radius();
        paint(Role::OwnRunCircle, CircleShape{centre_, radius, Stroke{Ink::OwnShip, 0.5, Dash::Dotted}, false});
        for (const CourseArc& a : s_.arcs.clear) sector(Role::ClearingSector, a, radius, Ink::Clear);
        for (const CourseArc& a : s_.arcs.blocked) sector(Role::BlockedSector, a, radius, Ink::Blocked);
        const auto vector_to = [&](double course, double share) { return page::toward(centre_, course, radius * share); };
        paint(Role::OwnShip, SegmentShape{centre_, vector_to(e_.own.course, 1.0), Stroke{Ink::OwnShip, 1.8, Dash::Solid}, true});
        label(Role::PositionLabel, vector_to(e_.own.course, 1.0), e_.own.course, course_text(e_.own.course), Ink::OwnShip);
        if (!chosen_) return;
        const double share = e_.own.speed_kt > 0.0 ? std::min(kLongestVectorShare, chosen_->own.speed_kt / e_.own.speed_kt) : 1.0;
        const PagePoint tip = vector_to(chosen_->own.course, share);
        paint(Role::ProposedCourse, SegmentShape{centre_, tip, Stroke{Ink::Manoeuvre, 1.8, Dash::Solid}, true});
        label(Role::ProposedCourseLabel, tip, chosen_->own.course, course_text(chosen_->own.course), Ink::Manoeuvre);
    }

    // A fixed share of the plot, but kept well apart from the required-CPA
    // circle so that the two are never taken for each other.
    double speed_circle_radius() const {
        const double cpa = e_.required_cpa_nm * miles_;
        const double radius = kSpeedCircleShare * kOuterRadius;
        if (std::fabs(radius - cpa) >= 0.25 * cpa) return radius;
        return cpa * 1.35 <= 0.45 * kOuterRadius ? cpa * 1.35 : cpa * 0.65;
    }

    void sector(Role role, const CourseArc& a, double radius, Ink ink) {
        const int steps = std::max(1, static_cast<int>(std::ceil(a.width() / kSectorStepDeg)));
        const auto point = [&](double course) { return page::toward(centre_, course, radius); };
        for (int k = 0; k < steps; ++k) {
            const double from = a.from + a.width() * k / steps;
            const double to = a.from + a.width() * (k + 1) / steps;
            paint(role, SegmentShape{point(from), point(to), Stroke{ink, 3.0, Dash::Solid}, false});
            canvas_.keep_clear(point(from), 2.5);  // labels keep off the sectors
        }
    }

    // Every sighting where it was plotted: the latest as B2, the others as
    // B1; filled when the track runs through it, a ring when it was left off
    // (a plot not on a straight line is drawn through the two latest).
    void sightings(const TargetSolution& t, Ink ink) {
        for (std::size_t k = 0; k < t.plot.size(); ++k) {
            const traffic::PlottedSighting& seen = t.plot[k];
            const Role role = k + 1 == t.plot.size() ? Role::B2 : Role::B1;
            paint(role, CircleShape{at(seen.position), 2.4, Stroke{ink, 1.0, Dash::Solid}, seen.on_track});
            canvas_.keep_clear(at(seen.position), 3.5);
        }
    }

    // One target: its sightings, relative track with time ticks and CPA,
    // its position at the manoeuvre time, and its new track after it.
    void target(std::size_t i) {
        const TargetSolution& t = s_.targets[i];
        const Ink ink = target_ink(i);
        const Passage& p = t.present;
        const double earliest_h = -(t.minutes_to_manoeuvre + t.interval_min) / 60.0;
        sightings(t, ink);
        if (!p.keeps_station) {
            const double end_h = (std::max(p.tcpa_min, 0.0) + kTrackBeyondCpaMin) / 60.0;
            track(t.position, p.relative_velocity, earliest_h, end_h, Stroke{ink, 1.3, Dash::Solid});
            ticks(t.position, p.relative_velocity, earliest_h, end_h, ink);
            if (p.tcpa_min > 0.0 && p.cpa_nm < outer_nm_) {
                paint(Role::CpaPoint, CircleShape{at(p.closest_point), 4.0, Stroke{ink, 1.3, Dash::Solid}, false});
                canvas_.keep_clear(at(p.closest_point), 5.0);
                label(Role::CpaLabel, at(p.closest_point), p.cpa_bearing,
                      "CPA " + tenths_text(p.cpa_nm) + " in " + tenths_text(p.tcpa_min) + " min, " +
                          traffic_io::track_tca_text(p, s_.manoeuvre_time), ink);
            }
        }
        if (chosen_) {
            const Passage& after = chosen_->outcome->passages[i];
            if (!after.keeps_station) {
                const double end_h = (std::max(after.tcpa_min, 0.0) + kTrackBeyondCpaMin) / 60.0;
                track(t.position, after.relative_velocity, 0.0, end_h, Stroke{ink, 1.2, Dash::Dashed});
            }
        }
        paint(Role::ManoeuvrePosition, CircleShape{at(t.position), 4.2, Stroke{ink, 1.6, Dash::Solid}, false});
        canvas_.keep_clear(at(t.position), 5.0);
        const std::string name = t.from_latest_two ? t.name + ": altering?" : t.name;
        label(Role::PositionLabel, at(t.position), p.keeps_station ? t.bearing : p.relative_course + 90.0, name, ink);
    }

    void track(Vec2 p, Vec2 v, double from_h, double to_h, Stroke stroke) {
        const auto part = inside_disc(p, v, from_h, to_h, outer_nm_);
        if (!part) return;
        line(Role::RelativeTrack, p + part->first * v, p + part->second * v, stroke, true);
    }

    // A short mark across the track at every 6 minutes of the clock from the
    // manoeuvre time.
    void ticks(Vec2 p, Vec2 v, double from_h, double to_h, Ink ink) {
        const auto part = inside_disc(p, v, from_h, to_h, outer_nm_);
        if (!part) return;
        const double step_h = kTickEveryMin / 60.0;
        const Vec2 across = traffic::turned((1.0 / traffic::length(v)) * v, 90.0);
        const Vec2 half = (kTickHalf / miles_) * across;
        for (double k = std::ceil(part->first / step_h); k * step_h <= part->second; k += 1.0) {
            const Vec2 mark = p + (k * step_h) * v;
            line(Role::TimeTick, mark - half, mark + half, Stroke{ink, 1.0, Dash::Solid});
        }
    }

    void text_line(Role role, double y, std::string text, Ink ink, double size, bool bold, double x = 24.0) {
        paint(role, TextShape{PagePoint{x, y}, std::move(text), ink, size, bold, HAlign::Left, VAlign::Bottom});
    }

    // Why no manoeuvre is drawn: the present course and speed clear, or no
    // alteration does.
    std::string no_manoeuvre_drawn() const {
        return s_.present_clears ? "No manoeuvre drawn: the present course clears every target"
                                 : "No manoeuvre drawn: no course alteration clears every target";
    }

    void title() {
        text_line(Role::Title, kTitleTop, "Traffic at " + clock_text(s_.manoeuvre_time) + ": own ship " + course_text(e_.own.course) +
                  " at " + tenths_text(e_.own.speed_kt) + " kt, required CPA " + given_text(e_.required_cpa_nm) + " nm",
                  Ink::Text, 12.0, true);
        std::string sides = "Smallest alterations: starboard ";
        sides += s_.starboard ? (s_.starboard->alteration.steered_turn > 0.0 ? "to " + steered_text(s_.starboard->alteration) : "none needed") : "none";
        sides += ", port ";
        sides += s_.port ? (s_.port->alteration.steered_turn > 0.0 ? "to " + steered_text(s_.port->alteration) : "none needed") : "none";
        sides += "; speed: ";
        const traffic::SpeedAlternative& v = s_.speed_alternative;
        sides += v.choice.present_clears ? "none needed"
                 : !v.choice.found           ? (v.stopping_does_not_clear ? "stopping does not clear" : "no tenth of a knot clears")
                 : (v.choice.every_lower_clears ? "at most " : "") + tenths_text(v.speed_kt) + " kt";
        text_line(Role::Title, kTitleTop + kTitleStep, sides, Ink::Text, 10.0, false);
        std::string clear = "Courses that clear all at " + tenths_text(e_.own.speed_kt) + " kt: ";
        if (s_.arcs.every_course()) clear += "every course";
        if (s_.arcs.no_course()) clear += "none";
        // Whole degrees inside each arc; an arc that holds fewer than two is left to the report.
        bool first = true;
        for (std::size_t i = 0; i < s_.arcs.clear.size() && !s_.arcs.every_course(); ++i) {
            const CourseArc& a = s_.arcs.clear[i];
            const std::optional<traffic::Span> whole = traffic::inward(a.from, a.to, 0, false);
            if (!whole || whole->from == whole->to) continue;
            clear += (first ? "" : ", ") + course_text(whole->from) + " to " + course_text(whole->to);
            first = false;
        }
        text_line(Role::Title, kTitleTop + 2 * kTitleStep, clear, Ink::Clear, 10.0, false);
        text_line(Role::Title, kTitleTop + 3 * kTitleStep,
                  chosen_ ? "Drawn dashed: the tracks after the " + chosen_->what : no_manoeuvre_drawn(),
                  Ink::Manoeuvre, 10.0, false);
    }

    // The velocities the map marks: the recommended manoeuvre (or the action
    // standing on) and the trial.
    InsetMarks inset_marks() const {
        InsetMarks marks;
        const traffic::RecommendationKind k = s_.recommendation.kind;
        if (k == traffic::RecommendationKind::Course || k == traffic::RecommendationKind::Speed ||
            k == traffic::RecommendationKind::CourseAndSpeed) {
            marks.recommended = s_.recommendation.own;
        }
        if (s_.recommendation.stand_on_action) marks.recommended = *s_.recommendation.stand_on_action;
        if (e_.trial) marks.trial = *e_.trial;
        return marks;
    }

    // The legend; returns where it ends.
    double legend() {
        double y = kLegendTop;
        for (std::size_t i = 0; i < s_.targets.size(); ++i) {
            const TargetSolution& t = s_.targets[i];
            const Ink ink = target_ink(i);
            paint(Role::Legend, SegmentShape{PagePoint{24.0, y - 4.0}, PagePoint{48.0, y - 4.0}, Stroke{ink, 2.0, Dash::Solid}, false});
            std::string text = t.name + ": ";
            if (t.same_time) {
                text += "both sightings at the same time, not solved";
            } else {
                const auto passing = [&](const Passage& p) {
                    const std::string when = least_time_text(p);
                    return "CPA " + least_range_text(p, e_.required_cpa_nm) + " nm" +
                           (when == "-" ? ", keeps station" : when == "now" ? " now" : ", TCPA " + when + " min, TCA " +
                                                                                         traffic_io::tca_text(p, s_.manoeuvre_time));
                };
                const Passage& p = t.present;
                text += passing(p) + (p.danger ? ", DANGER" : "");
                if (chosen_) text += "; after: " + passing(chosen_->outcome->passages[i]);
                if (t.from_latest_two) text += "; not on a straight line, drawn from the two latest sightings";
                if (const std::string rule = traffic_io::rule_cell(s_.rules[i]); rule != "-") text += "; Rule " + rule;
            }
            text_line(Role::Legend, y, text, ink, 9.0, false, 54.0);
            y += kLegendStep;
        }
        text_line(Role::Legend, y, traffic_io::recommendation_line(e_, s_) + "; the officer decides.", Ink::Manoeuvre, 9.0, false);
        y += kLegendStep + 4.0;
        text_line(Role::Legend, y, "Relative tracks, a mark every 6 min from the manoeuvre time; dots: the sightings (hollow: left off the track); ring: at the manoeuvre time.",
                  Ink::Text, 8.5, false);
        text_line(Role::Legend, y + kLegendStep,
                  "Dashed orange circle: the required CPA. Centre circle: own courses at the present speed, green clear all, red blocked.",
                  Ink::Text, 8.5, false);
        return y + kLegendStep;
    }

    const TrafficExercise& e_;
    const TrafficSolution& s_;
    std::optional<Chosen> chosen_;
    RangeScale scale_;
    double outer_nm_;
    PagePoint centre_;
    double miles_;
    Canvas canvas_;
};

}  // namespace

Drawing layout_traffic_board(const TrafficExercise& exercise, const TrafficSolution& solution) {
    return Board(exercise, solution).drawing();
}

OwnVectorScale own_vector_scale(const TrafficExercise& exercise, const TrafficSolution& solution) {
    const Board board(exercise, solution);
    return OwnVectorScale{board.centre(), board.vector_length()};
}

BoardVector manoeuvre_vector_at(const TrafficExercise& exercise, const TrafficSolution& solution, PagePoint tip) {
    const OwnVectorScale scale = own_vector_scale(exercise, solution);
    const PagePoint c = scale.centre;
    const double east = tip.x - c.x;
    const double north = c.y - tip.y;
    BoardVector v;
    if (traffic::trig::hypot(east, north) < 1e-9) return v;
    const double degrees = traffic::trig::atan2(east, north) / page::kDegree;
    v.course = std::fmod(std::round(degrees) + 360.0, 360.0);
    if (exercise.own.speed_kt > 0.0) {
        const double share = std::min(kLongestVectorShare, traffic::trig::hypot(east, north) / scale.length);
        const double tenths = std::round(share * exercise.own.speed_kt * 10.0);
        v.speed_kt = std::min(tenths / 10.0, kMostTrialSpeedKt);
    }
    return v;
}

}  // namespace echo_track::plot
