#include "web/traffic_bridge.hpp"

#include <optional>
#include <stdexcept>

#include "page/svg_writer.hpp"
#include "plot/traffic_board.hpp"
#include "traffic/traffic_solution.hpp"
#include "traffic_io/rule_names.hpp"
#include "traffic_io/traffic_file.hpp"
#include "traffic_io/traffic_report.hpp"
#include "traffic_io/traffic_text.hpp"
#include "web/json_writer.hpp"

namespace echo_track::web {
namespace {

// The file solved last, for the vector dragged on its board.
std::optional<traffic::TrafficExercise> g_exercise;
std::optional<traffic::TrafficSolution> g_solution;
std::string g_board;

void table(JsonWriter& json, const traffic_io::ReportTable& t) {
    json.begin_object().key("titles").value(t.titles).key("rows").value(t.rows).end_object();
}

void course_and_speed(JsonWriter& json, const traffic::CourseAndSpeed& c) {
    json.begin_object().key("course").value(c.course).key("speed_kt").value(c.speed_kt).end_object();
}

// The values of the file as read, for the form: every setting, the
// bearings as they were given (true or relative).
void exercise(JsonWriter& json, const traffic::TrafficExercise& e) {
    json.begin_object();
    json.key("required_cpa_nm").value(e.required_cpa_nm).key("plot_tolerance_nm").value(e.plot_tolerance_nm);
    json.key("visibility").value(traffic_io::visibility_name(e.rules.visibility));
    json.key("risk_horizon_min").value(e.rules.risk_horizon_min).key("least_alteration_deg").value(e.rules.least_alteration_deg);
    json.key("least_speed_fraction").value(e.rules.least_speed_fraction);
    json.key("own_kind").value(traffic_io::kind_name(e.rules.own_kind));
    json.key("own");
    course_and_speed(json, e.own);
    json.key("manoeuvre").begin_object();
    if (e.manoeuvre.at) json.key("time").value(traffic_io::clock_text(*e.manoeuvre.at));
    else if (e.manoeuvre.at_range) json.key("when_range_nm").value(e.manoeuvre.at_range->range_nm).key("of").value(e.manoeuvre.at_range->of);
    else json.key("delay_min").value(e.manoeuvre.delay_min);
    json.end_object();
    json.key("trial");
    if (e.trial) course_and_speed(json, *e.trial);
    else json.null();
    json.key("targets").begin_array();
    for (const traffic::Target& t : e.targets) {
        json.begin_object().key("name").value(t.name).key("kind").value(traffic_io::kind_name(t.kind)).key("sightings").begin_array();
        for (const traffic::Sighting& s : t.sightings) {
            json.begin_object().key("time").value(traffic_io::clock_text(s.time));
            if (s.relative_bearing) json.key("relative_bearing").value(*s.relative_bearing);
            else json.key("bearing").value(s.bearing);
            json.key("range_nm").value(s.range_nm).end_object();
        }
        json.end_array().end_object();
    }
    json.end_array().end_object();
}

}  // namespace

std::string traffic_answer(const std::string& toml, const std::string& source) {
    traffic::TrafficExercise e = traffic_io::parse_traffic_exercise(toml, source);
    traffic::TrafficSolution s = traffic::solve_traffic(e);
    const traffic_io::ReportParts parts = traffic_io::traffic_report_parts(e, s);
    JsonWriter json;
    json.begin_object().key("exercise");
    exercise(json, e);
    json.key("warnings").value(traffic_io::traffic_warnings(s));
    json.key("report").value(traffic_io::traffic_report(parts));
    json.key("heading").value(parts.heading).key("altering").value(parts.altering);
    json.key("sightings");
    table(json, parts.sightings);
    json.key("targets");
    table(json, parts.targets);
    json.key("manoeuvre").value(parts.manoeuvre).key("recommendation").value(parts.recommendation);
    json.key("trial");
    if (parts.trial_heading.empty()) {
        json.null();
    } else {
        json.begin_object().key("heading").value(parts.trial_heading).key("titles").value(parts.trial.titles);
        json.key("rows").value(parts.trial.rows).key("resume").value(parts.trial_resume).end_object();
    }
    g_board = page::svg_page(plot::layout_traffic_board(e, s));
    const plot::OwnVectorScale v = plot::own_vector_scale(e, s);
    json.key("own_vector").begin_object().key("x").value(v.centre.x).key("y").value(v.centre.y).key("length").value(v.length).end_object();
    json.end_object();
    g_exercise = std::move(e);
    g_solution = std::move(s);
    return json.text();
}

std::string board_answer() { return g_board; }

std::string vector_answer(double x, double y) {
    if (!g_exercise || !g_solution) throw std::logic_error("no traffic file is solved yet");
    const plot::BoardVector v = plot::manoeuvre_vector_at(*g_exercise, *g_solution, page::PagePoint{x, y});
    JsonWriter json;
    json.begin_object().key("course").value(v.course).key("speed_kt").value(v.speed_kt).end_object();
    return json.text();
}

}  // namespace echo_track::web
