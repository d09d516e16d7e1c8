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

#include "console/field_text.hpp"
#include "page/label_placer.hpp"
#include "page/labels.hpp"
#include "plot/canvas.hpp"
#include "plot/captions.hpp"
#include "plot/cpa_time.hpp"
#include "plot/legend.hpp"
#include "plot/page_terms.hpp"
#include "plot/range_rose.hpp"
#include "plot/range_scale.hpp"
#include "plot/sheet_geometry.hpp"
#include "plot/sheet_style.hpp"
#include "solver/kernel.hpp"

namespace echo_track::plot {
namespace {

using console::clock_text;
using page::miles_text;
using page::label_toward;
using page::text_box;

using console::decimal_text;

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
        canvas_.lay_labels();
        own_ship();
        title();
        add_legend(canvas_.shapes());
        d.shapes = canvas_.take_shapes();
        return d;
    }

private:
    bool courses() const { return m_ && m_->outcome == Outcome::Courses; }

    template <typename Form>
    void paint(Role role, Form form) { canvas_.paint(role, std::move(form)); }
    void line(Role role, Point from, Point to, Stroke stroke, bool arrow = false) {
        paint(role, SegmentShape{sheet_.at(from), sheet_.at(to), stroke, arrow});
    }
    void marker(Role role, Point p, double radius, Stroke stroke, bool filled) {
        const PagePoint at = sheet_.at(p);
        paint(role, CircleShape{at, radius, stroke, filled});
        canvas_.keep_clear(at, radius + kMarkerClearance);
    }
    // A label for later, in the layer above every line and marker.
    void label(Role role, PagePoint at, double bearing, std::string text, Ink ink, double size = kLabelSize) {
        canvas_.label(role, at, bearing, std::move(text), ink, size);
    }

    // Range rings, bearing scale every 10 degrees (labelled every 30), faint
    // radials every 30, and the ring distances along the clearest diagonal.
    void grid() {
        const PagePoint a = sheet_.at(Point{});
        for (int bearing = 0; bearing < 360; bearing += 30) {
            line(Role::Radial, Point{}, pepos(bearing, outer_nm_), kRadialStroke);
        }
        for (int k = 1; k <= scale_.rings; ++k) {
            add_range_ring(canvas_, a, sheet_.length(k * scale_.interval), k == scale_.rings);
        }
        for (int bearing = 0; bearing < 360; bearing += 10) {
            const double tick = bearing_tick_length(bearing) / sheet_.length(1.0);
            add_bearing_tick(canvas_, bearing, sheet_.at(pepos(bearing, outer_nm_)), sheet_.at(pepos(bearing, outer_nm_ + tick)));
        }
        const double diagonal = clearest_diagonal(busy_bearings());
        for (int k = 1; k <= scale_.rings; ++k) {
            const double nm = k * scale_.interval;
            add_ring_label(canvas_, sheet_.at(pepos(diagonal, nm)), nm, k == scale_.rings);
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
        if (plot_.da * sheet_.length(1.0) > kSmallestRunCircle) {
            paint(Role::OwnRunCircle, CircleShape{sheet_.at(plot_.fus), sheet_.length(plot_.da), kRunCircleStroke, false});
        }
        for (const auto& [side, name] : sides()) {
            if (side->hits.ier != 0) continue;
            const Ink ink = side_ink(name);
            for (const auto& [course, pqil] : {std::pair{side->course1, side->pqil1}, std::pair{side->course2, side->pqil2}}) {
                const Point tip = vecpkt(plot_.fus, course, plot_.da);
                line(Role::NewRelativeRun, tip, plot_.p2, Stroke{ink, kNewRelativeRunWidth, Dash::Dotted});
                line(Role::ProposedCourse, plot_.fus, tip, Stroke{ink, kCourseWidth, Dash::Solid}, true);
                course_tips_.push_back({sheet_.at(tip), course, course_label(name, pqil), ink});
                canvas_.keep_clear(sheet_.at(tip), kCourseTipClearance);
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
        canvas_.keep_clear(sheet_.at(Point{}), kOwnShipRadius + kMarkerClearance);

        double side = plot_.akbr + 90.0;
        if (m_ && dot(pepos(side, 1.0), minus(plot_.fus, plot_.p1)) > 0.0) side = plot_.akbr - 90.0;

        const PagePoint b1 = sheet_.at(plot_.p1);
        const PagePoint b2 = sheet_.at(plot_.p2);
        const std::string b1_text = "B-1 " + clock_text(f.nth1, f.ntm1);
        std::string b2_text = "B-2 " + clock_text(f.nth2, f.ntm2);
        // B-2 is B at the manoeuvre time only when the manoeuvre is at B-2's
        // time; else they are two points, each labelled with its own time.
        const bool manoeuvre_named = m_ && m_->dtm == 0.0;
        if (manoeuvre_named) b2_text += ", manoeuvre";
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
            label(Role::CpaLabel, cpa, at_a ? side : plot_.cpap,
                  "CPA " + decimal_text(f.cparq, 1) + " nm, " + cpa_time_text(cpa_time(plot_, *m_)), Ink::Cpa);
            if (!at_a) a_side = plot_.cpap + 180.0;
        }
        label(Role::PositionLabel, a, a_side, "A", Ink::OwnShip, kOwnShipLabelSize);

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
            t.size = i == 0 ? kHeadingSize : kTitleSize;
            t.bold = i == 0 || i >= title.outcome_from;
            paint(Role::Title, std::move(t));
            y += i == 0 ? kTitleLineStep + kHeadingExtraStep : kTitleLineStep;
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
    Canvas canvas_;
    std::vector<CourseTip> course_tips_;
    std::vector<TangentEnd> tangent_ends_;
};

}  // namespace

Drawing layout_plot(const PlotRecord& record, const PlotSolution& plot, const std::optional<Manoeuvre>& manoeuvre) {
    return SheetLayout(record, plot, manoeuvre).drawing();
}

}  // namespace echo_track::plot
