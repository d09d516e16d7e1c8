#include "traffic_io/traffic_report.hpp"

#include <cmath>
#include <vector>

#include "console/field_text.hpp"
#include "traffic/steerable.hpp"
#include "traffic_io/map_report.hpp"
#include "traffic_io/rule_names.hpp"
#include "traffic_io/rules_report.hpp"
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

// The target table: name, relative and true motion, how it passes and when,
// where it crosses the heading line, where it is at the manoeuvre time,
// danger, and the own ship's part under the collision rules.
const std::vector<Column> kColumns = {
    {"target", 10, false},   {"rel.crs", 7, true},   {"rel.kt", 6, true},      {"true.crs", 8, true},
    {"true.kt", 7, true},    {"CPA.nm", 6, true},    {"CPA.brg", 7, true},     {"TCPA.min", 8, true},
    {"TCA", 5, true},        {"bow crossing", 24, false}, {"brg", 4, true},    {"range.nm", 8, true},
    {"rel.brg", 7, true},    {"sector", 30, false},  {"aspect", 9, false},     {"danger", 6, false},
    {"rule", 15, false},
};

// The sightings table: how many, the latest with its true and relative
// bearing, and each sighting's distance off the track of those before it.
const std::vector<Column> kSightingColumns = {
    {"target", 10, false}, {"sightings", 9, true}, {"latest", 6, true}, {"brg", 4, true},
    {"rel.brg", 7, true},  {"range.nm", 8, true},  {"off the track, nm", 17, false},
};

std::string padded(const std::string& text, const Column& c) {
    // Width in characters, not bytes: the degree sign takes two bytes.
    std::size_t shown = 0;
    for (const char ch : text) shown += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
    const std::string fill(c.width > shown ? c.width - shown : 0, ' ');
    return c.right ? fill + text : text + fill;
}

std::string row(const std::vector<std::string>& cells, const std::vector<Column>& columns = kColumns) {
    std::string line;
    for (std::size_t i = 0; i < cells.size() && i < columns.size(); ++i) {
        if (i > 0) line += "  ";
        line += padded(cells[i], columns[i]);
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line + "\n";
}

std::string title_row(const std::vector<Column>& columns) {
    std::vector<std::string> titles;
    for (const Column& c : columns) titles.emplace_back(c.title);
    return row(titles, columns);
}

// The figures of one passage, from the manoeuvre time on: the least range,
// where and when (minutes and clock), and the verdict.
std::vector<std::string> passage_cells(const Passage& p, double required_cpa_nm, traffic::ClockMoment manoeuvre) {
    return {least_range_text(p, required_cpa_nm), least_bearing_text(p), least_time_text(p), tca_text(p, manoeuvre), verdict_text(p)};
}

std::string same_time_text(const TargetSolution& t) {
    return (t.plot.size() == 2 ? "both sightings at " : "every sighting at ") + clock_text(t.latest) + ": no motion can be found";
}

std::vector<std::string> target_cells(const TargetSolution& t, const std::string& rule, double required_cpa_nm,
                                      traffic::ClockMoment manoeuvre) {
    if (t.same_time) return {t.name, same_time_text(t)};
    const Passage& p = t.present;
    const std::vector<std::string> passing = passage_cells(p, required_cpa_nm, manoeuvre);
    const bool placed = traffic::has_bearing(t.range_nm);
    return {t.name, p.keeps_station ? "-" : course_text(p.relative_course), tenths_text(p.relative_speed_kt),
            traffic::has_course(t.true_speed_kt) ? course_text(t.true_course) : "-", tenths_text(t.true_speed_kt), passing[0],
            passing[1], passing[2], passing[3], bow_crossing_text(t.bow_crossing), placed ? course_text(t.bearing) : "-",
            tenths_text(t.range_nm), placed ? course_text(t.relative_bearing) : "-", placed ? sector_text(t) : "at the own ship",
            aspect_text(t), passing[4], rule};
}

// A target row as printed; one seen at one time only has its name and why.
std::string target_row(const std::vector<std::string>& cells) {
    if (cells.size() == 2) return padded(cells[0], kColumns[0]) + "  " + cells[1] + "\n";
    return row(cells);
}

// One row of the sightings table.
std::vector<std::string> sighting_cells(const TargetSolution& t) {
    std::string off;
    for (const traffic::PlottedSighting& p : t.plot) off += (off.empty() ? "" : ", ") + off_track_text(p);
    const traffic::Sighting& latest = t.latest_sighting;
    return {t.name, whole_text(static_cast<int>(t.plot.size())), clock_text(latest.time), course_text(latest.bearing),
            course_text(t.latest_relative_bearing), tenths_text(latest.range_nm), t.plot.size() > 2 ? off : "-"};
}

// What the sightings of a target that is not on a straight line say, and
// what the figures are then made of.
std::string altering_text(const TargetSolution& t) {
    std::string off;
    for (const traffic::PlottedSighting& p : t.plot) {
        if (!p.off) continue;
        off += (off.empty() ? "" : "; ") + clock_text(p.sighting.time) + " lies " + off_track_text(p) +
               " nm off the track of the sightings before it, more than " + decimal_text(std::floor(p.tolerance_nm * 100.0) / 100.0, 2);
    }
    std::string used;
    for (const traffic::PlottedSighting& p : t.plot) {
        if (p.on_track) used += (used.empty() ? "" : " and ") + clock_text(p.sighting.time);
    }
    return t.name + ": not on a straight line at a steady rate: the target may be altering (" + off +
           "); its figures are from the two latest sightings, " + used + "\n";
}

std::string altering_lines(const TrafficSolution& s) {
    std::string text;
    for (const TargetSolution& t : s.targets) {
        if (!t.same_time && t.from_latest_two) text += altering_text(t);
    }
    return text;
}

std::string table_text(const ReportTable& table, const std::vector<Column>& columns) {
    std::string text = title_row(columns);
    for (const std::vector<std::string>& cells : table.rows) text += &columns == &kColumns ? target_row(cells) : row(cells, columns);
    return text;
}

std::string names_text(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

// What every manoeuvre line covers: all targets, or the solved ones only.
std::string coverage(const TrafficSolution& s) {
    return s.unsolved.empty() ? "" : " (the solved targets only; not solved: " + names_text(s.unsolved) + ")";
}

std::string every_target(const TrafficSolution& s) { return s.unsolved.empty() ? "every target" : "every solved target"; }

// Why no manoeuvre can clear, when that is plain before any figure.
std::string hopeless(const TrafficExercise& e, const TrafficSolution& s) {
    if (!s.at_own_ship.empty()) {
        return names_text(s.at_own_ship) + (s.at_own_ship.size() == 1 ? " is" : " are") + " already at the own ship";
    }
    if (e.own.speed_kt == 0.0 && !s.present_clears) return "the own ship is stopped: a course alone changes nothing";
    return "";
}

std::string arcs_text(const std::vector<CourseArc>& arcs, bool clearing) {
    std::string text;
    int hidden = 0;
    for (const CourseArc& a : arcs) {
        const std::string shown = arc_text(a, clearing);
        if (shown.empty()) {
            ++hidden;
            continue;
        }
        text += (text.empty() ? "" : ", ") + shown;
    }
    if (hidden > 0) {
        text += (text.empty() ? "" : ", and ") + whole_text(hidden) + (hidden == 1 ? " sliver" : " slivers") +
                " narrower than 0.000001° (in the JSON)";
    }
    return text;
}

// How every target passes at one own course and speed: per target its
// name and the cells of its passage, or its name and "not solved".
std::vector<std::vector<std::string>> passage_rows(const TrafficSolution& s, const Outcome& o, double required_cpa_nm) {
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 0; i < s.targets.size(); ++i) {
        const TargetSolution& t = s.targets[i];
        if (t.same_time) {
            rows.push_back({t.name, "not solved"});
            continue;
        }
        std::vector<std::string> cells = passage_cells(o.passages[i], required_cpa_nm, s.manoeuvre_time);
        cells.insert(cells.begin(), t.name);
        rows.push_back(std::move(cells));
    }
    return rows;
}

std::string passages_text(const TrafficSolution& s, const Outcome& o, double required_cpa_nm) {
    std::string text;
    for (const std::vector<std::string>& c : passage_rows(s, o, required_cpa_nm)) {
        text += "    " + padded(c[0], kColumns[0]) + "  ";
        if (c.size() == 2) {
            text += c[1] + "\n";
            continue;
        }
        text += "CPA " + c[1] + " nm" + (c[2] == "-" ? "" : " at " + c[2]) +
                (c[3] == "now" ? " now" : c[3] == "-" ? ", range stays" : ", TCPA " + c[3] + " min, TCA " + c[4]) + ", " + c[5] + "\n";
    }
    return text;
}

std::string turn_text(const std::optional<traffic::AlterationOutcome>& a, const char* side, const TrafficExercise& e,
                      const TrafficSolution& s) {
    std::string text = "Smallest alteration to " + std::string(side) + coverage(s) + ": ";
    const std::string why = hopeless(e, s);
    if (!a && !why.empty()) return text + "none, " + why + "\n";
    if (!a) return text + "none within 180° clears " + every_target(s) + "\n";
    const traffic::Alteration& alt = a->alteration;
    if (alt.steered_turn == 0.0) return text + "none needed, the present course clears " + every_target(s) + "\n";
    const std::string turn = alt.steered_decimals == 0 ? whole_text(static_cast<int>(std::lround(alt.steered_turn)))
                                                       : decimal_text(alt.steered_turn, alt.steered_decimals);
    text += turn + "° to " + course_decimals_text(alt.steered_course, alt.steered_decimals) +
            " (the exact edge: " + decimal_text(alt.exact_course, 2) + "°";
    if (alt.narrow_arc) {
        text += std::string("; the clearing arc there is narrower than a degree") +
                (alt.steered_decimals > 0 ? " and holds no whole one, so the course is given to " + decimal_text(std::pow(10.0, -alt.steered_decimals), alt.steered_decimals) + "°" : "");
    }
    text += ")\n";
    return text + passages_text(s, a->outcome, e.required_cpa_nm);
}

std::string speed_ranges_text(const std::vector<traffic::Span>& spans) {
    std::string text;
    for (const traffic::Span& span : spans) {
        std::string shown;
        if (const auto tenths = traffic::inward(span.from, span.to, 1, false); tenths && tenths->from < tenths->to) {
            shown = decimal_text(tenths->from, 1) + " to " + decimal_text(tenths->to, 1) + " kt";
        } else {
            for (int decimals = 1; decimals <= 6 && shown.empty(); ++decimals) {
                if (const auto inside = traffic::inward(span.from, span.to, decimals, false)) {
                    shown = "a sliver at " + decimal_text(inside->from, decimals) + " kt";
                }
            }
        }
        if (!shown.empty()) text += (text.empty() ? "" : ", ") + shown;
    }
    return text;
}

std::string speed_text(const TrafficExercise& e, const TrafficSolution& s) {
    const traffic::SpeedAlternative& v = s.speed_alternative;
    std::string text = "Speed alternative on " + course_text(e.own.course) + coverage(s) + ": ";
    const std::string why = hopeless(e, s);
    if (v.choice.present_clears) return text + "none needed, the present speed clears " + every_target(s) + "\n";
    if (!s.at_own_ship.empty()) return text + "none, " + why + "\n";
    if (e.own.speed_kt == 0.0) return text + "none, the own ship is stopped already\n";
    if (v.stopping_does_not_clear) return text + "stopping does not clear\n";
    const std::string ranges = "the speeds that clear: " + speed_ranges_text(v.choice.clearing_speeds);
    if (!v.choice.found) return text + "no tenth of a knot below the present speed clears; " + ranges + "\n";
    // The speed is the solver's tenth of a knot, printed as it is.
    text += v.choice.every_lower_clears ? "at most " + tenths_text(v.speed_kt) + " kt\n"
                                        : tenths_text(v.speed_kt) + " kt, but not every lower speed clears; " + ranges + "\n";
    return text + passages_text(s, v.outcome, e.required_cpa_nm);
}

std::string manoeuvre_text(const TrafficExercise& e, const TrafficSolution& s) {
    std::string text = "\nManoeuvre at " + clock_text(s.manoeuvre_time) + ", at the present speed " +
                       tenths_text(e.own.speed_kt) + " kt:\n";
    const std::string why = hopeless(e, s);
    text += "Courses that clear all" + coverage(s) + ": ";
    if (s.arcs.every_course()) {
        text += "every course\n";
    } else if (s.arcs.no_course()) {
        text += "no course" + (why.empty() ? std::string(" at this speed") : ", " + why) + "\n";
    } else {
        text += arcs_text(s.arcs.clear, true) + "\n";
    }
    if (!s.arcs.every_course() && !s.arcs.no_course()) text += "Blocked courses" + coverage(s) + ": " + arcs_text(s.arcs.blocked, false) + "\n";
    text += turn_text(s.starboard, "starboard", e, s);
    text += turn_text(s.port, "port", e, s);
    text += speed_text(e, s);
    return text + map_table_text(s, traffic::manoeuvre_map(e, s), coverage(s));
}

// When the manoeuvre is, and for one at a range, what it waits for.
std::string manoeuvre_when(const TrafficExercise& e, const TrafficSolution& s) {
    std::string text = clock_text(s.manoeuvre_time);
    if (e.manoeuvre.at_range && !s.range_not_reached) {
        text += ", when " + e.manoeuvre.at_range->of + " closes to " + given_text(e.manoeuvre.at_range->range_nm) + " nm";
    }
    return text;
}

// The recommended manoeuvre, how every target passes then, and when to
// resume; standing on, the same for the action beside it.
std::string recommendation_text(const TrafficExercise& e, const TrafficSolution& s) {
    const traffic::Recommendation& r = s.recommendation;
    std::string text = "\n" + recommendation_heading(e, s);
    const bool alters = r.kind == traffic::RecommendationKind::Course || r.kind == traffic::RecommendationKind::Speed ||
                        r.kind == traffic::RecommendationKind::CourseAndSpeed || r.kind == traffic::RecommendationKind::NoManoeuvreClears;
    if (alters) text += passages_text(s, s.recommended, e.required_cpa_nm);
    if (s.stand_on_action) text += passages_text(s, *s.stand_on_action, e.required_cpa_nm);
    if (s.resume) {
        const std::string resume = resume_text(e.own, *s.resume, s.manoeuvre_time);
        // Standing on, the resume time is that of the action beside it.
        text += s.stand_on_action ? "After that action, r" + resume.substr(1) : resume;
    }
    return text + kDecisionAid + "\n";
}

std::string trial_heading(const TrafficExercise& e, const TrafficSolution& s) {
    return "Trial" + coverage(s) + ": course " + course_text(e.trial->course) + ", speed " + tenths_text(e.trial->speed_kt) +
           " kt from " + clock_text(s.manoeuvre_time) + (s.trial->clears_all ? ", clears " : ", does not clear ") + every_target(s);
}

}  // namespace

ReportParts traffic_report_parts(const TrafficExercise& e, const TrafficSolution& s) {
    ReportParts parts;
    parts.heading = "Own ship: course " + course_text(e.own.course) + ", speed " + tenths_text(e.own.speed_kt) + " kt; required CPA " +
                    given_text(e.required_cpa_nm) + " nm; manoeuvre at " + manoeuvre_when(e, s) + "\n" + rule_settings_text(e) + "\n";
    for (const Column& c : kSightingColumns) parts.sightings.titles.emplace_back(c.title);
    for (const TargetSolution& t : s.targets) parts.sightings.rows.push_back(sighting_cells(t));
    parts.altering = altering_lines(s);
    for (const Column& c : kColumns) parts.targets.titles.emplace_back(c.title);
    for (std::size_t i = 0; i < s.targets.size(); ++i) {
        parts.targets.rows.push_back(target_cells(s.targets[i], i < s.rules.size() ? rule_cell(s.rules[i]) : "-", e.required_cpa_nm, s.manoeuvre_time));
    }
    parts.manoeuvre = manoeuvre_text(e, s);
    parts.recommendation = recommendation_text(e, s);
    if (e.trial && s.trial) {
        parts.trial_heading = trial_heading(e, s);
        parts.trial.titles = {"target", "CPA.nm", "CPA.brg", "TCPA.min", "TCA", "danger"};
        parts.trial.rows = passage_rows(s, *s.trial, e.required_cpa_nm);
        parts.trial_passages = passages_text(s, *s.trial, e.required_cpa_nm);
        if (s.trial_resume) parts.trial_resume = resume_text(e.own, *s.trial_resume, s.manoeuvre_time);
    }
    return parts;
}

std::string traffic_report(const TrafficExercise& e, const TrafficSolution& s) { return traffic_report(traffic_report_parts(e, s)); }

std::string traffic_report(const ReportParts& parts) {
    std::string text = parts.heading + table_text(parts.sightings, kSightingColumns) + parts.altering + "\n" +
                       table_text(parts.targets, kColumns) + parts.manoeuvre + parts.recommendation;
    if (!parts.trial_heading.empty()) text += "\n" + parts.trial_heading + "\n" + parts.trial_passages + parts.trial_resume;
    return text;
}

}  // namespace echo_track::traffic_io
