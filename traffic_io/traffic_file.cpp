#include "traffic_io/traffic_file.hpp"

#include <cmath>
#include <initializer_list>
#include <set>
#include <vector>

#include "console/field_text.hpp"
#include "console/safe_text.hpp"
#include "traffic/range_trigger.hpp"
#include "traffic/traffic_solution.hpp"
#include "traffic_io/file_text.hpp"
#include "traffic_io/rule_names.hpp"
#include "traffic_io/target_name.hpp"
#include "traffic_io/toml.hpp"
#include "traffic_io/toml_guard.hpp"
#include "traffic_io/traffic_text.hpp"

namespace echo_track::traffic_io {
namespace {

using traffic::ClockTime;
using traffic::CourseAndSpeed;
using traffic::Sighting;
using traffic::Target;
using traffic::TrafficExercise;

constexpr double kMaxSpeedKt = 99.0;
constexpr double kLeastRequiredCpaNm = 0.01;  // a required CPA must be more than this
constexpr double kMaxRangeNm = 999.0;
constexpr int kMaxDelayMin = 720;  // half a day: the clock is read the shorter way round
constexpr int kMaxSpanMin = 720;   // the sightings of one target, each after the one before, span less
constexpr double kLeastPlotToleranceNm = 0.01;
constexpr double kMaxPlotToleranceNm = 10.0;
constexpr double kMostAlterationDeg = 90.0;  // a course alone turns at most this far

// A figure beside a limit it must be told apart from: with the fewest
// decimals (one at least) that keep it on its side of the limit.
std::string apart_from(double value, double limit) {
    int decimals = 1;
    const auto shown = [&] { return std::round(value * std::pow(10.0, decimals)) / std::pow(10.0, decimals); };
    while (decimals < 15 && (value < limit) != (shown() < limit)) ++decimals;
    return console::decimal_text(value, decimals);
}

// A limit as the messages give it: "360", "0.01".
std::string limit_text(double limit) {
    return limit == std::floor(limit) ? console::whole_text(static_cast<int>(limit)) : given_text(limit);
}

// The readers of one file; every complaint names the file, line and column.
class FileReader {
public:
    explicit FileReader(std::string source) : source_(std::move(source)) {}

    [[noreturn]] void fail(const toml::source_region& where, const std::string& what) const {
        throw TrafficFileError(source_ + ":" + std::to_string(where.begin.line) + ":" + std::to_string(where.begin.column) + ": " + what);
    }

    void only_keys(const toml::table& table, const std::string& context, std::initializer_list<std::string_view> known) const {
        for (auto&& [key, node] : table) {
            bool found = false;
            std::string list;
            for (const std::string_view k : known) {
                found = found || key.str() == k;
                list += (list.empty() ? "" : ", ") + std::string(k);
            }
            if (!found) fail(key.source(), "unknown key '" + console::shown_safely(key.str()) + "' in " + context + "; expected " + list);
        }
    }

    const toml::node& required(const toml::table& table, std::string_view key, const std::string& context) const {
        const toml::node* node = table.get(key);
        if (node == nullptr) fail(table.source(), context + ": '" + std::string(key) + "' is missing");
        return *node;
    }

    const toml::table& table_at(const toml::node& node, const std::string& name) const {
        if (!node.is_table()) fail(node.source(), name + ": expected a table");
        return *node.as_table();
    }

    // A finite number from `low` to `high`, whole or with decimals.
    double number(const toml::node& node, const std::string& name, double low, double high, const char* unit) const {
        std::optional<double> value;
        if (node.is_integer()) value = static_cast<double>(node.as_integer()->get());
        if (node.is_floating_point()) value = node.as_floating_point()->get();
        const std::string range = std::string("a number of ") + unit + " from " + limit_text(low) + " to " + limit_text(high);
        if (!value) fail(node.source(), name + ": expected " + range);
        if (!std::isfinite(*value)) fail(node.source(), name + ": expected a finite number, not nan or inf");
        if (*value < low || *value > high) fail(node.source(), name + ": expected " + range);
        return *value;
    }

    double number_in(const toml::table& table, std::string_view key, const std::string& context, double low, double high,
                     const char* unit) const {
        return number(required(table, key, context), context + "." + std::string(key), low, high, unit);
    }

    // A clock time "hh:mm", 00:00 to 23:59.
    ClockTime clock(const toml::node& node, const std::string& name) const {
        const auto* text = node.as_string();
        const std::string s = text ? text->get() : std::string();
        const auto digit = [&](std::size_t i) { return s[i] >= '0' && s[i] <= '9'; };
        const bool shaped = s.size() == 5 && digit(0) && digit(1) && s[2] == ':' && digit(3) && digit(4);
        const int hour = shaped ? (s[0] - '0') * 10 + (s[1] - '0') : -1;
        const int minute = shaped ? (s[3] - '0') * 10 + (s[4] - '0') : -1;
        if (!shaped || hour > 23 || minute > 59) fail(node.source(), name + ": expected a clock time \"hh:mm\" from \"00:00\" to \"23:59\"");
        return ClockTime{hour * 60 + minute};
    }

    CourseAndSpeed course_and_speed(const toml::table& table, const std::string& context) const {
        only_keys(table, "[" + context + "]", {"course", "speed_kt"});
        return CourseAndSpeed{number_in(table, "course", context, 0.0, 360.0, "degrees"),
                              number_in(table, "speed_kt", context, 0.0, kMaxSpeedKt, "knots")};
    }

    // The own ship's course and speed, and her kind when it is not power-driven.
    CourseAndSpeed own_ship(const toml::table& table, traffic::RuleSettings& rules) const {
        only_keys(table, "[own_ship]", {"course", "speed_kt", "kind"});
        if (const toml::node* k = table.get("kind")) rules.own_kind = kind(*k, "own_ship.kind");
        return CourseAndSpeed{number_in(table, "course", "own_ship", 0.0, 360.0, "degrees"),
                              number_in(table, "speed_kt", "own_ship", 0.0, kMaxSpeedKt, "knots")};
    }

    traffic::VesselKind kind(const toml::node& node, const std::string& name) const {
        const auto* text = node.as_string();
        const std::optional<traffic::VesselKind> k = text ? kind_named(text->get()) : std::nullopt;
        if (!k) fail(node.source(), name + ": expected one of " + kind_list());
        return *k;
    }

    // What the rules are read with, at the top of the file.
    void rule_settings(const toml::table& root, traffic::RuleSettings& rules) const {
        if (const toml::node* v = root.get("visibility")) {
            const auto* text = v->as_string();
            const std::optional<traffic::Visibility> visibility = text ? visibility_named(text->get()) : std::nullopt;
            if (!visibility) fail(v->source(), "visibility: expected \"in_sight\" or \"restricted\"");
            rules.visibility = *visibility;
        }
        if (const toml::node* h = root.get("risk_horizon_min")) {
            rules.risk_horizon_min = number(*h, "risk_horizon_min", 0.0, kMaxDelayMin, "minutes");
        }
        if (const toml::node* a = root.get("least_alteration_deg")) {
            rules.least_alteration_deg = number(*a, "least_alteration_deg", 0.0, kMostAlterationDeg, "degrees");
        }
        if (const toml::node* f = root.get("least_speed_fraction")) {
            rules.least_speed_fraction = number(*f, "least_speed_fraction", 0.0, 1.0, "the present speed's share");
        }
    }

    // A sighting with its true bearing, or its bearing relative to the own
    // heading (the own course: the own ship does not alter between sightings).
    Sighting sighting(const toml::node& node, const std::string& context, double own_course) const {
        const toml::table& t = table_at(node, context);
        only_keys(t, context, {"time", "bearing", "relative_bearing", "range_nm"});
        Sighting s;
        s.time = clock(required(t, "time", context), context + ".time");
        const toml::node* relative = t.get("relative_bearing");
        if (relative != nullptr && t.get("bearing") != nullptr) {
            fail(relative->source(), context + ": give either bearing or relative_bearing, not both");
        }
        if (relative == nullptr && t.get("bearing") == nullptr) fail(t.source(), context + ": 'bearing' or 'relative_bearing' is missing");
        if (relative != nullptr) {
            const double r = number(*relative, context + ".relative_bearing", 0.0, 360.0, "degrees");
            if (r >= 360.0) fail(relative->source(), context + ".relative_bearing: expected a number of degrees from 0 to below 360");
            s.relative_bearing = r;
            s.bearing = traffic::normalized_degrees(own_course + r);
        } else {
            s.bearing = number_in(t, "bearing", context, 0.0, 360.0, "degrees");
        }
        s.range_nm = number_in(t, "range_nm", context, 0.0, kMaxRangeNm, "nautical miles");
        return s;
    }

    // Sightings listed in time order, each after the one before, spanning
    // less than half a day.
    std::vector<Sighting> sighting_list(const toml::node& node, const std::string& context, double own_course) const {
        const toml::array* list = node.as_array();
        if (list == nullptr) fail(node.source(), context + ": expected a list of sightings [ { time, bearing, range_nm }, ... ]");
        if (list->size() < 2) fail(node.source(), context + ": expected two sightings or more; one gives no motion");
        std::vector<Sighting> seen;
        int span = 0;
        for (std::size_t i = 0; i < list->size(); ++i) {
            const std::string name = context + "[" + std::to_string(i + 1) + "]";
            seen.push_back(sighting(*list->get(i), name, own_course));
            if (i == 0) continue;
            const int gap = traffic::minutes_between(seen[i - 1].time, seen[i].time);
            span += gap;
            const toml::node& time = *list->get(i)->as_table()->get("time");
            if (gap <= 0) {
                fail(time.source(), name + ".time: " + clock_text(seen[i].time) + " is not after " + clock_text(seen[i - 1].time) +
                                        "; list the sightings in time order");
            }
            if (span >= kMaxSpanMin) fail(time.source(), name + ".time: the sightings span 12 hours or more");
        }
        return seen;
    }

    Target target(const toml::table& t, std::size_t index, double own_course) const {
        const std::string context = "target " + std::to_string(index + 1);
        only_keys(t, "[[target]]", {"name", "kind", "first", "second", "sightings"});
        const toml::node& name = required(t, "name", context);
        if (!name.is_string() || name.as_string()->get().empty()) fail(name.source(), context + ".name: expected a name in quotes");
        if (const auto fault = name_fault(name.as_string()->get())) fail(name.source(), *fault);
        Target target;
        if (const toml::node* list = t.get("sightings")) {
            for (const char* pair : {"first", "second"}) {
                if (const toml::node* n = t.get(pair)) fail(n->source(), context + ": give either first and second, or sightings, not both");
            }
            target = Target{name.as_string()->get(), sighting_list(*list, context + ".sightings", own_course)};
        } else {
            target = Target{name.as_string()->get(), sighting(required(t, "first", context), context + ".first", own_course),
                            sighting(required(t, "second", context), context + ".second", own_course)};
        }
        if (const toml::node* k = t.get("kind")) target.kind = kind(*k, context + ".kind");
        return target;
    }

    traffic::ManoeuvreTime manoeuvre(const toml::table& t) const {
        only_keys(t, "[manoeuvre]", {"time", "delay_min", "when_range_nm", "of"});
        traffic::ManoeuvreTime m;
        const toml::node* time = t.get("time");
        const toml::node* delay = t.get("delay_min");
        const toml::node* range = t.get("when_range_nm");
        const toml::node* of = t.get("of");
        if ((time != nullptr) + (delay != nullptr) + (range != nullptr) > 1) {
            fail((range != nullptr ? range : delay)->source(), "manoeuvre: give one of time, delay_min and when_range_nm");
        }
        if (time != nullptr) m.at = clock(*time, "manoeuvre.time");
        if (delay != nullptr) {
            if (!delay->is_integer()) fail(delay->source(), "manoeuvre.delay_min: expected a whole number of minutes");
            const double minutes = number(*delay, "manoeuvre.delay_min", 0.0, kMaxDelayMin, "minutes");
            m.delay_min = static_cast<int>(minutes);
        }
        if (of != nullptr && range == nullptr) fail(of->source(), "manoeuvre.of: goes with when_range_nm, the range the target closes to");
        if (range != nullptr) {
            if (of == nullptr) fail(t.source(), "manoeuvre: 'of' is missing: the target whose range when_range_nm is");
            if (!of->is_string()) fail(of->source(), "manoeuvre.of: expected a target's name in quotes");
            m.at_range = traffic::RangeTrigger{of->as_string()->get(),
                                               number(*range, "manoeuvre.when_range_nm", kLeastRequiredCpaNm, kMaxRangeNm, "nautical miles")};
        }
        return m;
    }

    TrafficExercise exercise(const toml::table& root) const {
        only_keys(root, "the file", {"required_cpa_nm", "plot_tolerance_nm", "visibility", "risk_horizon_min", "least_alteration_deg",
                                     "least_speed_fraction", "own_ship", "manoeuvre", "trial", "target"});
        TrafficExercise e;
        const toml::node& cpa = required(root, "required_cpa_nm", "the file");
        e.required_cpa_nm = number(cpa, "required_cpa_nm", kLeastRequiredCpaNm, kMaxRangeNm, "nautical miles");
        if (e.required_cpa_nm <= kLeastRequiredCpaNm) {
            fail(cpa.source(), "required_cpa_nm: expected more than " + given_text(kLeastRequiredCpaNm) + " nautical miles");
        }
        if (const toml::node* tolerance = root.get("plot_tolerance_nm")) {
            e.plot_tolerance_nm = number(*tolerance, "plot_tolerance_nm", kLeastPlotToleranceNm, kMaxPlotToleranceNm, "nautical miles");
        }
        rule_settings(root, e.rules);
        e.own = own_ship(table_at(required(root, "own_ship", "the file"), "own_ship"), e.rules);
        if (const toml::node* m = root.get("manoeuvre")) e.manoeuvre = manoeuvre(table_at(*m, "manoeuvre"));
        if (const toml::node* trial = root.get("trial")) e.trial = course_and_speed(table_at(*trial, "trial"), "trial");
        const toml::node& targets = required(root, "target", "the file");
        const toml::array* list = targets.as_array();
        if (list == nullptr || list->empty() || !list->is_array_of_tables()) {
            fail(targets.source(), "target: expected one [[target]] table per target");
        }
        std::set<std::string> names;
        for (std::size_t i = 0; i < list->size(); ++i) {
            const toml::table& t = *list->get(i)->as_table();
            e.targets.push_back(target(t, i, e.own.course));
            if (!names.insert(e.targets.back().name).second) fail(t.get("name")->source(), "target " + std::to_string(i + 1) + ".name: '" + e.targets.back().name + "' names two targets");
        }
        if (const toml::node* m = root.get("manoeuvre")) {
            after_every_sighting(e, *m);
            range_reached(e, *m->as_table());
        }
        return e;
    }

    // A manoeuvre when a target closes to a range: the target is one of the
    // file's, solved, and closes to that range after the latest sighting.
    void range_reached(const TrafficExercise& e, const toml::table& manoeuvre) const {
        if (!e.manoeuvre.at_range) return;
        const traffic::RangeTrigger& trigger = *e.manoeuvre.at_range;
        const traffic::RangeTime r = traffic::range_time(e, trigger);
        const toml::node& of = *manoeuvre.get("of");
        const toml::node& range = *manoeuvre.get("when_range_nm");
        const std::string asked = given_text(trigger.range_nm) + " nm";
        const std::string latest = clock_text(traffic::latest_observation(e).value_or(traffic::ClockTime{}));
        switch (r.reach) {
            case traffic::RangeReach::Reached: return;
            case traffic::RangeReach::NoSuchTarget: fail(of.source(), "manoeuvre.of: '" + console::shown_safely(trigger.of) + "' names no target");
            case traffic::RangeReach::NotSolved:
                fail(of.source(), "manoeuvre.of: " + trigger.of + " was seen at one time only, so its range cannot be carried on");
            case traffic::RangeReach::AlreadyInside:
                fail(range.source(), "manoeuvre.when_range_nm: " + trigger.of + " is at " + apart_from(r.range_at_latest_nm, trigger.range_nm) +
                                         " nm at the latest sighting, " + latest + ", inside " + asked + " already; the manoeuvre comes after the plot");
            case traffic::RangeReach::NeverCloses:
                fail(range.source(), "manoeuvre.when_range_nm: " + trigger.of + " never closes to " + asked +
                                         " at the present courses and speeds; from " + latest + " on it comes no nearer than " +
                                         apart_from(r.least_range_nm, trigger.range_nm) + " nm");
            case traffic::RangeReach::TooLate:
                fail(range.source(), "manoeuvre.when_range_nm: " + trigger.of + " closes to " + asked + " only " +
                                         tenths_text(r.after_latest_min / 60.0) + " hours after the latest sighting, " + latest +
                                         "; a manoeuvre comes within 12 hours of it");
        }
    }

    // A manoeuvre at a clock time before the latest sighting would plot a
    // ship from where it had not yet been seen: not what the officer means.
    void after_every_sighting(const TrafficExercise& e, const toml::node& manoeuvre) const {
        const std::optional<ClockTime> latest = traffic::latest_observation(e);
        if (!e.manoeuvre.at || !latest || traffic::minutes_between(*latest, *e.manoeuvre.at) >= 0) return;
        const toml::node* time = manoeuvre.as_table()->get("time");
        fail(time->source(), "manoeuvre.time: " + clock_text(*e.manoeuvre.at) + " is before the latest sighting, " +
                                 clock_text(*latest) + "; the manoeuvre comes after the plot");
    }

private:
    std::string source_;
};

}  // namespace

TrafficExercise parse_traffic_exercise(std::string_view text, const std::string& source) {
    const FileReader reader(source);
    if (text.size() > kMostFileBytes) {
        throw TrafficFileError(source + ": more than " + std::to_string(kMostFileBytes) + " bytes: too large for a traffic exercise file");
    }
    if (const auto fault = first_guard_fault(text)) {
        throw TrafficFileError(source + ":" + std::to_string(fault->place.line) + ":" + std::to_string(fault->place.column) +
                               ": " + fault->what);
    }
    toml::table root;
    try {
        root = toml::parse(text, source);
    } catch (const toml::parse_error& e) {
        reader.fail(e.source(), std::string(e.description()));
    }
    return reader.exercise(root);
}

TrafficExercise read_traffic_file(const std::string& path) {
    // A byte past the limit is enough to refuse a file as too large.
    return parse_traffic_exercise(read_file_start(path, kMostFileBytes + 1), path);
}

}  // namespace echo_track::traffic_io
