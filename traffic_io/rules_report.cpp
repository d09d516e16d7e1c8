#include "traffic_io/rules_report.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "console/field_text.hpp"
#include "traffic/steerable.hpp"
#include "traffic_io/rule_names.hpp"
#include "traffic_io/traffic_text.hpp"

namespace echo_track::traffic_io {
namespace {

using traffic::CourseAndSpeed;
using traffic::RecommendationKind;

// A kind in words: "power-driven", "not under command".
std::string kind_words(traffic::VesselKind kind) {
    if (kind == traffic::VesselKind::Power) return "power-driven";
    std::string words(kind_name(kind));
    std::replace(words.begin(), words.end(), '_', ' ');
    return words;
}

std::string kinds_text(const traffic::TrafficExercise& e) {
    std::string named;
    for (const traffic::Target& t : e.targets) {
        if (t.kind != traffic::VesselKind::Power) named += (named.empty() ? "" : ", ") + t.name + " " + kind_words(t.kind);
    }
    if (named.empty()) return "every target power-driven";
    const bool all = std::none_of(e.targets.begin(), e.targets.end(), [](const traffic::Target& t) { return t.kind == traffic::VesselKind::Power; });
    return named + (all ? "" : ", the others power-driven");
}

// "a turn of 35° to starboard to 253°".
std::string turn_words(const CourseAndSpeed& own, const CourseAndSpeed& to) {
    const double turn = traffic::signed_turn(own.course, to.course);
    return "turn " + console::whole_text(static_cast<int>(std::lround(std::fabs(turn)))) + "° to " +
           (turn > 0.0 ? "starboard" : "port") + " to " + course_text(to.course);
}

// What a manoeuvre does, in the words of the bridge.
std::string manoeuvre_words(const CourseAndSpeed& own, const CourseAndSpeed& to) {
    const bool turned = std::fabs(traffic::signed_turn(own.course, to.course)) > 1e-9;
    const bool slowed = to.speed_kt < own.speed_kt;
    if (turned && slowed) return turn_words(own, to) + " and reduce to " + tenths_text(to.speed_kt) + " kt";
    if (turned) return turn_words(own, to) + ", keeping " + tenths_text(own.speed_kt) + " kt";
    if (slowed && to.speed_kt == 0.0) return "keep course " + course_text(own.course) + " and stop";
    if (slowed) return "keep course " + course_text(own.course) + ", reduce to " + tenths_text(to.speed_kt) + " kt";
    return "keep course " + course_text(own.course) + " and " + tenths_text(own.speed_kt) + " kt";
}

// A setting as it was given, whole numbers without decimals: "30", "0.5".
std::string setting_text(double value) {
    return value == std::floor(value) && std::fabs(value) < 1e6 ? console::whole_text(static_cast<int>(value)) : given_text(value);
}

std::string following(const std::vector<int>& rules) { return rules.empty() ? "" : " (" + rules_text(rules) + ")"; }

}  // namespace

std::string rule_settings_text(const traffic::TrafficExercise& e) {
    const traffic::RuleSettings& r = e.rules;
    return std::string("Rules: ") + (r.visibility == traffic::Visibility::InSight ? "ships in sight" : "restricted visibility") +
           "; risk within " + setting_text(r.risk_horizon_min) + " min; Rule 8: a turn of " + setting_text(r.least_alteration_deg) +
           "° or more, or a speed of " + setting_text(r.least_speed_fraction) + " of the present or less; own ship " + kind_words(r.own_kind) +
           ", " + kinds_text(e) + "\n";
}

std::string recommendation_heading(const traffic::TrafficExercise& e, const traffic::TrafficSolution& s) {
    const traffic::Recommendation& r = s.recommendation;
    const std::string from = " from " + clock_text(s.manoeuvre_time);
    std::string text = "Recommended manoeuvre" + following(r.rules) + ": ";
    switch (r.kind) {
        case RecommendationKind::NoneNeeded: return text + "none needed, every solved target passes clear\n";
        case RecommendationKind::Watch: {
            std::string watched;
            for (std::size_t i = 0; i < s.rules.size(); ++i) {
                if (s.rules[i].watched) watched += (watched.empty() ? "" : ", ") + s.targets[i].name;
            }
            return text + "none now; watch " + watched + ": inside the required CPA only later than " +
                   setting_text(e.rules.risk_horizon_min) + " min\n";
        }
        case RecommendationKind::Course:
        case RecommendationKind::Speed:
        case RecommendationKind::CourseAndSpeed: return text + manoeuvre_words(e.own, r.own) + from + "\n";
        case RecommendationKind::StandOn:
            text += "stand on, " + manoeuvre_words(e.own, e.own) + "\n";
            if (!r.stand_on_action) return text + "Should the give-way ship not act in time (Rule 17(a)(ii)): no manoeuvre the rules allow clears\n";
            return text + "Should the give-way ship not act in time (Rule 17(a)(ii)): " + manoeuvre_words(e.own, *r.stand_on_action) + "\n";
        case RecommendationKind::NoManoeuvreClears:
            text += "none the rules allow clears every solved target" +
                    std::string(s.starboard || s.port ? " (an alteration above that clears turns where the rules ask the own ship not to, or crosses ahead of a ship to be passed astern)" : "") +
                    "; Rule 2 and the ordinary practice of seamanship apply. Closest of those allowed: " + manoeuvre_words(e.own, r.own) + from + "\n";
            if (r.reduce_to_steerage_way) {
                text += "Close quarters with a ship forward of the beam cannot be avoided: reduce to steerage way, and if need be take all way off (Rule 19(e))\n";
            }
            return text;
    }
    return text + "\n";
}

std::string recommendation_line(const traffic::TrafficExercise& e, const traffic::TrafficSolution& s) {
    std::string line = recommendation_heading(e, s);
    line = line.substr(0, line.find('\n'));
    line.replace(0, std::string("Recommended manoeuvre").size(), "Recommended");
    if (s.resume) line += s.resume->found ? "; resume " + resume_clock_text(*s.resume, s.manoeuvre_time) : "; no resume within 12 hours";
    return line;
}

std::string resume_clock_text(const traffic::ResumeTime& resume, traffic::ClockMoment manoeuvre) {
    const traffic::ClockMoment at = traffic::moment_after(manoeuvre, resume.after_min);
    const long seconds = std::lround(at.minutes * 60.0) % (traffic::kMinutesPerDay * 60L);
    char text[16];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

std::string resume_text(const CourseAndSpeed& original, const traffic::ResumeTime& resume, traffic::ClockMoment manoeuvre) {
    if (!resume.found) return "Resume: not within 12 hours of the manoeuvre\n";
    return "Resume course " + course_text(original.course) + " and " + tenths_text(original.speed_kt) + " kt at " +
           resume_clock_text(resume, manoeuvre) + ", " + tenths_text(resume.after_min) + " min after the manoeuvre\n";
}

}  // namespace echo_track::traffic_io
