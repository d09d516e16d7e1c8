#include "traffic_io/traffic_json.hpp"

#include <nlohmann/json.hpp>

#include "traffic_io/traffic_text.hpp"

namespace echo_track::traffic_io {
namespace {

using json = nlohmann::ordered_json;
using traffic::CourseArc;
using traffic::Outcome;
using traffic::Passage;
using traffic::TargetSolution;

const char* aspect_name(traffic::Aspect a) {
    switch (a) {
        case traffic::Aspect::ForwardOfBeam: return "forward_of_beam";
        case traffic::Aspect::Abeam: return "abeam";
        case traffic::Aspect::AbaftBeam: return "abaft_beam";
    }
    return "";
}

// The JSON's layout; the schema says what each version changed.
constexpr int kSchemaVersion = 2;

json or_null(bool defined, double value) { return defined ? json(value) : json(nullptr); }

// A course as the schema has it: 0 <= course < 360, so 360 is written as 0.
double compass(double course) { return traffic::normalized_degrees(course); }

json passage_json(const std::string& name, const Passage& p) {
    return {{"name", name},
            {"same_time", false},
            {"relative_course_deg", or_null(!p.keeps_station, p.relative_course)},
            {"relative_speed_kt", p.relative_speed_kt},
            {"keeps_station", p.keeps_station},
            {"least_range_nm", p.least_nm},
            {"least_range_bearing_deg", or_null(traffic::has_bearing(p.least_nm), p.least_bearing)},
            {"least_range_time_min", or_null(!p.keeps_station, p.least_min)},
            {"cpa_nm", p.cpa_nm},
            {"cpa_bearing_deg", or_null(traffic::has_bearing(p.cpa_nm), p.cpa_bearing)},
            {"tcpa_min", or_null(!p.keeps_station, p.tcpa_min)},
            {"at_own_ship", p.at_own_ship},
            {"inside", p.inside},
            {"opening", p.opening},
            {"clears", p.clears},
            {"danger", p.danger}};
}

json same_time_json(const TargetSolution& t) {
    return {{"name", t.name}, {"same_time", true}, {"latest_time", clock_text(t.latest)}};
}

json outcome_json(const std::vector<TargetSolution>& targets, const Outcome& o) {
    json passages = json::array();
    for (std::size_t i = 0; i < targets.size(); ++i) {
        passages.push_back(targets[i].same_time ? same_time_json(targets[i]) : passage_json(targets[i].name, o.passages[i]));
    }
    return {{"course_deg", compass(o.own.course)}, {"speed_kt", o.own.speed_kt}, {"clears_all", o.clears_all}, {"passages", passages}};
}

json target_json(const TargetSolution& t) {
    if (t.same_time) return same_time_json(t);
    const bool placed = traffic::has_bearing(t.range_nm);
    json j = passage_json(t.name, t.present);
    j["latest_time"] = clock_text(t.latest);
    j["interval_min"] = t.interval_min;
    j["true_course_deg"] = or_null(traffic::has_course(t.true_speed_kt), t.true_course);
    j["true_speed_kt"] = t.true_speed_kt;
    j["bearing_deg"] = or_null(placed, t.bearing);
    j["range_nm"] = t.range_nm;
    j["relative_bearing_deg"] = or_null(placed, t.relative_bearing);
    j["aspect"] = placed ? json(aspect_name(t.aspect)) : json(nullptr);
    j["closing"] = t.closing;
    j["overtaking"] = t.overtaking;
    j["inside_required"] = t.inside_required;
    j["bow_crossing"] = t.bow_crossing.crosses
                            ? json{{"range_nm", t.bow_crossing.range_nm}, {"time_min", t.bow_crossing.time_min}}
                            : json(nullptr);
    return j;
}

json arcs_json(const std::vector<CourseArc>& arcs) {
    json list = json::array();
    for (const CourseArc& a : arcs) list.push_back({{"from_deg", a.from}, {"to_deg", a.to}, {"width_deg", a.width()}});
    return list;
}

json alteration_json(const std::optional<traffic::AlterationOutcome>& a, const std::vector<TargetSolution>& targets) {
    if (!a) return nullptr;
    json j = outcome_json(targets, a->outcome);
    j["exact_course_deg"] = a->alteration.exact_course;
    j["exact_turn_deg"] = a->alteration.exact_turn;
    j["steered_course_deg"] = a->alteration.steered_course;
    j["steered_turn_deg"] = a->alteration.steered_turn;
    j["steered_decimals"] = a->alteration.steered_decimals;
    j["narrow_arc"] = a->alteration.narrow_arc;
    return j;
}

json speed_json(const traffic::SpeedAlternative& v, const std::vector<TargetSolution>& targets) {
    json j = {{"present_clears", v.choice.present_clears}, {"stopping_does_not_clear", v.stopping_does_not_clear}};
    const bool chosen = v.choice.present_clears || v.choice.found;
    if (chosen) j.update(outcome_json(targets, v.outcome));
    j["speed_kt"] = or_null(chosen, v.speed_kt);
    j["every_lower_clears"] = v.choice.every_lower_clears;
    json spans = json::array();
    for (const traffic::Span& span : v.choice.clearing_speeds) spans.push_back({{"from_kt", span.from}, {"to_kt", span.to}});
    j["clearing_speeds"] = spans;
    return j;
}

}  // namespace

std::string traffic_json(const traffic::TrafficExercise& e, const traffic::TrafficSolution& s) {
    json targets = json::array();
    for (const TargetSolution& t : s.targets) targets.push_back(target_json(t));
    const json report = {
        {"schema_version", kSchemaVersion},
        {"own_ship", {{"course_deg", compass(e.own.course)}, {"speed_kt", e.own.speed_kt}}},
        {"required_cpa_nm", e.required_cpa_nm},
        {"manoeuvre_time", clock_text(s.manoeuvre_time)},
        {"targets", targets},
        {"unsolved_targets", s.unsolved},
        {"warnings", traffic_warnings(s)},
        {"any_danger", s.any_danger},
        {"clearing_arcs", arcs_json(s.arcs.clear)},
        {"blocked_arcs", arcs_json(s.arcs.blocked)},
        {"starboard", alteration_json(s.starboard, s.targets)},
        {"port", alteration_json(s.port, s.targets)},
        {"speed_alternative", speed_json(s.speed_alternative, s.targets)},
        {"trial", s.trial ? outcome_json(s.targets, *s.trial) : json(nullptr)},
    };
    return report.dump(2) + "\n";
}

}  // namespace echo_track::traffic_io
