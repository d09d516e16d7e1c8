// The plotting sheet checked as geometry: whatever the layout decides about
// style and labels, the drawn figures must stand where the report says.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "console/field_text.hpp"
#include "plot/captions.hpp"
#include "app/typed_exercise.hpp"
#include "page/label_placer.hpp"
#include "plot/layout.hpp"
#include "solver/integer_copy.hpp"
#include "solver/manoeuvre.hpp"
#include "solver/plot_solution.hpp"

namespace echo_track::plot {
namespace {

using namespace echo_track::page;

constexpr double kPi = 3.141592653589793;

struct Solved {
    PlotRecord record;
    PlotSolution plot;
    std::optional<Manoeuvre> manoeuvre;
    Drawing drawing;
};

Solved solve(const TypedExercise& typed) {
    Solved s;
    s.record = exercise_record(typed);
    s.plot = solve_plot(s.record);
    s.manoeuvre = solve_manoeuvre(s.record, s.plot);
    s.drawing = layout_plot(s.record, s.plot, s.manoeuvre);
    return s;
}

// KA 0, VA 12; B at 10:00 on 045 at 8.0 and at 10:12 on 040 at 6.5: KBr 245,
// CPA 2.8 on 335.
TypedExercise crossing(double min_cpa, double delay) {
    TypedExercise t = default_exercise();
    t.course = 0;
    t.velocity = 12;
    t.time1 = 1000;
    t.bearing1 = 45;
    t.distance1 = 8;
    t.time2 = 1012;
    t.bearing2 = 40;
    t.distance2 = 6.5;
    t.min_cpa = min_cpa;
    t.delay = delay;
    return t;
}

struct Case {
    const char* name;
    TypedExercise typed;
    const char* title_says;  // what the manoeuvre comes to
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

std::vector<Case> cases() {
    TypedExercise too_close = default_exercise();
    too_close.delay = 10;
    TypedExercise same_time = default_exercise();
    same_time.time2 = 1300;
    TypedExercise receding = default_exercise();  // B opening: the CPA lies behind B-1
    receding.distance1 = 2.0;
    receding.distance2 = 3.0;
    receding.bearing2 = 10;
    TypedExercise overtaking = default_exercise();  // B coming up from astern, KA 370 taken as 10
    overtaking.course = 370;
    overtaking.velocity = 10;
    overtaking.bearing1 = 190;
    overtaking.bearing2 = 192;
    overtaking.distance1 = 4;
    overtaking.distance2 = 3;
    overtaking.delay = 3;
    TypedExercise manoeuvre_after_b2 = default_exercise();  // B slow, the manoeuvre 4 minutes after B-2 and close by it
    manoeuvre_after_b2.time1 = 1319;
    manoeuvre_after_b2.time2 = 1323;
    manoeuvre_after_b2.distance1 = 3.0;
    manoeuvre_after_b2.distance2 = 2.9;
    manoeuvre_after_b2.delay = 4;
    return {
        {"default", default_exercise(), "StB 053° resp. 181°;  BB velocity change\nNo turn to port side"},
        {"both_sides", crossing(3.5, 6), "StB 014° resp. 313°;  BB 322° resp. 217°"},
        {"no_danger", crossing(1.5, 0), "No danger of collision: CPA 2.8 nm > minimal CPA 1.5 nm"},
        {"too_close", too_close, "B already too close: 0.5 nm at 13:16"},
        {"receding", receding, "No danger of collision: CPA 1.6 nm"},
        {"overtaking", overtaking, "BB velocity change;  StB velocity change\nNo turn to port side;  B is attempting to overtake"},
        {"same_time", same_time, "B-1 and B-2 at the same time: no solution possible"},
        {"manoeuvre_after_b2", manoeuvre_after_b2, "StB 326° resp. 259°;  BB 290° resp. 165°"},
    };
}

std::vector<const Shape*> with_role(const Drawing& d, Role role) {
    std::vector<const Shape*> found;
    for (const Shape& s : d.shapes) {
        if (s.role == role) found.push_back(&s);
    }
    return found;
}

template <class Form>
std::vector<Form> forms(const Drawing& d, Role role) {
    std::vector<Form> found;
    for (const Shape* s : with_role(d, role)) {
        if (const Form* f = std::get_if<Form>(&s->form)) found.push_back(*f);
    }
    return found;
}

// Bearing (degrees true) and distance (nautical miles) of a page point from A.
double bearing_from(PagePoint from, PagePoint to) {
    const double b = std::atan2(to.x - from.x, from.y - to.y) * 180.0 / kPi;
    return b < 0.0 ? b + 360.0 : b;
}
double miles_from_a(const Drawing& d, PagePoint p) { return std::hypot(p.x - d.centre.x, p.y - d.centre.y) / d.miles; }

// Difference of two compass directions, 0..180: 359.8 and 0 are 0.2 apart.
double turn_between(double a, double b) {
    const double diff = std::fabs(std::fmod(a - b, 360.0));
    return diff > 180.0 ? 360.0 - diff : diff;
}

// Distance of p from the segment, and whether its foot lies within the segment.
double off_segment(const SegmentShape& s, PagePoint p, bool& within) {
    const double dx = s.to.x - s.from.x;
    const double dy = s.to.y - s.from.y;
    const double t = ((p.x - s.from.x) * dx + (p.y - s.from.y) * dy) / (dx * dx + dy * dy);
    within = t >= -1e-9 && t <= 1.0 + 1e-9;
    return std::fabs((p.x - s.from.x) * dy - (p.y - s.from.y) * dx) / std::hypot(dx, dy);
}

class Layout : public ::testing::TestWithParam<Case> {};

TEST_P(Layout, ObservationsSitAtTheirBearingsAndDistances) {
    const Solved s = solve(GetParam().typed);
    const auto b1 = forms<CircleShape>(s.drawing, Role::B1);
    const auto b2 = forms<CircleShape>(s.drawing, Role::B2);
    ASSERT_EQ(b1.size(), 1u);
    ASSERT_EQ(b2.size(), 1u);
    EXPECT_LT(turn_between(bearing_from(s.drawing.centre, b1[0].centre), s.record.rwp1), 1e-9);
    EXPECT_NEAR(miles_from_a(s.drawing, b1[0].centre), s.record.r1, 1e-9);
    EXPECT_LT(turn_between(bearing_from(s.drawing.centre, b2[0].centre), s.record.rwp2), 1e-9);
    EXPECT_NEAR(miles_from_a(s.drawing, b2[0].centre), s.record.r2, 1e-9);
    // Both inside the outer ring, which the ring scale describes.
    EXPECT_LE(s.record.r1, s.drawing.rings * s.drawing.ring_interval);
    EXPECT_LE(s.record.r2, s.drawing.rings * s.drawing.ring_interval);
}

TEST_P(Layout, CpaLiesOnTheRelativeTrackAtTheReportedDistance) {
    const Solved s = solve(GetParam().typed);
    const auto track = forms<SegmentShape>(s.drawing, Role::RelativeTrack);
    const auto cpa = forms<CircleShape>(s.drawing, Role::CpaPoint);
    if (!s.manoeuvre) {
        EXPECT_TRUE(track.empty());
        EXPECT_TRUE(cpa.empty());
        return;
    }
    ASSERT_EQ(track.size(), 1u);
    ASSERT_EQ(cpa.size(), 1u);
    bool within = false;
    EXPECT_LT(off_segment(track[0], cpa[0].centre, within), 1e-6);
    EXPECT_TRUE(within) << "the track must run to and past the CPA";
    EXPECT_NEAR(miles_from_a(s.drawing, cpa[0].centre), s.plot.figures.cparq, 0.05 + 1e-9);
    // It is the closest point: the track runs square to the line from A.
    if (s.plot.cpar * s.drawing.miles > 1.0) {
        const double along = bearing_from(track[0].from, track[0].to);
        const double across = bearing_from(s.drawing.centre, cpa[0].centre);
        EXPECT_NEAR(turn_between(along, across), 90.0, 1e-6);
    }
    // The track runs through both plotted positions.
    for (const Role role : {Role::B1, Role::B2}) {
        EXPECT_LT(off_segment(track[0], forms<CircleShape>(s.drawing, role)[0].centre, within), 1e-6);
        EXPECT_TRUE(within);
    }
}

TEST_P(Layout, OwnCourseVectorsPointAlongThePrintedCourses) {
    const Solved s = solve(GetParam().typed);
    const auto vectors = forms<SegmentShape>(s.drawing, Role::ProposedCourse);
    const auto labels = forms<TextShape>(s.drawing, Role::ProposedCourseLabel);
    std::vector<std::pair<Side, double>> printed;  // in the report's order
    if (s.manoeuvre && s.manoeuvre->outcome == Outcome::Courses) {
        const Manoeuvre& m = *s.manoeuvre;
        if (m.side1.hits.ier == 0) printed.insert(printed.end(), {{m.txt1, m.side1.pqil1}, {m.txt1, m.side1.pqil2}});
        if (m.side2.hits.ier == 0) printed.insert(printed.end(), {{m.txt2, m.side2.pqil1}, {m.txt2, m.side2.pqil2}});
    }
    ASSERT_EQ(vectors.size(), printed.size());
    ASSERT_EQ(labels.size(), printed.size());
    for (std::size_t i = 0; i < printed.size(); ++i) {
        const double drawn = bearing_from(vectors[i].from, vectors[i].to);
        EXPECT_LE(turn_between(drawn, printed[i].second), 0.5 + 1e-9) << "vector " << i;
        EXPECT_TRUE(vectors[i].arrow);
        // A's run at unchanged speed: as long as the run of the triangle.
        EXPECT_NEAR(std::hypot(vectors[i].to.x - vectors[i].from.x, vectors[i].to.y - vectors[i].from.y) / s.drawing.miles,
                    s.plot.da, 1e-9);
        EXPECT_EQ(labels[i].text, course_label(printed[i].first, printed[i].second));
    }
}

TEST_P(Layout, TangentsTouchTheCpaCircleFromTheManoeuvrePosition) {
    const Solved s = solve(GetParam().typed);
    const auto tangents = forms<SegmentShape>(s.drawing, Role::TangentLine);
    const bool courses = s.manoeuvre && s.manoeuvre->outcome == Outcome::Courses;
    ASSERT_EQ(tangents.size(), courses ? 2u : 0u);
    const auto circle = forms<CircleShape>(s.drawing, Role::CpaCircle);
    ASSERT_EQ(circle.size(), 1u);
    EXPECT_NEAR(circle[0].radius / s.drawing.miles, s.record.scpa, 1e-9);
    if (!s.manoeuvre) return;
    const auto at_manoeuvre = forms<CircleShape>(s.drawing, Role::ManoeuvrePosition);
    ASSERT_EQ(at_manoeuvre.size(), 1u);
    EXPECT_NEAR(miles_from_a(s.drawing, at_manoeuvre[0].centre), s.manoeuvre->rm, 1e-9);
    for (const SegmentShape& t : tangents) {
        EXPECT_NEAR(t.from.x, at_manoeuvre[0].centre.x, 1e-9);
        EXPECT_NEAR(t.from.y, at_manoeuvre[0].centre.y, 1e-9);
        bool within = false;
        EXPECT_NEAR(off_segment(t, s.drawing.centre, within), circle[0].radius, 1e-6);
        EXPECT_TRUE(within) << "the tangent must run past its point of contact";
    }
}

TEST_P(Layout, TitleSaysWhatTheManoeuvreComesTo) {
    const Solved s = solve(GetParam().typed);
    std::string title;
    for (const TextShape& line : forms<TextShape>(s.drawing, Role::Title)) title += line.text + "\n";
    EXPECT_NE(title.find(GetParam().title_says), std::string::npos) << title;
}

std::vector<std::string> texts(const Drawing& d, Role role) {
    std::vector<std::string> found;
    for (const TextShape& t : forms<TextShape>(d, role)) found.push_back(t.text);
    return found;
}

int clock_minutes(const std::string& hhmm) { return std::stoi(hhmm.substr(0, 2)) * 60 + std::stoi(hhmm.substr(3, 2)); }

// The TCPA and time of CPA in the title and at the CPA mark say the same,
// and B, carried that long from the manoeuvre along its relative track, is
// at its CPA then; the time is the manoeuvre time and the TCPA.
TEST_P(Layout, TcpaAndTimeOfCpaBringBToItsCpa) {
    const Solved s = solve(GetParam().typed);
    if (!s.manoeuvre) return;
    std::string title;
    for (const std::string& line : texts(s.drawing, Role::Title)) title += line + "\n";
    const std::size_t at = title.find("TCPA ");
    ASSERT_NE(at, std::string::npos) << title;
    const std::string said = title.substr(at, title.find("     ", at) - at);  // "TCPA 12.5 min, 13:18"
    const auto mark = texts(s.drawing, Role::CpaLabel);
    ASSERT_EQ(mark.size(), 1u);
    EXPECT_EQ(mark[0], "CPA " + console::decimal_text(s.plot.figures.cparq, 1) + " nm, " + said);
    const double tcpa = std::stod(said.substr(5));
    const double knots = s.plot.vbr;
    const Point b = vecpkt(s.manoeuvre->bm, s.plot.akbr, knots * tcpa / 60.0);
    EXPECT_NEAR(std::hypot(b.x, b.y), s.plot.cpar, knots * 0.05 / 60.0 + 1e-9);
    const int manoeuvre = s.manoeuvre->itmah * 60 + s.manoeuvre->itmam;
    const int off = (clock_minutes(said.substr(said.size() - 5)) - manoeuvre - static_cast<int>(std::lround(tcpa)) + 1440 * 2) % 1440;
    EXPECT_TRUE(off == 0 || off == 1 || off == 1439) << said;
}

// B-2 is named the manoeuvre position only when the manoeuvre is at B-2's
// time; otherwise B at the manoeuvre time has a label of its own, with the
// manoeuvre time.
TEST_P(Layout, TheManoeuvrePositionIsLabelledWithItsOwnTime) {
    const Solved s = solve(GetParam().typed);
    if (!s.manoeuvre) return;
    const std::string at_manoeuvre = console::clock_text(s.manoeuvre->itmah, s.manoeuvre->itmam);
    const std::string b2 = console::clock_text(s.plot.figures.nth2, s.plot.figures.ntm2);
    int named = 0;
    for (const std::string& text : texts(s.drawing, Role::PositionLabel)) {
        if (text.find("manoeuvre") == std::string::npos) continue;
        ++named;
        if (s.manoeuvre->dtm == 0.0) {
            EXPECT_NE(text.find("B-2 " + b2 + ", manoeuvre"), std::string::npos) << text;
        } else {
            EXPECT_EQ(text, "B " + at_manoeuvre + ", manoeuvre");
        }
    }
    EXPECT_EQ(named, 1);
}

TEST_P(Layout, OwnShipIsPaintedLastAtTheCentre) {
    const Solved s = solve(GetParam().typed);
    const CircleShape* last = nullptr;
    for (const Shape& shape : s.drawing.shapes) {
        if (shape.role == Role::Title || shape.role == Role::Legend) continue;
        last = std::get_if<CircleShape>(&shape.form);
    }
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->stroke.ink, Ink::OwnShip);
    EXPECT_TRUE(last->filled);
    EXPECT_EQ(last->centre.x, s.drawing.centre.x);
    EXPECT_EQ(last->centre.y, s.drawing.centre.y);
}

TEST_P(Layout, EverythingStaysOnThePage) {
    const Solved s = solve(GetParam().typed);
    const auto on_page = [&](PagePoint p) { return p.x >= 0 && p.y >= 0 && p.x <= s.drawing.width && p.y <= s.drawing.height; };
    for (const Shape& shape : s.drawing.shapes) {
        if (const auto* seg = std::get_if<SegmentShape>(&shape.form)) {
            EXPECT_TRUE(on_page(seg->from) && on_page(seg->to)) << static_cast<int>(shape.role);
        } else if (const auto* c = std::get_if<CircleShape>(&shape.form)) {
            EXPECT_TRUE(on_page(c->centre)) << static_cast<int>(shape.role);
        } else if (const auto* t = std::get_if<TextShape>(&shape.form)) {
            const Box box = text_box(*t);  // estimated from the characters
            EXPECT_TRUE(on_page(PagePoint{box.left, box.top}) && on_page(PagePoint{box.right, box.bottom})) << t->text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Exercises, Layout, ::testing::ValuesIn(cases()),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(Layout, RangeRingsAreEvenlySpacedAndLabelledInMiles) {
    const Solved s = solve(default_exercise());
    const auto rings = forms<CircleShape>(s.drawing, Role::RangeRing);
    ASSERT_EQ(static_cast<int>(rings.size()), s.drawing.rings);
    for (std::size_t k = 0; k < rings.size(); ++k) {
        EXPECT_NEAR(rings[k].radius / s.drawing.miles, static_cast<double>(k + 1) * s.drawing.ring_interval, 1e-9);
    }
    const auto labels = forms<TextShape>(s.drawing, Role::RingLabel);
    ASSERT_EQ(labels.size(), rings.size());
    EXPECT_EQ(labels.front().text, "1");
    EXPECT_EQ(labels.back().text, "4 nm");
}

TEST(Layout, BearingScaleTicksEveryTenLabelsEveryThirty) {
    const Solved s = solve(default_exercise());
    const auto ticks = forms<SegmentShape>(s.drawing, Role::BearingTick);
    ASSERT_EQ(ticks.size(), 36u);
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_LT(turn_between(bearing_from(s.drawing.centre, ticks[i].from), 10.0 * static_cast<double>(i)), 1e-9);
    }
    const auto labels = forms<TextShape>(s.drawing, Role::BearingLabel);
    ASSERT_EQ(labels.size(), 12u);
    EXPECT_EQ(labels[0].text, "000°");
    EXPECT_EQ(labels[3].text, "090°");
    EXPECT_EQ(labels[11].text, "330°");
}

}  // namespace
}  // namespace echo_track::plot
