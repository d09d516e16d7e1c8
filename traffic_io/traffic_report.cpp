#include "traffic_io/traffic_report.hpp"

#include <cmath>
#include <vector>

#include "console/field_text.hpp"
#include "traffic_io/traffic_text.hpp"

namespace echo_track::traffic_io {
namespace {

using console::decimal_text;
using console::whole_text;
using traffic::CourseArc;
using traffic::Outcome;
using traffic::Passage;
using traffic::TargetSolution;
using traffic::TrafficExercise;
using traffic::TrafficSolution;

struct Column {
    const char* title;
    std::size_t width;
    bool right;  // numbers align right
};

// The target table: name, relative and true motion, how it passes, where it
// crosses the heading line, where it is at the manoeuvre time, and danger.
const std::vector<Column> kColumns = {
    {"target", 10, false},   {"rel.crs", 7, true},   {"rel.kt", 6, true},      {"true.crs", 8, true},
    {"true.kt", 7, true},    {"CPA.nm", 6, true},    {"CPA.brg", 7, true},     {"TCPA.min", 8, true},
    {"bow crossing", 24, false}, {"brg", 4, true},   {"range.nm", 8, true},    {"rel.brg", 7, true},
    {"aspect", 19, false},   {"danger", 6, false},
};

std::string padded(const std::string& text, const Column& c) {
    // Width in characters, not bytes: the degree sign takes two bytes.
    std::size_t shown = 0;
    for (const char ch : text) shown += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
    const std::string fill(c.width > shown ? c.width - shown : 0, ' ');
    return c.right ? fill + text : text + fill;
}

std::string row(const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size() && i < kColumns.size(); ++i) {
        if (i > 0) line += "  ";
        line += padded(cells[i], kColumns[i]);
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line + "\n";
}

std::string danger_text(const Passage& p, bool inside) {
    if (p.danger) return "DANGER";
    if (p.keeps_station) return inside ? "inside, keeps station" : "keeps station";
    if (p.tcpa_min <= 0.0) return "opening";
    return "clear";
}

std::string tcpa_text(const Passage& p) { return p.keeps_station ? "-" : tenths_text(p.tcpa_min); }

std::string target_row(const TargetSolution& t) {
    if (t.same_time) {
        return padded(t.name, kColumns[0]) + "  both sightings at " + clock_text(t.latest) + ": no motion can be found\n";
    }
    const Passage& p = t.present;
    return row({t.name, p.keeps_station ? "-" : course_text(p.relative_course), tenths_text(p.relative_speed_kt),
                course_text(t.true_course), tenths_text(t.true_speed_kt), tenths_text(p.cpa_nm), course_text(p.cpa_bearing),
                tcpa_text(p), bow_crossing_text(t.bow_crossing), course_text(t.bearing), tenths_text(t.range_nm),
                course_text(t.relative_bearing), aspect_text(t), danger_text(p, t.inside_required)});
}

// An arc as the navigator steers it: clearing arcs shown inward to a tenth
// of a degree, blocked ones outward, so that every course shown clear is.
std::string arc_text(const CourseArc& a, bool clearing) {
    const double from = clearing ? std::ceil(a.from * 10.0) / 10.0 : std::floor(a.from * 10.0) / 10.0;
    const double to = clearing ? std::floor(a.to * 10.0) / 10.0 : std::ceil(a.to * 10.0) / 10.0;
    const auto degrees = [](double d) {
        std::string text = decimal_text(traffic::normalized_degrees(d), 1);
        if (text.size() < 5) text.insert(0, 5 - text.size(), '0');
        return text + "°";
    };
    return degrees(from) + " to " + degrees(to);
}

std::string arcs_text(const std::vector<CourseArc>& arcs, bool clearing) {
    std::string text;
    for (const CourseArc& a : arcs) text += (text.empty() ? "" : ", ") + arc_text(a, clearing);
    return text;
}

// How every target passes at one own course and speed.
std::string passages_text(const std::vector<TargetSolution>& targets, const Outcome& o) {
    std::string text;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const TargetSolution& t = targets[i];
        text += "    " + padded(t.name, kColumns[0]) + "  ";
        if (t.same_time) {
            text += "not solved\n";
            continue;
        }
        const Passage& p = o.passages[i];
        text += "CPA " + tenths_text(p.cpa_nm) + " nm at " + course_text(p.cpa_bearing) + ", TCPA " + tcpa_text(p) +
                " min, " + danger_text(p, t.inside_required) + "\n";
    }
    return text;
}

std::string turn_text(const std::optional<traffic::AlterationOutcome>& a, const char* side, const TrafficSolution& s) {
    std::string text = "Smallest alteration to " + std::string(side) + ": ";
    if (!a) return text + "none within 180° clears every target\n";
    if (a->alteration.steered_turn == 0.0) return text + "none needed, the present course clears every target\n";
    const double turn = a->alteration.steered_turn;
    const bool whole = turn == std::round(turn);
    text += (whole ? whole_text(static_cast<int>(turn)) : tenths_text(turn)) + "° to " + course_text(a->alteration.steered_course) +
            " (the exact edge: " + decimal_text(a->alteration.exact_course, 2) + "°)\n";
    return text + passages_text(s.targets, a->outcome);
}

std::string manoeuvre_text(const TrafficExercise& e, const TrafficSolution& s) {
    std::string text = "\nManoeuvre at " + clock_text(s.manoeuvre_time) + ", at the present speed " +
                       tenths_text(e.own.speed_kt) + " kt:\n";
    if (s.arcs.blocked.empty()) {
        text += "Courses that clear all: every course\n";
    } else if (s.arcs.clear.empty()) {
        text += "Courses that clear all: none at this speed\n";
    } else {
        text += "Courses that clear all: " + arcs_text(s.arcs.clear, true) + "\n";
    }
    if (!s.arcs.blocked.empty()) text += "Blocked courses: " + arcs_text(s.arcs.blocked, false) + "\n";
    text += turn_text(s.starboard, "starboard", s);
    text += turn_text(s.port, "port", s);

    const traffic::SpeedAlternative& v = s.speed_alternative;
    text += "Speed alternative on " + course_text(e.own.course) + ": ";
    if (v.stopping_does_not_clear) {
        text += "stopping does not clear\n";
    } else if (v.speed_kt >= e.own.speed_kt) {
        text += "none needed, the present speed clears every target\n";
    } else {
        // Shown to the tenth below, so that the speed shown clears.
        text += "at most " + speed_down_text(v.speed_kt) + " kt\n" + passages_text(s.targets, v.outcome);
    }
    return text;
}

}  // namespace

std::string traffic_report(const TrafficExercise& e, const TrafficSolution& s) {
    std::string text = "Own ship: course " + course_text(e.own.course) + ", speed " + tenths_text(e.own.speed_kt) +
                       " kt; required CPA " + tenths_text(e.required_cpa_nm) + " nm; manoeuvre at " +
                       clock_text(s.manoeuvre_time) + "\n\n";
    std::vector<std::string> titles;
    for (const Column& c : kColumns) titles.emplace_back(c.title);
    text += row(titles);
    for (const TargetSolution& t : s.targets) text += target_row(t);
    text += manoeuvre_text(e, s);
    if (e.trial && s.trial) {
        text += "\nTrial: course " + course_text(e.trial->course) + ", speed " + tenths_text(e.trial->speed_kt) + " kt from " +
                clock_text(s.manoeuvre_time) + (s.trial->clears_all ? ", clears every target" : ", does not clear every target") +
                "\n" + passages_text(s.targets, *s.trial);
    }
    return text;
}

}  // namespace echo_track::traffic_io
