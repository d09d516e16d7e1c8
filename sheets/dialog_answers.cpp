#include "sheets/dialog_answers.hpp"

#include <cmath>

#include "app/result.hpp"
#include "console/console.hpp"
#include "console/field_text.hpp"
#include "console/string_streams.hpp"
#include "page/labels.hpp"
#include "solver/plot_solution.hpp"
#include "traffic/range_trigger.hpp"
#include "traffic/vec2.hpp"
#include "traffic_io/traffic_text.hpp"

namespace echo_track::sheets {
namespace {

int hhmm(traffic::ClockTime time) { return time.minutes / 60 * 100 + time.minutes % 60; }

// A value as typed: whole numbers bare, others to one decimal.
std::string typed_text(double value) {
    const double whole = std::round(value);
    if (std::fabs(value - whole) < 1e-9) return console::whole_text(static_cast<int>(whole));
    return console::decimal_text(value, 1);
}

// A clock number as its four digits, as the dialog asks for it: "0634".
std::string clock_typed(double hhmm) {
    const std::string digits = console::whole_text(static_cast<int>(hhmm));
    return std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits;
}

// Lines the dialog reads after the report and its pause before the next
// exercise's CPA question: course, speed and the six observation values.
constexpr int kQuestionsBeforeCpa = 8;

// The minutes from the last sighting to the manoeuvre: the delay, or when
// the manoeuvre is made at a range, the time B takes to close to it.
double minutes_after_last(const traffic::TrafficExercise& exercise) {
    const auto& trigger = exercise.manoeuvre.at_range;
    if (!trigger) return exercise.manoeuvre.delay_min;
    const traffic::RangeTime when = traffic::range_time(exercise, *trigger);
    return when.reach == traffic::RangeReach::Reached ? when.after_latest_min : 0.0;
}

}  // namespace

echo_track::TypedExercise typed_exercise(const traffic::TrafficExercise& exercise) {
    // The dialog takes B seen twice: the first and the last sighting.
    const traffic::Sighting& first = exercise.targets.front().sightings.front();
    const traffic::Sighting& second = exercise.targets.front().sightings.back();
    echo_track::TypedExercise t;
    t.course = exercise.own.course;
    t.velocity = exercise.own.speed_kt;
    t.time1 = hhmm(first.time);
    t.bearing1 = first.bearing;
    t.distance1 = first.range_nm;
    t.time2 = hhmm(second.time);
    t.bearing2 = second.bearing;
    t.distance2 = second.range_nm;
    t.min_cpa = exercise.required_cpa_nm;
    // It takes whole minutes.
    t.delay = std::round(minutes_after_last(exercise));
    return t;
}

std::vector<TypedLine> typed_lines(const echo_track::TypedExercise& t) {
    return {
        {"course A", typed_text(t.course)},       {"velocity A", typed_text(t.velocity)},
        {"time B-1", clock_typed(t.time1)},        {"bearing B-1", typed_text(t.bearing1)},
        {"distance B1", typed_text(t.distance1)}, {"time B-2", clock_typed(t.time2)},
        {"bearing B-2", typed_text(t.bearing2)},  {"distance B2", typed_text(t.distance2)},
        {"minimal CPA", typed_text(t.min_cpa)},   {"manoeuvre after min", typed_text(t.delay)},
    };
}

std::string dialog_report(const echo_track::TypedExercise& typed) {
    console::StringSource in("");
    console::StringSink out;
    console::StringSink err;
    console::ThrowingEnder ender;
    console::Console con(in, out, err, ender);
    PlotRecord record = echo_track::exercise_record(typed);
    (void)result(con, record);  // the extra RETURN after "NO danger" is the session's business
    con.flush();
    return out.text;
}

std::optional<Outcome> dialog_outcome(const echo_track::TypedExercise& typed) {
    const PlotRecord record = echo_track::exercise_record(typed);
    const std::optional<Manoeuvre> manoeuvre = solve_manoeuvre(record, solve_plot(record));
    if (!manoeuvre) return std::nullopt;
    return manoeuvre->outcome;
}

namespace {

// Whether the dialog's row for `side` offers the solver's course for that side.
bool row_offers(const Manoeuvre& m, Side side, const std::optional<traffic::AlterationOutcome>& turn) {
    const TangentCourses& row = m.txt1 == side ? m.side1 : m.side2;
    if (!turn) return row.hits.ier != 0;
    if (row.hits.ier != 0) return false;
    const double steered = std::round(traffic::normalized_degrees(turn->alteration.steered_course));
    const auto same = [steered](double printed) { return std::fmod(printed, 360.0) == std::fmod(steered, 360.0); };
    return same(row.pqil1) || same(row.pqil2);
}

}  // namespace

std::optional<std::string> dialog_and_solver_note(const traffic::TrafficExercise& exercise,
                                                  const traffic::TrafficSolution& solution) {
    const PlotRecord record = echo_track::exercise_record(typed_exercise(exercise));
    const std::optional<Manoeuvre> m = solve_manoeuvre(record, solve_plot(record));
    if (!m || m->outcome != Outcome::Courses) return std::nullopt;
    if (row_offers(*m, Side::Starboard, solution.starboard) && row_offers(*m, Side::Port, solution.port)) return std::nullopt;
    return "Where they differ: the dialog's StB and BB rows are the own courses along each of the two tangents to the "
           "CPA circle (a row's side is the tangent's, not the turn's), and <Velocity-change !?> where the present speed "
           "reaches no tangent; the solver's are the least turns to each side that clear. The key is the solver's.";
}

std::vector<std::string> dialog_input_notes(const traffic::TrafficExercise& exercise) {
    std::vector<std::string> notes;
    const traffic::Target& b = exercise.targets.front();
    if (b.sightings.front().relative_bearing) {
        notes.push_back("echo-track takes true bearings: each bearing typed is the sheet's relative bearing plus the own "
                        "course " + traffic_io::course_text(exercise.own.course) + ".");
    }
    if (b.sightings.size() > 2) {
        notes.push_back("echo-track takes two sightings: the first (" + traffic_io::clock_text(b.sightings.front().time) +
                        ") and the last (" + traffic_io::clock_text(b.sightings.back().time) +
                        ") are typed as B-1 and B-2; the traffic solver and the key take all " +
                        console::whole_text(static_cast<int>(b.sightings.size())) + ".");
    }
    if (const auto& trigger = exercise.manoeuvre.at_range) {
        const double after = minutes_after_last(exercise);
        notes.push_back("echo-track takes the manoeuvre as whole minutes after B-2: B closes to " +
                        page::miles_text(trigger->range_nm) + " nm at " +
                        traffic_io::clock_text(traffic::moment_after(b.sightings.back().time, after)) + ", " +
                        console::decimal_text(after, 1) + " min after it, typed as " +
                        console::whole_text(static_cast<int>(std::lround(after))) +
                        "; the dialog's figures are for that whole minute, the key's for the moment itself.");
    }
    return notes;
}

std::string session_text(const echo_track::TypedExercise& typed) {
    std::string text;
    for (const TypedLine& line : typed_lines(typed)) text += line.typed + "\n";
    if (dialog_outcome(typed) == Outcome::NoDanger) text += "\n";  // the report waits once more
    text += "\n";                                                   // <Hit RETURN to continue...>
    for (int i = 0; i < kQuestionsBeforeCpa; ++i) text += "\n";
    text += "0\n";
    return text;
}

}  // namespace echo_track::sheets
