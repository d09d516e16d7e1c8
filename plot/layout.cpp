// The plotting sheet of one exercise. Every position comes from the solver's
// plot frame (nautical miles, x north, y east, own ship at the origin) through
// the kernel's own routines; this file only scales it onto the page and
// decides what is drawn, how, and where the labels go.

#include "plot/layout.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "plot/captions.hpp"
#include "plot/label_placer.hpp"
#include "plot/labels.hpp"
#include "plot/range_scale.hpp"
#include "solver/kernel.hpp"

namespace echo_track::plot {
namespace {

// Page areas: the title on top, the plot circle below it, the legend at the
// foot. The outer range ring has a fixed size; the scale follows from it.
constexpr double kMargin = 24.0;
constexpr double kTitleTop = 26.0;
constexpr double kTitleLineStep = 15.0;
constexpr double kOuterRadius = 230.0;
constexpr double kPlotCentreY = 372.0;
constexpr double kLegendTop = 650.0;
constexpr double kLegendRowStep = 15.0;
constexpr double kLegendColumnStep = 280.0;

constexpr int kMaxRings = 6;
constexpr double kExtentMargin = 1.05;  // keeps the farthest figure off the outer ring

constexpr double kLabelSize = 9.0;
constexpr double kMarkerRadius = 3.2;
constexpr double kRingMarkerRadius = 4.5;
constexpr double kCpaMarkerRadius = 5.0;
constexpr double kOwnShipRadius = 4.0;

// Two points closer than this (page units) share one label.
constexpr double kCrowded = 14.0;

const Stroke kTrackStroke{Ink::RelativeTrack, 1.0, Dash::Solid};
const Stroke kRelativeRunStroke{Ink::RelativeTrack, 1.8, Dash::Solid};
const Stroke kOwnRunStroke{Ink::OwnShip, 1.6, Dash::Solid};
const Stroke kTrueRunStroke{Ink::ShipB, 1.6, Dash::Solid};
const Stroke kPositionStroke{Ink::ShipB, 1.0, Dash::Solid};
const Stroke kCpaStroke{Ink::Cpa, 1.5, Dash::Solid};
const Stroke kCpaCircleStroke{Ink::Cpa, 1.2, Dash::Dashed};
const Stroke kManoeuvreStroke{Ink::Manoeuvre, 1.3, Dash::Solid};
const Stroke kOwnShipStroke{Ink::OwnShip, 1.0, Dash::Solid};
constexpr double kTangentWidth = 0.9;
constexpr double kCourseWidth = 1.8;

double norm(Point p) { return std::sqrt(p.x * p.x + p.y * p.y); }
double dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
Point minus(Point a, Point b) { return Point{a.x - b.x, a.y - b.y}; }
double page_distance(PagePoint a, PagePoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

// How far from `from` along the unit direction `u` the line leaves the disc
// of radius `radius` about A; 0 when it misses the disc.
double run_to_edge(Point from, Point u, double radius) {
    const double b = dot(from, u);
    const double disc = b * b - (dot(from, from) - radius * radius);
    return disc < 0.0 ? 0.0 : -b + std::sqrt(disc);
}

// Smallest angle between two bearings, 0..180.
double bearing_gap(double a, double b) {
    const double d = std::fabs(std::fmod(a - b, 360.0));
    return d > 180.0 ? 360.0 - d : d;
}

// The ink of a side's courses and tangent.
Ink side_ink(Side side) { return side == Side::Starboard ? Ink::Starboard : Ink::Port; }

// Scales the plot frame onto the page: north up, east to the right.
class Sheet {
public:
    Sheet(PagePoint centre, double miles) : centre_(centre), miles_(miles) {}
    PagePoint at(Point p) const { return PagePoint{centre_.x + p.y * miles_, centre_.y - p.x * miles_}; }
    double length(double nm) const { return nm * miles_; }

private:
    PagePoint centre_;
    double miles_;
};

// How far out the figures reach, in nautical miles: the rings must hold them.
double plot_extent(const PlotRecord& record, const PlotSolution& plot, const std::optional<Manoeuvre>& m) {
    double extent = std::max({norm(plot.p1), norm(plot.p2), record.scpa});
    if (!m) return extent;
    extent = std::max({extent, norm(plot.fus), norm(m->bm)});
    if (m->outcome != Outcome::Courses) return extent;
    for (const TangentCourses* side : {&m->side1, &m->side2}) {
        if (side->hits.ier != 0) continue;
        extent = std::max({extent, norm(vecpkt(plot.fus, side->course1, plot.da)),
                           norm(vecpkt(plot.fus, side->course2, plot.da))});
    }
    return extent;
}

// The ring distances go along the diagonal that stays clearest of the
// directions in which the figures lie.
double clearest_diagonal(const std::vector<double>& busy_bearings) {
    double best = 135.0;
    double best_gap = -1.0;
    for (const double diagonal : {135.0, 225.0, 45.0, 315.0}) {
        double gap = 180.0;
        for (const double b : busy_bearings) gap = std::min(gap, bearing_gap(diagonal, b));
        if (gap > best_gap + 1e-9) {
            best = diagonal;
            best_gap = gap;
        }
    }
    return best;
}

// Builds the page in painting order: grid, lines, markers, labels, own ship,
// title and legend. Labels are placed after every marker is known, most
// important first, so that none prints over another.
class SheetLayout {
public:
    SheetLayout(const PlotRecord& record, const PlotSolution& plot, const std::optional<Manoeuvre>& manoeuvre)
        : record_(record),
          plot_(plot),
          manoeuvre_(manoeuvre),
          m_(manoeuvre ? &*manoeuvre : nullptr),
          scale_(choose_range_scale(kExtentMargin * plot_extent(record, plot, manoeuvre), kMaxRings)),
          outer_nm_(scale_.rings * scale_.interval),
          sheet_(PagePoint{kPageWidth / 2.0, kPlotCentreY}, kOuterRadius / outer_nm_) {}

    Drawing drawing() {
        Drawing d;
        d.width = kPageWidth;
        d.height = kPageHeight;
        d.centre = sheet_.at(Point{});
        d.miles = sheet_.length(1.0);
        d.ring_interval = scale_.interval;
        d.rings = scale_.rings;

        grid();
        paint(Role::CpaCircle, CircleShape{sheet_.at(Point{}), sheet_.length(record_.scpa), kCpaCircleStroke, false});
        if (m_) {
            relative_track();
            if (courses()) tangents();
            velocity_triangle();
            if (courses()) proposed_courses();
        }
        positions();
        for (Shape& label : labels_) shapes_.push_back(std::move(label));
        own_ship();
        title();
        legend();
        d.shapes = std::move(shapes_);
        return d;
    }

private:
    bool courses() const { return m_ && m_->outcome == Outcome::Courses; }

    void paint(Role role, CircleShape c) { shapes_.push_back(Shape{role, c}); }
    void paint(Role role, SegmentShape s) { shapes_.push_back(Shape{role, s}); }
    void paint(Role role, TextShape t) { shapes_.push_back(Shape{role, std::move(t)}); }
    void line(Role role, Point from, Point to, Stroke stroke, bool arrow = false) {
        paint(role, SegmentShape{sheet_.at(from), sheet_.at(to), stroke, arrow});
    }
    void marker(Role role, Point p, double radius, Stroke stroke, bool filled) {
        const PagePoint at = sheet_.at(p);
        paint(role, CircleShape{at, radius, stroke, filled});
        placer_.keep_clear(at, radius + 1.0);
    }
    // A label for later, in the layer above every line and marker.
    void label(Role role, PagePoint at, double bearing, std::string text, Ink ink, double size = kLabelSize) {
        labels_.push_back(Shape{role, placer_.place(at, bearing, std::move(text), ink, size)});
    }

    // Range rings, bearing scale every 10 degrees (labelled every 30), faint
    // radials every 30, and the ring distances along the clearest diagonal.
    void grid() {
        const Stroke radial{Ink::Grid, 0.4, Dash::Dotted};
        const Stroke ring{Ink::Grid, 0.6, Dash::Solid};
        const Stroke outer{Ink::Grid, 1.0, Dash::Solid};
        const PagePoint a = sheet_.at(Point{});
        for (int bearing = 0; bearing < 360; bearing += 30) {
            line(Role::Radial, Point{}, pepos(bearing, outer_nm_), radial);
        }
        for (int k = 1; k <= scale_.rings; ++k) {
            paint(Role::RangeRing, CircleShape{a, sheet_.length(k * scale_.interval), k == scale_.rings ? outer : ring, false});
        }
        for (int bearing = 0; bearing < 360; bearing += 10) {
            const bool major = bearing % 30 == 0;
            const double tick = (major ? 8.0 : 4.5) / sheet_.length(1.0);
            const Point beyond = pepos(bearing, outer_nm_ + tick);
            line(Role::BearingTick, pepos(bearing, outer_nm_), beyond, outer);
            if (major) {
                TextShape t = label_toward(sheet_.at(beyond), bearing, 5.0, degrees_text(bearing), Ink::GridText, kLabelSize);
                placer_.keep_clear(text_box(t));
                paint(Role::BearingLabel, std::move(t));
            }
        }
        const double diagonal = clearest_diagonal(busy_bearings());
        for (int k = 1; k <= scale_.rings; ++k) {
            const double nm = k * scale_.interval;
            TextShape t = label_toward(sheet_.at(pepos(diagonal, nm)), 0.0, 0.0, miles_text(nm), Ink::GridText, 8.0);
            if (k == scale_.rings) t.text += " nm";
            t.valign = VAlign::Middle;
            placer_.keep_clear(text_box(t));
            paint(Role::RingLabel, std::move(t));
        }
    }

    // Directions from A in which figures lie or lines run.
    std::vector<double> busy_bearings() const {
        std::vector<double> busy = {record_.rwp1, record_.rwp2};
        if (!m_) return busy;
        busy.insert(busy.end(), {plot_.akbr, plot_.akbr + 180.0, pospe(plot_.fus).rwp, m_->rwpm0});
        if (courses()) {
            for (const TangentCourses* side : {&m_->side1, &m_->side2}) {
                busy.push_back(pospe(vecpkt(m_->bm, side->peilm, run_to_edge(m_->bm, pepos(side->peilm, 1.0), outer_nm_))).rwp);
            }
        }
        return busy;
    }

    // B's relative track: the straight line through B-1 and B-2, direction
    // KBr, from B-1 (or from the CPA, if that lies behind B-1) past the CPA
    // on to the outer ring.
    void relative_track() {
        const Point track = pepos(plot_.akbr, 1.0);
        const double to_cpa = dot(minus(cpa_point(), plot_.p1), track);
        const double start = std::min(0.0, to_cpa);
        const double end = std::max(run_to_edge(plot_.p1, track, outer_nm_), to_cpa);
        line(Role::RelativeTrack, vecpkt(plot_.p1, plot_.akbr, start), vecpkt(plot_.p1, plot_.akbr, end), kTrackStroke);
    }

    Point cpa_point() const { return pepos(plot_.cpap, plot_.cpar); }

    // From B's manoeuvre position along each tangent relative course, past
    // its point of contact with the CPA circle, to the outer ring; each in the
    // colour of the side whose courses it gives, and named at its far end.
    void tangents() {
        for (const auto& [side, name] : sides()) {
            const double reach = run_to_edge(m_->bm, pepos(side->peilm, 1.0), outer_nm_);
            const Point end = vecpkt(m_->bm, side->peilm, reach);
            line(Role::TangentLine, m_->bm, end, Stroke{side_ink(name), kTangentWidth, Dash::Dashed});
            tangent_ends_.push_back({sheet_.at(end), side->peilm + 180.0, name});
        }
    }

    std::array<std::pair<const TangentCourses*, Side>, 2> sides() const {
        return {{{&m_->side1, m_->txt1}, {&m_->side2, m_->txt2}}};
    }

    // The velocity triangle over the observation interval: A's run from the
    // foot point to B-1, B's true run from the foot point to B-2, and B's
    // relative run from B-1 to B-2.
    void velocity_triangle() {
        line(Role::OwnRun, plot_.fus, plot_.p1, kOwnRunStroke, true);
        line(Role::TrueRun, plot_.fus, plot_.p2, kTrueRunStroke, true);
        line(Role::RelativeRun, plot_.p1, plot_.p2, kRelativeRunStroke, true);
    }

    // Each proposed course is A's run at unchanged speed swung about the foot
    // point; from its end the new relative run leads to B-2, parallel to the
    // tangent it was found for. The vectors go in the report's order.
    void proposed_courses() {
        if (plot_.da * sheet_.length(1.0) > 2.0) {
            paint(Role::OwnRunCircle, CircleShape{sheet_.at(plot_.fus), sheet_.length(plot_.da),
                                                  Stroke{Ink::OwnShip, 0.6, Dash::Dotted}, false});
        }
        for (const auto& [side, name] : sides()) {
            if (side->hits.ier != 0) continue;
            const Ink ink = side_ink(name);
            for (const auto& [course, pqil] : {std::pair{side->course1, side->pqil1}, std::pair{side->course2, side->pqil2}}) {
                const Point tip = vecpkt(plot_.fus, course, plot_.da);
                line(Role::NewRelativeRun, tip, plot_.p2, Stroke{ink, 0.7, Dash::Dotted});
                line(Role::ProposedCourse, plot_.fus, tip, Stroke{ink, kCourseWidth, Dash::Solid}, true);
                course_tips_.push_back({sheet_.at(tip), course, course_label(name, pqil), ink});
                placer_.keep_clear(sheet_.at(tip), 3.0);
            }
        }
    }

    // B's plotted positions, B at the manoeuvre time and the CPA, with their
    // labels; the labels of B go to the side of the track away from the
    // velocity triangle.
    void positions() {
        const PlotFigures& f = plot_.figures;
        marker(Role::B1, plot_.p1, kMarkerRadius, kPositionStroke, true);
        marker(Role::B2, plot_.p2, kMarkerRadius, kPositionStroke, true);
        if (m_) marker(Role::ManoeuvrePosition, m_->bm, kRingMarkerRadius, kManoeuvreStroke, false);
        if (m_) marker(Role::CpaPoint, cpa_point(), kCpaMarkerRadius, kCpaStroke, false);
        placer_.keep_clear(sheet_.at(Point{}), kOwnShipRadius + 1.0);

        double side = plot_.akbr + 90.0;
        if (m_ && dot(pepos(side, 1.0), minus(plot_.fus, plot_.p1)) > 0.0) side = plot_.akbr - 90.0;

        const PagePoint b1 = sheet_.at(plot_.p1);
        const PagePoint b2 = sheet_.at(plot_.p2);
        const std::string b1_text = "B-1 " + clock_text(f.nth1, f.ntm1);
        std::string b2_text = "B-2 " + clock_text(f.nth2, f.ntm2);
        bool manoeuvre_named = false;
        if (m_ && page_distance(sheet_.at(m_->bm), b2) < kCrowded) {
            b2_text += ", manoeuvre";
            manoeuvre_named = true;
        }
        if (page_distance(b1, b2) < kCrowded) {
            label(Role::PositionLabel, b1, side, b1_text + ", " + b2_text, Ink::ShipB);
        } else {
            label(Role::PositionLabel, b1, side, b1_text, Ink::ShipB);
            label(Role::PositionLabel, b2, side, b2_text, Ink::ShipB);
        }
        if (m_ && !manoeuvre_named) {
            label(Role::PositionLabel, sheet_.at(m_->bm), side, "B " + clock_text(m_->itmah, m_->itmam) + ", manoeuvre",
                  Ink::Manoeuvre);
        }

        const PagePoint a = sheet_.at(Point{});
        double a_side = side + 180.0;
        if (m_) {
            const PagePoint cpa = sheet_.at(cpa_point());
            const bool at_a = page_distance(cpa, a) < kCrowded;
            label(Role::CpaLabel, cpa, at_a ? side : plot_.cpap, "CPA " + decimal_text(f.cparq, 1) + " nm", Ink::Cpa);
            if (!at_a) a_side = plot_.cpap + 180.0;
        }
        label(Role::PositionLabel, a, a_side, "A", Ink::OwnShip, 10.0);

        for (const CourseTip& tip : course_tips_) label(Role::ProposedCourseLabel, tip.at, tip.course, tip.text, tip.ink);
        for (const TangentEnd& end : tangent_ends_) {
            label(Role::TangentLabel, end.at, end.inward, side_name(end.side), side_ink(end.side));
        }
    }

    // Own ship A on top of everything, so that nothing hides the centre.
    void own_ship() { paint(Role::OwnShip, CircleShape{sheet_.at(Point{}), kOwnShipRadius, kOwnShipStroke, true}); }

    // The heading, the exercise and its figures, and the outcome in bold.
    void title() {
        const Title title = title_lines(record_, plot_, manoeuvre_);
        double y = kTitleTop;
        for (std::size_t i = 0; i < title.lines.size(); ++i) {
            TextShape t;
            t.at = PagePoint{kMargin, y};
            t.text = title.lines[i];
            t.size = i == 0 ? 14.0 : 10.0;
            t.bold = i == 0 || i >= title.outcome_from;
            paint(Role::Title, std::move(t));
            y += i == 0 ? kTitleLineStep + 4.0 : kTitleLineStep;
        }
    }

    // A sample of each kind of figure with its meaning.
    void legend() {
        enum class Sample { Line, Arrow, Dot, Ring, SidePair };
        struct Entry {
            Stroke stroke;
            Sample sample;
            const char* text;
        };
        const std::array<Entry, 12> entries = {{
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
        const std::size_t rows = (entries.size() + 1) / 2;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const Entry& e = entries[i];
            const double x = kMargin + kLegendColumnStep * static_cast<double>(i / rows);
            const double y = kLegendTop + kLegendRowStep * static_cast<double>(i % rows);
            const PagePoint left{x, y};
            const PagePoint right{x + 26.0, y};
            const PagePoint mid{x + 13.0, y};
            switch (e.sample) {
                case Sample::Line: paint(Role::Legend, SegmentShape{left, right, e.stroke, false}); break;
                case Sample::Arrow: paint(Role::Legend, SegmentShape{left, right, e.stroke, true}); break;
                case Sample::Dot: paint(Role::Legend, CircleShape{mid, kMarkerRadius, e.stroke, true}); break;
                case Sample::Ring: paint(Role::Legend, CircleShape{mid, kRingMarkerRadius, e.stroke, false}); break;
                case Sample::SidePair:
                    paint(Role::Legend, SegmentShape{left, PagePoint{x + 11.0, y}, e.stroke, false});
                    paint(Role::Legend, SegmentShape{PagePoint{x + 15.0, y}, right,
                                                     Stroke{Ink::Port, e.stroke.width, e.stroke.dash}, false});
                    break;
            }
            TextShape t;
            t.at = PagePoint{x + 34.0, y};
            t.text = e.text;
            t.size = kLabelSize;
            t.valign = VAlign::Middle;
            paint(Role::Legend, std::move(t));
        }
    }

    struct CourseTip {
        PagePoint at;
        double course;
        std::string text;
        Ink ink;
    };
    struct TangentEnd {
        PagePoint at;
        double inward;
        Side side;
    };

    const PlotRecord& record_;
    const PlotSolution& plot_;
    const std::optional<Manoeuvre>& manoeuvre_;
    const Manoeuvre* m_;  // the manoeuvre, if any
    RangeScale scale_;
    double outer_nm_;
    Sheet sheet_;
    std::vector<Shape> shapes_;
    std::vector<Shape> labels_;
    LabelPlacer placer_;
    std::vector<CourseTip> course_tips_;
    std::vector<TangentEnd> tangent_ends_;
};

}  // namespace

Drawing layout_plot(const PlotRecord& record, const PlotSolution& plot, const std::optional<Manoeuvre>& manoeuvre) {
    return SheetLayout(record, plot, manoeuvre).drawing();
}

}  // namespace echo_track::plot
