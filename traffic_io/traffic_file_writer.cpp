#include "traffic_io/traffic_file_writer.hpp"

#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "traffic_io/rule_names.hpp"
#include "traffic_io/toml.hpp"
#include "traffic_io/traffic_text.hpp"

namespace echo_track::traffic_io {
namespace {

// Whole degrees as integers, as people type them; anything else as a
// floating-point number.
void put_number(toml::table& table, std::string_view key, double value) {
    if (std::nearbyint(value) == value && std::fabs(value) < 1e15) {
        table.insert(key, static_cast<std::int64_t>(value));
    } else {
        table.insert(key, value);
    }
}

toml::table course_and_speed(const traffic::CourseAndSpeed& c) {
    toml::table t;
    put_number(t, "course", c.course);
    t.insert("speed_kt", c.speed_kt);
    return t;
}

// A sighting with its bearing as it was given: true, or relative to the own heading.
toml::table sighting(const traffic::Sighting& s) {
    toml::table t;
    t.insert("time", clock_text(s.time));
    if (s.relative_bearing) {
        put_number(t, "relative_bearing", *s.relative_bearing);
    } else {
        put_number(t, "bearing", s.bearing);
    }
    t.insert("range_nm", s.range_nm);
    t.is_inline(true);
    return t;
}

// The text the TOML library writes for a table at the top of a file.
std::string formatted(const toml::table& table) {
    // Strings in double quotes, as in every example file.
    constexpr toml::format_flags kFlags = toml::toml_formatter::default_flags & ~toml::format_flags::allow_literal_strings;
    std::ostringstream text;
    text << toml::toml_formatter(table, kFlags);
    return text.str();
}

// A list of sightings, one to a line, each an inline table as the library
// writes it. The list is not left to the library: to lay out an array it
// counts the columns of each number by its log10, whose conversion to an
// unsigned count is undefined for a number below 0.1 (a range of 0.05 nm).
std::string sighting_list(const std::vector<traffic::Sighting>& sightings) {
    std::string text = "sightings = [\n";
    for (const traffic::Sighting& s : sightings) {
        const std::string line = formatted(toml::table{{"s", sighting(s)}});
        text += "  " + line.substr(line.find('{')) + ",\n";
    }
    return text + "]";
}

// One [[target]] table: two sightings as first and second (in either order,
// as they were read); more as the list in time order.
std::string target(const traffic::Target& t) {
    toml::table table{{"name", t.name}};
    if (t.kind != traffic::VesselKind::Power) table.insert("kind", kind_name(t.kind));
    if (t.sightings.size() == 2) {
        table.insert("first", sighting(t.sightings[0]));
        table.insert("second", sighting(t.sightings[1]));
        return "[[target]]\n" + formatted(table);
    }
    return "[[target]]\n" + formatted(table) + "\n" + sighting_list(t.sightings);
}

toml::table manoeuvre(const traffic::ManoeuvreTime& m) {
    toml::table t;
    if (m.at) {
        t.insert("time", clock_text(*m.at));
    } else if (m.at_range) {
        t.insert("when_range_nm", m.at_range->range_nm);
        t.insert("of", m.at_range->of);
    } else {
        t.insert("delay_min", m.delay_min);
    }
    return t;
}

std::string commented(std::string_view comment) {
    std::string text;
    while (!comment.empty()) {
        const std::size_t end = comment.find('\n');
        const std::string_view line = comment.substr(0, end);
        text += line.empty() ? "#\n" : "# " + std::string(line) + "\n";
        if (end == std::string_view::npos) break;
        comment.remove_prefix(end + 1);
    }
    return text.empty() ? text : text + "\n";
}

}  // namespace

std::string traffic_file_text(const traffic::TrafficExercise& e, std::string_view comment) {
    toml::table root;
    root.insert("required_cpa_nm", e.required_cpa_nm);
    if (e.plot_tolerance_nm != traffic::kPlotToleranceNm) root.insert("plot_tolerance_nm", e.plot_tolerance_nm);
    // The rules' settings, each where it differs from the default.
    const traffic::RuleSettings defaults;
    if (e.rules.visibility != defaults.visibility) root.insert("visibility", visibility_name(e.rules.visibility));
    if (e.rules.risk_horizon_min != defaults.risk_horizon_min) put_number(root, "risk_horizon_min", e.rules.risk_horizon_min);
    if (e.rules.least_alteration_deg != defaults.least_alteration_deg) put_number(root, "least_alteration_deg", e.rules.least_alteration_deg);
    if (e.rules.least_speed_fraction != defaults.least_speed_fraction) root.insert("least_speed_fraction", e.rules.least_speed_fraction);
    toml::table own = course_and_speed(e.own);
    if (e.rules.own_kind != traffic::VesselKind::Power) own.insert("kind", kind_name(e.rules.own_kind));
    root.insert("own_ship", own);
    root.insert("manoeuvre", manoeuvre(e.manoeuvre));
    if (e.trial) root.insert("trial", course_and_speed(*e.trial));
    std::string text = formatted(root);
    for (const traffic::Target& t : e.targets) text += "\n\n" + target(t);
    return commented(comment) + text + "\n";
}

}  // namespace echo_track::traffic_io
