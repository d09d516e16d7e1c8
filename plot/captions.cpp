#include "plot/captions.hpp"

#include "console/field_text.hpp"
#include "page/labels.hpp"
#include "plot/cpa_time.hpp"
#include "solver/integer_copy.hpp"

namespace echo_track::plot {
namespace {

using console::decimal_text;
using console::clock_text;
using console::degrees_text;
using page::miles_text;

std::string miles(double value) { return decimal_text(value, 1) + " nm"; }
std::string knots(double value) { return decimal_text(value, 1) + " kt"; }

std::string observation(const char* name, int hour, int minute, int bearing, double distance) {
    return std::string(name) + " " + clock_text(hour, minute) + "  " + degrees_text(bearing) + "  " + miles(distance);
}

// One side's solutions as the report row gives them.
std::string side_courses(Side turn, const TangentCourses& side) {
    const std::string name = side_name(turn);
    if (side.hits.ier != 0) return name + " velocity change";
    return name + " " + degrees_text(to_int32(side.pqil1)) + " resp. " + degrees_text(to_int32(side.pqil2));
}

std::string outcome_line(const PlotRecord& record, const PlotSolution& plot, const Manoeuvre& m) {
    switch (m.outcome) {
        case Outcome::TooClose:
            return "B already too close: " + miles(m.zd) + " at " + clock_text(m.itmah, m.itmam) +
                   ", no course keeps CPA " + miles_text(record.scpa) + " nm";
        case Outcome::NoDanger:
            return "No danger of collision: CPA " + miles(plot.figures.cparq) + " > minimal CPA " +
                   miles_text(record.scpa) + " nm";
        case Outcome::Courses:
            break;
    }
    return "New course A: " + side_courses(m.txt1, m.side1) + ";  " + side_courses(m.txt2, m.side2);
}

// The advice from B's relative bearing at B-2, which goes with the courses.
std::string advice_line(const Manoeuvre& m) {
    std::string line = m.no_turn_to_starboard ? "No turn to starboard" : "No turn to port side";
    if (m.overtaking) line += ";  B is attempting to overtake";
    return line;
}

}  // namespace

std::string side_name(Side side) { return side == Side::Starboard ? "StB" : "BB"; }

std::string course_label(Side side, double pqil) {
    return side_name(side) + " " + degrees_text(to_int32(pqil));
}

Title title_lines(const PlotRecord& record, const PlotSolution& plot, const std::optional<Manoeuvre>& manoeuvre) {
    const PlotFigures& f = plot.figures;
    Title title;
    std::vector<std::string>& lines = title.lines;
    lines.push_back("ECHO-TRACK relative plot, north up, own ship A at the centre");
    lines.push_back("Own ship A: KA " + degrees_text(f.ka) + "  VA " + knots(f.vaq) + "     " +
                    observation("B-1", f.nth1, f.ntm1, f.nrwp1q, f.rr1) + "     " +
                    observation("B-2", f.nth2, f.ntm2, f.nrwp2q, f.rr2));
    if (!manoeuvre) {
        title.outcome_from = lines.size();
        lines.push_back("B-1 and B-2 at the same time: no solution possible");
        return title;
    }
    const Manoeuvre& m = *manoeuvre;
    lines.push_back("KBr " + degrees_text(f.kbr) + "  VBr " + knots(f.vbrq) + "     CPA " + degrees_text(f.ncpapq) +
                    "  " + miles(f.cparq) + "  " + cpa_time_text(cpa_time(plot, m)) + "     KB " + degrees_text(f.kb) + "  VB " +
                    knots(f.vbq));
    lines.push_back("Minimal CPA " + miles_text(record.scpa) + " nm;  manoeuvre at " + clock_text(m.itmah, m.itmam) +
                    ":  B on " + degrees_text(m.izp) + "  " + miles(m.zd));
    title.outcome_from = lines.size();
    lines.push_back(outcome_line(record, plot, m));
    if (m.outcome == Outcome::Courses) lines.push_back(advice_line(m));
    return title;
}

}  // namespace echo_track::plot
