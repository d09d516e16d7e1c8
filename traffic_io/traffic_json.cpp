#include "traffic_io/traffic_json.hpp"

#include <nlohmann/json.hpp>

#include "traffic/manoeuvre_map.hpp"
#include "traffic_io/rule_names.hpp"
#include "traffic_io/rules_report.hpp"
#include "traffic_io/traffic_text.hpp"

namespace echo_track::traffic_io {
namespace {

using json = nlohmann::ordered_json;
using traffic::CourseArc;
using traffic::Outcome;
using traffic::Passage;
using traffic::TargetSolution;

const char* sector_name(traffic::Sector a) {
    switch (a) {
        case traffic::Sector::ForwardOfBeam: return "forward_of_beam";
        case traffic::Sector::AbaftBeam: return "abaft_beam";
        case traffic::Sector::MoreThan22_5AbaftBeam: return "more_than_22_5_abaft_beam";
    }
    return "";
}

const char* side_name(traffic::AspectSide side) {
    switch (side) {
        case traffic::AspectSide::Red: return "red";
        case traffic::AspectSide::Green: return "green";
        case traffic::AspectSide::Ahead: return "ahead";
        case traffic::AspectSide::Astern: return "astern";
    }
    return "";
}

// The JSON's layout; the schema says what each version changed.
constexpr int kSchemaVersion = 5;

json or_null(bool defined, double value) { return defined ? json(value) : json(nullptr); }

// A course as the schema has it: 0 <= course < 360, so 360 is written as 0.
double compass(double course) { return traffic::normalized_degrees(course); }

json text_or_null(const std::string& text) { return text == "-" ? json(nullptr) : json(text); }

json passage_json(const std::string& name, const Passage& p, traffic::ClockMoment manoeuvre) {
    return {{"name", name},
            {"same_time", false},
            {"relative_course_deg", or_null(!p.keeps_station, p.relative_course)},
            {"relative_speed_kt", p.relative_speed_kt},
            {"keeps_station", p.keeps_station},
            {"least_range_nm", p.least_nm},
            {"least_range_bearing_deg", or_null(traffic::has_bearing(p.least_nm), p.least_bearing)},
            {"least_range_time_min", or_null(!p.keeps_station, p.least_min)},
            {"tca", text_or_null(tca_text(p, manoeuvre))},
            {"cpa_nm", p.cpa_nm},
            {"cpa_bearing_deg", or_null(traffic::has_bearing(p.cpa_nm), p.cpa_bearing)},
            {"tcpa_min", or_null(!p.keeps_station, p.tcpa_min)},
            {"track_tca", text_or_null(track_tca_text(p, manoeuvre))},
            {"at_own_ship", p.at_own_ship},
            {"inside", p.inside},
            {"opening", p.opening},
            {"clears", p.clears},
            {"danger", p.danger}};
}

json same_time_json(const TargetSolution& t) {
    return {{"name", t.name}, {"same_time", true}, {"latest_time", clock_text(t.latest)}};
}

json outcome_json(const std::vector<TargetSolution>& targets, const Outcome& o, traffic::ClockMoment manoeuvre) {
    json passages = json::array();
    for (std::size_t i = 0; i < targets.size(); ++i) {
        passages.push_back(targets[i].same_time ? same_time_json(targets[i]) : passage_json(targets[i].name, o.passages[i], manoeuvre));
    }
    return {{"course_deg", compass(o.own.course)}, {"speed_kt", o.own.speed_kt}, {"clears_all", o.clears_all}, {"passages", passages}};
}

// Every sighting as plotted, in time order, with its distance off the track
// through the sightings before it.
json sightings_json(const TargetSolution& t, double own_course) {
    json list = json::array();
    for (const traffic::PlottedSighting& p : t.plot) {
        const traffic::Sighting& s = p.sighting;
        list.push_back({{"time", clock_text(s.time)},
                        {"bearing_deg", compass(s.bearing)},
                        {"relative_bearing_deg", traffic::relative_bearing_of(s, own_course)},
                        {"range_nm", s.range_nm},
                        {"off_track_nm", p.off_track_nm ? json(*p.off_track_nm) : json(nullptr)},
                        {"tolerance_nm", p.tolerance_nm},
                        {"off", p.off},
                        {"on_track", p.on_track}});
    }
    return list;
}

json target_json(const TargetSolution& t, double own_course, traffic::ClockMoment manoeuvre) {
    if (t.same_time) return same_time_json(t);
    const bool placed = traffic::has_bearing(t.range_nm);
    json j = passage_json(t.name, t.present, manoeuvre);
    j["latest_time"] = clock_text(t.latest);
    j["latest_bearing_deg"] = compass(t.latest_sighting.bearing);
    j["latest_relative_bearing_deg"] = t.latest_relative_bearing;
    j["latest_range_nm"] = t.latest_sighting.range_nm;
    j["sightings"] = sightings_json(t, own_course);
    j["plot_consistent"] = t.plot_consistent;
    j["figures_from_latest_two"] = t.from_latest_two;
    j["interval_min"] = t.interval_min;
    j["true_course_deg"] = or_null(traffic::has_course(t.true_speed_kt), t.true_course);
    j["true_speed_kt"] = t.true_speed_kt;
    j["bearing_deg"] = or_null(placed, t.bearing);
    j["range_nm"] = t.range_nm;
    j["relative_bearing_deg"] = or_null(placed, t.relative_bearing);
    j["sector"] = placed ? json(sector_name(t.sector)) : json(nullptr);
    j["aspect_deg"] = t.aspect ? json(t.aspect->degrees) : json(nullptr);
    j["aspect_side"] = t.aspect ? json(side_name(t.aspect->side)) : json(nullptr);
    j["closing"] = t.closing;
    j["overtaking"] = t.overtaking;
    j["inside_required"] = t.inside_required;
    j["bow_crossing"] = t.bow_crossing.crosses
                            ? json{{"range_nm", t.bow_crossing.range_nm}, {"time_min", t.bow_crossing.time_min}}
                            : json(nullptr);
    return j;
}

// An arc's own fields, which the map's arcs carry more beside.
json arc_json(const CourseArc& a) { return {{"from_deg", a.from}, {"to_deg", a.to}, {"width_deg", a.width()}}; }

json arcs_json(const std::vector<CourseArc>& arcs) {
    json list = json::array();
    for (const CourseArc& a : arcs) list.push_back(arc_json(a));
    return list;
}

json alteration_json(const std::optional<traffic::AlterationOutcome>& a, const std::vector<TargetSolution>& targets,
                     traffic::ClockMoment manoeuvre) {
    if (!a) return nullptr;
    json j = outcome_json(targets, a->outcome, manoeuvre);
    j["exact_course_deg"] = a->alteration.exact_course;
    j["exact_turn_deg"] = a->alteration.exact_turn;
    j["steered_course_deg"] = a->alteration.steered_course;
    j["steered_turn_deg"] = a->alteration.steered_turn;
    j["steered_decimals"] = a->alteration.steered_decimals;
    j["narrow_arc"] = a->alteration.narrow_arc;
    return j;
}

json speed_json(const traffic::SpeedAlternative& v, const std::vector<TargetSolution>& targets, traffic::ClockMoment manoeuvre) {
    json j = {{"present_clears", v.choice.present_clears}, {"stopping_does_not_clear", v.stopping_does_not_clear}};
    const bool chosen = v.choice.present_clears || v.choice.found;
    if (chosen) j.update(outcome_json(targets, v.outcome, manoeuvre));
    j["speed_kt"] = or_null(chosen, v.speed_kt);
    j["every_lower_clears"] = v.choice.every_lower_clears;
    json spans = json::array();
    for (const traffic::Span& span : v.choice.clearing_speeds) spans.push_back({{"from_kt", span.from}, {"to_kt", span.to}});
    j["clearing_speeds"] = spans;
    return j;
}

json turn_or_null(traffic::TurnSide side) {
    const std::optional<std::string_view> name = turn_name(side);
    return name ? json(*name) : json(nullptr);
}

// One ship's reading under the rules.
json encounter_json(const traffic::ShipRules& r) {
    const traffic::Encounter& e = r.encounter;
    return {{"situation", situation_name(e.situation)},
            {"own_role", role_name(e.own_role)},
            {"rule", e.rule > 0 ? json("Rule " + std::to_string(e.rule)) : json(nullptr)},
            {"forbidden_turn", turn_or_null(e.forbidden_turn)},
            {"pass_astern", e.pass_astern},
            {"risk", r.risk},
            {"watched", r.watched}};
}

json rule_list(const std::vector<int>& rules) {
    json list = json::array();
    for (const int n : rules) list.push_back("Rule " + std::to_string(n));
    return list;
}

// The resume time of a manoeuvre, or null with the reason.
void put_resume(json& j, const std::optional<traffic::ResumeTime>& resume, traffic::ClockMoment manoeuvre) {
    const bool found = resume && resume->found;
    j["resume_time"] = found ? json(resume_clock_text(*resume, manoeuvre)) : json(nullptr);
    j["resume_after_min"] = found ? json(resume->after_min) : json(nullptr);
    j["resume_not_found_because"] = found ? json(nullptr)
                                    : resume ? json("not within 12 hours of the manoeuvre")
                                             : json("the own ship keeps her course and speed");
}

json recommendation_json(const traffic::TrafficSolution& s) {
    const traffic::Recommendation& r = s.recommendation;
    json j = {{"kind", recommendation_name(r.kind)},
              {"course_deg", compass(r.own.course)},
              {"speed_kt", r.own.speed_kt},
              {"turn_deg", r.turn_deg},
              {"rules", rule_list(r.rules)},
              {"reduce_to_steerage_way", r.reduce_to_steerage_way}};
    json outcome = outcome_json(s.targets, s.recommended, s.manoeuvre_time);
    j["clears_all"] = outcome["clears_all"];
    j["passages"] = outcome["passages"];
    j["stand_on_action"] = s.stand_on_action ? outcome_json(s.targets, *s.stand_on_action, s.manoeuvre_time) : json(nullptr);
    put_resume(j, s.resume, s.manoeuvre_time);
    return j;
}

const char* shape_name(traffic::ObstacleShape shape) {
    switch (shape) {
        case traffic::ObstacleShape::Nothing: return "nothing";
        case traffic::ObstacleShape::Cone: return "cone";
        case traffic::ObstacleShape::HalfPlane: return "half_plane";
        case traffic::ObstacleShape::Everything: return "everything";
    }
    return "";
}

// A ship's velocity obstacle: its apex (the ship's velocity) and, for a
// cone or half-plane, its axis and edges.
json obstacle_json(const traffic::VelocityObstacle& o) {
    const bool edged = o.shape == traffic::ObstacleShape::Cone || o.shape == traffic::ObstacleShape::HalfPlane;
    return {{"shape", shape_name(o.shape)},
            {"apex_north_kt", o.apex.north},
            {"apex_east_kt", o.apex.east},
            {"axis_deg", or_null(edged, o.axis)},
            {"half_angle_deg", or_null(edged, o.half_angle)},
            {"port_edge_deg", or_null(edged, o.port_edge)},
            {"starboard_edge_deg", or_null(edged, o.starboard_edge)}};
}

json ship_or_null(const std::vector<TargetSolution>& targets, std::ptrdiff_t ship) {
    return ship >= 0 ? json(targets[static_cast<std::size_t>(ship)].name) : json(nullptr);
}

json clearing_by_speed_json(const std::vector<TargetSolution>& targets, const std::vector<traffic::ArcsAtSpeed>& map) {
    json list = json::array();
    for (const traffic::ArcsAtSpeed& at : map) {
        json arcs = json::array();
        for (const traffic::BoundedArc& b : at.arcs) {
            json arc = arc_json(b.arc);
            arc["from_bounded_by"] = ship_or_null(targets, b.from_ship);
            arc["to_bounded_by"] = ship_or_null(targets, b.to_ship);
            arcs.push_back(arc);
        }
        list.push_back({{"speed_kt", at.speed_kt}, {"arcs", arcs}});
    }
    return list;
}

json allowed_by_speed_json(const std::vector<TargetSolution>& targets, const std::vector<traffic::AllowedAtSpeed>& map) {
    json list = json::array();
    for (const traffic::AllowedAtSpeed& at : map) {
        json excluded = json::array();
        for (const traffic::ExcludedArc& x : at.excluded) {
            json arc = arc_json(x.arc);
            arc["ship"] = targets[x.ship].name;
            arc["rule"] = "Rule " + std::to_string(x.rule);
            excluded.push_back(arc);
        }
        list.push_back({{"speed_kt", at.speed_kt}, {"arcs", arcs_json(at.allowed)}, {"excluded", excluded}});
    }
    return list;
}

json rule_settings_json(const traffic::RuleSettings& r) {
    return {{"visibility", visibility_name(r.visibility)},
            {"risk_horizon_min", r.risk_horizon_min},
            {"least_alteration_deg", r.least_alteration_deg},
            {"least_speed_fraction", r.least_speed_fraction}};
}

}  // namespace

std::string traffic_json(const traffic::TrafficExercise& e, const traffic::TrafficSolution& s) {
    const traffic::ClockMoment at = s.manoeuvre_time;
    const traffic::ManoeuvreMap map = traffic::manoeuvre_map(e, s);
    json targets = json::array();
    for (std::size_t i = 0; i < s.targets.size(); ++i) {
        json t = target_json(s.targets[i], e.own.course, at);
        if (!s.targets[i].same_time) t["velocity_obstacle"] = obstacle_json(map.obstacles[i]);
        t["kind"] = kind_name(e.targets[i].kind);
        t["encounter"] = i < s.rules.size() && !s.targets[i].same_time ? encounter_json(s.rules[i]) : json(nullptr);
        targets.push_back(t);
    }
    json trial = s.trial ? outcome_json(s.targets, *s.trial, at) : json(nullptr);
    if (s.trial) put_resume(trial, s.trial_resume, at);
    const auto& trigger = e.manoeuvre.at_range;
    const json report = {
        {"schema_version", kSchemaVersion},
        {"own_ship", {{"course_deg", compass(e.own.course)}, {"speed_kt", e.own.speed_kt}, {"kind", kind_name(e.rules.own_kind)}}},
        {"rules", rule_settings_json(e.rules)},
        {"required_cpa_nm", e.required_cpa_nm},
        {"plot_tolerance_nm", e.plot_tolerance_nm},
        {"manoeuvre_time", clock_text(s.manoeuvre_time)},
        {"latest_observation", clock_text(s.latest_observation)},
        {"manoeuvre_after_latest_min", s.manoeuvre_after_latest_min},
        {"manoeuvre_when", trigger ? json{{"of", trigger->of}, {"range_nm", trigger->range_nm}} : json(nullptr)},
        {"targets", targets},
        {"unsolved_targets", s.unsolved},
        {"warnings", traffic_warnings(s)},
        {"any_danger", s.any_danger},
        {"clearing_arcs", arcs_json(s.arcs.clear)},
        {"blocked_arcs", arcs_json(s.arcs.blocked)},
        {"clearing_arcs_by_speed", clearing_by_speed_json(s.targets, map.clearing)},
        {"allowed_arcs_by_speed", allowed_by_speed_json(s.targets, map.allowed)},
        {"starboard", alteration_json(s.starboard, s.targets, at)},
        {"port", alteration_json(s.port, s.targets, at)},
        {"speed_alternative", speed_json(s.speed_alternative, s.targets, at)},
        {"recommendation", recommendation_json(s)},
        {"trial", trial},
    };
    return report.dump(2) + "\n";
}

}  // namespace echo_track::traffic_io
