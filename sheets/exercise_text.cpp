#include "sheets/exercise_text.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "console/field_text.hpp"
#include "page/labels.hpp"
#include "sheets/answer_key.hpp"
#include "traffic_io/traffic_text.hpp"

namespace echo_track::sheets {
namespace {

using traffic_io::clock_text;
using traffic_io::course_text;
using traffic_io::tenths_text;

std::string speed_text(double kt) {
    const double whole = std::round(kt);
    return (std::fabs(kt - whole) < 1e-9 ? console::whole_text(static_cast<int>(whole)) : tenths_text(kt)) + " kt";
}

std::string side_name(traffic::Side side) { return side == traffic::Side::Starboard ? "starboard" : "port"; }

// The ship that then passes closest, and how close.
std::string closest_text(const traffic::Outcome& outcome, const std::vector<traffic::TargetSolution>& targets) {
    std::size_t nearest = 0;
    for (std::size_t i = 1; i < outcome.passages.size(); ++i) {
        if (outcome.passages[i].cpa_nm < outcome.passages[nearest].cpa_nm) nearest = i;
    }
    if (outcome.passages.empty()) return "";
    return "closest then " + targets[nearest].name + ": CPA " + tenths_text(outcome.passages[nearest].cpa_nm) +
           " nm, TCPA " + tenths_text(outcome.passages[nearest].tcpa_min) + " min";
}

// A ship already inside the required CPA cannot be given it by any course:
// the smallest turn then only opens the range.
std::string alteration_text(const std::optional<traffic::AlterationOutcome>& turn, traffic::Side side, bool inside) {
    const std::string to = (inside ? "Opening the range, to " : "Smallest alteration to ") + side_name(side) + ": ";
    if (!turn) return to + "none within 180°";
    const traffic::Alteration& a = turn->alteration;
    if (a.steered_turn == 0.0) return to + "none needed, the present course clears";
    return to + console::whole_text(static_cast<int>(std::lround(a.steered_turn))) + "° to " +
           course_text(a.steered_course) + " (edge " + console::decimal_text(traffic::normalized_degrees(a.exact_course), 1) +
           "°)";
}

}  // namespace

std::string own_ship_text(const traffic::TrafficExercise& exercise) {
    return "Own ship A: course " + course_text(exercise.own.course) + ", speed " + speed_text(exercise.own.speed_kt);
}

std::string manoeuvre_text(const SheetExercise& x, bool with_time) {
    const std::string required = "Required CPA " + tenths_text(x.exercise.required_cpa_nm) + " nm; manoeuvre ";
    if (const std::optional<std::string> closing = closing_words(x.exercise)) {
        return required + *closing + (with_time ? ", at " + clock_text(x.solution.manoeuvre_time) : "");
    }
    const int delay = x.exercise.manoeuvre.delay_min;
    const std::string when = delay == 0 ? "at the last observation" : console::whole_text(delay) + " min after the last observation";
    return "Required CPA " + tenths_text(x.exercise.required_cpa_nm) + " nm; manoeuvre " + when + ", at " +
           clock_text(x.solution.manoeuvre_time);
}

std::vector<std::vector<std::string>> sightings_table(const traffic::TrafficExercise& exercise) {
    const bool relative = sightings_note(exercise).has_value();
    std::vector<std::string> heading = {"Ship"};
    std::size_t most = 2;
    for (const traffic::Target& t : exercise.targets) most = std::max(most, t.sightings.size());
    for (std::size_t i = 1; i <= most; ++i) {
        const std::string n = console::whole_text(static_cast<int>(i));
        heading.insert(heading.end(), {"Time " + n, (relative ? "Rel. brg " : "Bearing ") + n, "Range " + n});
    }
    std::vector<std::vector<std::string>> rows = {heading};
    for (const traffic::Target& t : exercise.targets) {
        std::vector<std::string> row = {t.name};
        for (const traffic::Sighting& seen : t.sightings) {
            const double bearing = seen.relative_bearing ? *seen.relative_bearing : seen.bearing;
            row.insert(row.end(), {clock_text(seen.time), course_text(bearing), tenths_text(seen.range_nm) + " nm"});
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::optional<std::string> sightings_note(const traffic::TrafficExercise& exercise) {
    const bool relative = std::any_of(exercise.targets.begin(), exercise.targets.end(), [](const traffic::Target& t) {
        return std::any_of(t.sightings.begin(), t.sightings.end(), [](const traffic::Sighting& s) { return s.relative_bearing.has_value(); });
    });
    if (!relative) return std::nullopt;
    return "Rel. brg: the bearing relative to the own heading, degrees clockwise from the bow (000 dead ahead), as a "
           "head-up radar or the gyro repeater's relative ring shows it; the own ship holds her course.";
}

std::optional<std::string> true_bearings_text(const traffic::TrafficExercise& exercise) {
    if (!sightings_note(exercise)) return std::nullopt;
    std::string text = "Plotted as true bearings (relative bearing plus the own course " + course_text(exercise.own.course) + "):";
    for (const traffic::Target& t : exercise.targets) {
        text += " " + t.name;
        for (const traffic::Sighting& seen : t.sightings) text += " " + clock_text(seen.time) + " " + course_text(seen.bearing) + ",";
        text.back() = ';';
    }
    text.back() = '.';
    return text;
}

std::vector<std::string> questions(const SheetExercise& x) {
    std::vector<std::string> asked;
    for (const Question& q : questions_of(x)) asked.push_back(console::whole_text(q.number) + ". " + q.text);
    return asked;
}

std::vector<std::string> target_figures(const SheetExercise& x) {
    std::vector<std::string> lines;
    const std::string at = clock_text(x.solution.manoeuvre_time);
    for (const traffic::TargetSolution& t : x.solution.targets) {
        const traffic::Passage& p = t.present;
        lines.push_back(t.name + ": relative course " + course_text(p.relative_course) + ", speed " +
                        tenths_text(p.relative_speed_kt) + " kt");
        // A CPA that shows as 0.0 has no bearing worth giving: B runs at the own ship.
        const std::string where = tenths_text(p.cpa_nm) == "0.0" ? " (collision course)" : " at " + course_text(p.cpa_bearing);
        lines.push_back("   CPA " + tenths_text(p.cpa_nm) + " nm" + where + ", TCPA " + tenths_text(p.tcpa_min) +
                        " min from " + at);
        lines.push_back("   true course " + course_text(t.true_course) + ", speed " + tenths_text(t.true_speed_kt) + " kt");
        lines.push_back("   at " + at + ": bearing " + course_text(t.bearing) + ", range " + tenths_text(t.range_nm) +
                        " nm" + (t.inside_required ? ", INSIDE the required CPA" : p.danger ? ", DANGER" : ", clear"));
    }
    return lines;
}

std::vector<std::string> manoeuvre_figures(const SheetExercise& x) {
    const traffic::TrafficSolution& s = x.solution;
    std::vector<std::string> lines;
    const bool inside = std::any_of(s.targets.begin(), s.targets.end(),
                                    [](const traffic::TargetSolution& t) { return t.inside_required; });
    if (inside) lines.push_back("Too close: no course gives the required CPA");
    if (!s.any_danger && !inside) {
        lines.push_back("No alteration needed: the present course clears every ship");
        lines.push_back("Speed alternative: none needed");
        return lines;
    }
    for (const traffic::Side side : {traffic::Side::Starboard, traffic::Side::Port}) {
        const auto& turn = side == traffic::Side::Starboard ? s.starboard : s.port;
        lines.push_back(alteration_text(turn, side, inside));
        if (turn && turn->alteration.steered_turn != 0.0) lines.push_back("   " + closest_text(turn->outcome, s.targets));
    }
    const traffic::SpeedAlternative& slow = s.speed_alternative;
    const std::string on = "Speed alternative on " + course_text(x.exercise.own.course) + ": ";
    if (slow.stopping_does_not_clear) {
        lines.push_back(on + "stopping does not clear");
    } else if (!slow.choice.present_clears && !slow.choice.found) {
        lines.push_back(on + "no tenth of a knot below the present speed clears");
    } else if (!slow.choice.present_clears) {
        lines.push_back(on + "reduce to " + tenths_text(slow.speed_kt) + " kt");
    } else {
        lines.push_back(on + "none needed");
    }
    return lines;
}

}  // namespace echo_track::sheets
