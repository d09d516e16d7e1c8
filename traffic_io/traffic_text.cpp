#include "traffic_io/traffic_text.hpp"

#include <cmath>

#include "console/field_text.hpp"
#include "traffic/steerable.hpp"

namespace echo_track::traffic_io {

using console::decimal_text;
using console::whole_text;

std::string course_text(double degrees) {
    const int whole = static_cast<int>(std::floor(traffic::normalized_degrees(degrees) + 0.5)) % 360;
    return console::degrees_text(whole);
}

std::string tenths_text(double value) {
    const double shown = std::round(value * 10.0) / 10.0;
    return decimal_text(shown == 0.0 ? 0.0 : shown, 1);  // no "-0.0"
}

std::string given_text(double value) {
    // The fewest decimals (at least one) whose figure is the value itself.
    int decimals = 1;
    while (decimals < 15) {
        const double scale = std::pow(10.0, decimals);
        if (std::round(value * scale) / scale == value) break;
        ++decimals;
    }
    return decimal_text(value, decimals);
}

std::string course_decimals_text(double degrees, int decimals) {
    if (decimals == 0) return course_text(degrees);
    std::string text = decimal_text(degrees, decimals);
    const std::size_t whole = text.find('.');
    if (whole < 3) text.insert(0, 3 - whole, '0');
    return text + "°";
}

std::string least_range_text(const traffic::Passage& p, double required_cpa_nm) {
    const double tenth = std::round(p.least_nm * 10.0) / 10.0;
    const bool reads_below = !p.clears || p.inside;
    if (reads_below && tenth >= required_cpa_nm) return decimal_text(std::floor(p.least_nm * 100.0) / 100.0, 2);
    if (!reads_below && tenth < required_cpa_nm) {
        const std::string given = given_text(required_cpa_nm);
        const std::size_t point = given.find('.');
        const int decimals = point == std::string::npos ? 1 : static_cast<int>(given.size() - point - 1);
        return decimal_text(p.least_nm, std::max(decimals, 2));
    }
    return tenths_text(p.least_nm);
}

std::string least_bearing_text(const traffic::Passage& p) {
    return traffic::has_bearing(p.least_nm) ? course_text(p.least_bearing) : "-";
}

std::string least_time_text(const traffic::Passage& p) {
    if (p.keeps_station) return "-";
    return p.least_min > 0.0 ? tenths_text(p.least_min) : "now";
}

std::string verdict_text(const traffic::Passage& p) {
    if (p.at_own_ship) return "DANGER, at the own ship";
    if (!p.clears) return p.keeps_station ? "DANGER, keeps station inside" : "DANGER";
    if (p.keeps_station) return "keeps station";
    if (p.inside) return "inside, opening";
    return p.least_min > 0.0 ? "clear" : "opening";
}

std::string arc_text(const traffic::CourseArc& a, bool clearing) {
    const auto degrees = [](double d, int decimals) { return course_decimals_text(traffic::normalized_degrees(d), decimals); };
    const std::optional<traffic::Span> tenths = traffic::inward(a.from, a.to, 1, !clearing);
    if (tenths && tenths->from < tenths->to) return degrees(tenths->from, 1) + " to " + degrees(tenths->to, 1);
    for (int decimals = 1; decimals <= 6; ++decimals) {
        if (const auto inside = traffic::inward(a.from, a.to, decimals, !clearing)) return "a sliver at " + degrees(inside->from, decimals);
    }
    return "";
}

std::vector<std::string> traffic_warnings(const traffic::TrafficSolution& s) {
    std::vector<std::string> lines;
    if (const auto& r = s.range_not_reached) {
        lines.push_back(r->of + " does not close to " + given_text(r->range_nm) + " nm; the manoeuvre is taken at the latest sighting");
    }
    for (const traffic::TargetSolution& t : s.targets) {
        if (!t.same_time && t.implausible_speed) {
            lines.push_back(t.name + ": true speed " + whole_text(static_cast<int>(std::lround(t.true_speed_kt))) +
                            " kt; check the sightings");
        }
    }
    return lines;
}

std::string clock_text(traffic::ClockTime time) {
    return console::zero_padded(time.minutes / 60, 2) + ":" + console::zero_padded(time.minutes % 60, 2);
}

std::string clock_text(traffic::ClockMoment moment) {
    if (moment.whole()) return clock_text(traffic::nearest_minute(moment));
    const long seconds = std::lround(moment.minutes * 60.0) % (60L * traffic::kMinutesPerDay);
    const int minutes = static_cast<int>(seconds / 60);
    return clock_text(traffic::ClockTime{minutes}) + ":" + console::zero_padded(static_cast<int>(seconds % 60), 2);
}

traffic::ClockTime clock_after_manoeuvre(traffic::ClockMoment manoeuvre, double minutes) {
    return traffic::nearest_minute(traffic::moment_after(manoeuvre, minutes));
}

std::string tca_text(const traffic::Passage& p, traffic::ClockMoment manoeuvre) {
    return p.keeps_station ? "-" : clock_text(clock_after_manoeuvre(manoeuvre, p.least_min));
}

std::string track_tca_text(const traffic::Passage& p, traffic::ClockMoment manoeuvre) {
    return p.keeps_station ? "-" : clock_text(clock_after_manoeuvre(manoeuvre, p.tcpa_min));
}

std::string sector_text(const traffic::TargetSolution& target) {
    if (target.overtaking) return "overtaking";
    switch (target.sector) {
        case traffic::Sector::ForwardOfBeam: return "forward of the beam";
        case traffic::Sector::AbaftBeam: return "abaft the beam";
        case traffic::Sector::MoreThan22_5AbaftBeam: return "more than 22.5° abaft the beam";
    }
    return "";
}

std::string aspect_text(const traffic::TargetSolution& target) {
    if (!target.aspect) return "-";
    const std::string degrees = whole_text(static_cast<int>(std::lround(target.aspect->degrees)));
    switch (target.aspect->side) {
        case traffic::AspectSide::Red: return "red " + degrees;
        case traffic::AspectSide::Green: return "green " + degrees;
        case traffic::AspectSide::Ahead: return "ahead";
        case traffic::AspectSide::Astern: return "astern";
    }
    return "";
}

std::string off_track_text(const traffic::PlottedSighting& s) {
    if (!s.off_track_nm) return "-";
    // To the nearest hundredth, unless that would read on the other side of
    // the tolerance: then up for a sighting off the track, down for one on it.
    const double hundredths = *s.off_track_nm * 100.0;
    double shown = std::round(hundredths) / 100.0;
    if (s.off && shown <= s.tolerance_nm) shown = std::ceil(hundredths) / 100.0;
    if (!s.off && shown > s.tolerance_nm) shown = std::floor(hundredths) / 100.0;
    return decimal_text(shown, 2);
}

std::string bow_crossing_text(const traffic::BowCrossing& crossing) {
    if (!crossing.crosses) return "never";
    const std::string where = tenths_text(std::fabs(crossing.range_nm)) + (crossing.range_nm >= 0.0 ? " ahead" : " astern");
    if (crossing.time_min >= 0.0) return where + " in " + tenths_text(crossing.time_min) + " min";
    return where + " " + tenths_text(-crossing.time_min) + " min ago";
}

}  // namespace echo_track::traffic_io
