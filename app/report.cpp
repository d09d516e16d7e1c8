#include "app/report.hpp"

namespace echo_track {

namespace {

using console::Edit;

// The side labels of the solution rows, padded to three characters:
// starboard and port side ("backbord").
constexpr std::string_view stbtxt = "StB";
constexpr std::string_view bbtxt = "BB ";

std::string_view side_label(Side side) { return side == Side::Starboard ? stbtxt : bbtxt; }

constexpr const char* kSeparator = "###################################################";
constexpr const char* kVelocityChange = "  ===>  KA=   <Velocity-change !?>";

// One side's row: its label, then the two courses, or the advice to change
// speed when no course at the present speed gives the tangent.
void write_course_row(console::Console& con, Side turn, const TangentCourses& side) {
    const std::string_view label = side_label(turn);
    if (side.hits.ier == 0) {
        con.list({label, "  ===>  KA=", side.pqil1, " resp.", side.pqil2});
    } else {
        con.list({label, kVelocityChange});
    }
}

}  // namespace

void write_plot_report(console::Console& con, const PlotSolution& plot) {
    const PlotFigures& f = plot.figures;
    con.list({"Course, Velocity, CPA, etc.:"});
    con.list({"KA=", f.ka, "  VA=", f.vaq, " kt"});
    con.list({"hh:mm_1 ", f.nth1, ":", f.ntm1, "  rwP1=", f.nrwp1q, " r1=", f.rr1, " sm"});
    con.list({"hh:mm_2 ", f.nth2, ":", f.ntm2, "  rwP2=", f.nrwp2q, " r2=", f.rr2, " sm"});
    if (plot.simultaneous) {
        con.list({"??? B-1 and B-2 at the same time, no solution possible"});
        return;
    }
    con.list({"KBr =", f.kbr, "  VBr=", f.vbrq, " kt"});
    con.list({"CPA_direction.=", f.ncpapq, "  Dist.=", f.cparq, " sm"});
    con.list({"KB  =", f.kb, "  VB=", f.vbq, " kt"});
}

void write_manoeuvre_report(console::Console& con, double scpa, const PlotSolution& plot, const Manoeuvre& m) {
    con.list({m.same_direction ? "<KA, KBr in same direction>" : "<KA, KBr in opposite direction>"});
    con.list({kSeparator});
    con.list({"EVASIVE MANOEUVRE:"});
    con.formatted({Edit::skip(1), Edit::literal("Time hh:mm ="), Edit::iw(m.itmah, 2), Edit::literal(":"),
                   Edit::iw(m.itmam, 2)});
    con.list({"Ship B: Bearing=", m.izp, "  Distance=", m.zd});
    con.list({"NEW COURSE ship A:"});

    switch (m.outcome) {
        case Outcome::TooClose:
            con.list({"??? ship B ist already too close, Dist.=", m.zd});
            return;
        case Outcome::NoDanger:
            con.list({"NO danger of collision,CPA=", plot.figures.cparq, " > CPAmin=", scpa});
            con.list({kSeparator});
            return;
        case Outcome::Courses:
            break;
    }

    write_course_row(con, m.txt1, m.side1);
    write_course_row(con, m.txt2, m.side2);
    con.list({m.no_turn_to_starboard ? "<no turn to Starboard>" : "<no turn to port-side>"});
    if (m.overtaking) con.list({"<B is attempting to overtake>"});
    con.list({kSeparator});
    con.list({" "});
}

}  // namespace echo_track
