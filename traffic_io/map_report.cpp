#include "traffic_io/map_report.hpp"

#include "console/field_text.hpp"
#include "traffic_io/traffic_text.hpp"

namespace echo_track::traffic_io {
namespace {

using traffic::CourseArc;
using traffic::TargetSolution;

// The speed column: "14.0 kt", right-aligned to the widest.
std::string speed_cell(double speed_kt) {
    const std::string shown = tenths_text(speed_kt) + " kt";
    return std::string(shown.size() < 8 ? 8 - shown.size() : 0, ' ') + shown;
}

std::string name_of(const std::vector<TargetSolution>& targets, std::ptrdiff_t ship) {
    return ship >= 0 ? targets[static_cast<std::size_t>(ship)].name : "";
}

// "194.5° (Quarter) to 325.3° (Ferry)": each end with the ship bounding it.
std::string bounded_text(const std::vector<TargetSolution>& targets, const traffic::BoundedArc& b) {
    if (b.arc.width() >= 360.0) return "every course";
    std::string text = arc_text(b.arc, true);
    if (text.empty()) return text;
    const std::string from = name_of(targets, b.from_ship);
    const std::string to = name_of(targets, b.to_ship);
    const std::size_t middle = text.find(" to ");
    if (middle == std::string::npos) {  // a sliver: both ends at one course
        return text + (from.empty() ? "" : " (" + (from == to || to.empty() ? from : from + " and " + to) + ")");
    }
    return text.substr(0, middle) + (from.empty() ? "" : " (" + from + ")") + " to " + text.substr(middle + 4) +
           (to.empty() ? "" : " (" + to + ")");
}

std::string joined(const std::vector<std::string>& parts, const std::string& none) {
    std::string text;
    for (const std::string& p : parts) {
        if (!p.empty()) text += (text.empty() ? "" : ", ") + p;
    }
    return text.empty() ? none : text;
}

std::string allowed_text(const traffic::AllowedAtSpeed& at) {
    std::vector<std::string> parts;
    for (const CourseArc& a : at.allowed) {
        parts.push_back(a.width() >= 360.0 ? "every course"
                        : a.width() == 0.0 ? course_decimals_text(a.from, 1) + " alone"
                                           : arc_text(a, true));
    }
    return joined(parts, "none");
}

std::string excluded_text(const std::vector<TargetSolution>& targets, const traffic::AllowedAtSpeed& at) {
    std::vector<std::string> parts;
    for (const traffic::ExcludedArc& x : at.excluded) {
        const std::string arc = arc_text(x.arc, false);  // open: its ends may be allowed
        if (!arc.empty()) parts.push_back(arc + " for " + targets[x.ship].name + " (Rule " + console::whole_text(x.rule) + ")");
    }
    return joined(parts, "");
}

}  // namespace

std::string map_table_text(const traffic::TrafficSolution& s, const traffic::ManoeuvreMap& map, const std::string& coverage) {
    // A stopped own ship has one speed, printed once.
    const auto repeated = [](const auto& rows, std::size_t i) { return i > 0 && rows[i].speed_kt == rows[i - 1].speed_kt; };
    std::string text = "Courses that clear all, by speed, with the ship bounding each end" + coverage + ":\n";
    for (std::size_t i = 0; i < map.clearing.size(); ++i) {
        if (repeated(map.clearing, i)) continue;
        const traffic::ArcsAtSpeed& at = map.clearing[i];
        std::vector<std::string> arcs;
        for (const traffic::BoundedArc& b : at.arcs) arcs.push_back(bounded_text(s.targets, b));
        text += speed_cell(at.speed_kt) + "  " + joined(arcs, "no course") + "\n";
    }
    text += "Of those, the rules allow:\n";
    for (std::size_t i = 0; i < map.allowed.size(); ++i) {
        if (repeated(map.allowed, i)) continue;
        const traffic::AllowedAtSpeed& at = map.allowed[i];
        const std::string away = excluded_text(s.targets, at);
        text += speed_cell(at.speed_kt) + "  " + allowed_text(at) + (away.empty() ? "" : "; avoid " + away) + "\n";
    }
    return text;
}

}  // namespace echo_track::traffic_io
