#include "sheets/key_text.hpp"

#include <cmath>

#include "console/field_text.hpp"
#include "page/labels.hpp"
#include "sheets/plotting_scale.hpp"
#include "traffic_io/traffic_text.hpp"

namespace echo_track::sheets {
namespace {

using traffic_io::tenths_text;

std::string red_green_text(double signed_degrees) {
    const int whole = static_cast<int>(std::lround(std::fabs(signed_degrees)));
    if (whole == 0 || whole == 180) return console::whole_text(whole);
    return (signed_degrees < 0.0 ? "red " : "green ") + console::whole_text(whole);
}

// The item of the named kind for the ship, if it is asked.
std::optional<KeyItem> item_for(const std::vector<KeyItem>& items, const std::string& stem, const std::string& ship) {
    for (const KeyItem& item : items) {
        if (item.name == stem + "_" + ship) return item;
    }
    return std::nullopt;
}

constexpr const char* kPerShipStems[] = {"relative_course", "relative_speed", "cpa",  "cpa_bearing", "tcpa",    "cpa_time",
                                         "true_course",     "true_speed",     "aspect", "risk",      "encounter"};

std::string side_of_turn(double from, double to) {
    const double turn = traffic::signed_turn(from, to);
    return turn > 0.0 ? "starboard" : "port";
}

}  // namespace

std::string key_value_text(const KeyItem& item) {
    switch (item.measure) {
        case Measure::Bearing:
        case Measure::TrueCourse:
        case Measure::NewCourse: return traffic_io::course_text(item.value);
        case Measure::Distance: return tenths_text(item.value) + " nm";
        case Measure::Speed:
        case Measure::NewSpeed: return tenths_text(item.value) + " kt";
        case Measure::Minutes: return tenths_text(item.value) + " min";
        case Measure::Clock: return traffic_io::clock_text(traffic::nearest_minute(traffic::ClockMoment{item.value}));
        case Measure::RedGreen: return red_green_text(item.value);
        case Measure::YesNo:
        case Measure::Encounter: return item.word;
    }
    return "-";
}

std::string form_hint(Measure measure) {
    switch (measure) {
        case Measure::Bearing:
        case Measure::TrueCourse:
        case Measure::NewCourse: return "degrees true";
        case Measure::Distance: return "nm";
        case Measure::Speed:
        case Measure::NewSpeed: return "kt";
        case Measure::Minutes: return "minutes";
        case Measure::Clock: return "hh:mm";
        case Measure::RedGreen: return "red or green and degrees, as \"red 30\"";
        case Measure::YesNo: return "yes or no";
        case Measure::Encounter: return kEncounterWords;
    }
    return "";
}

std::vector<std::vector<std::string>> per_ship_key(const SheetExercise& x) {
    std::vector<std::vector<std::string>> rows = {{"Ship", "rel. crs", "rel. kt", "CPA", "CPA brg", "TCPA", "at", "true crs",
                                                    "true kt", "aspect", "risk", "encounter"}};
    const std::vector<KeyItem> items = key_items(x);
    for (const traffic::TargetSolution& t : x.solution.targets) {
        std::vector<std::string> row = {t.name};
        for (const char* stem : kPerShipStems) {
            const std::optional<KeyItem> item = item_for(items, stem, t.name);
            row.push_back(item ? key_value_text(*item) : "-");
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::string> exercise_key_lines(const SheetExercise& x) {
    std::vector<std::string> lines;
    const double present = x.exercise.own.course;
    for (const Question& q : questions_of(x)) {
        if (q.items.empty() || q.items.front().ship) continue;
        std::string line = console::whole_text(q.number) + ". ";
        for (const KeyItem& item : q.items) {
            switch (item.measure) {
                case Measure::NewCourse:
                    line += "new course " + key_value_text(item) + ", a turn to " + side_of_turn(present, item.value) +
                            " (any course that clears, to a side the rules allow, is right); ";
                    break;
                case Measure::NewSpeed: line += "new speed " + key_value_text(item) + " (or any that clears); "; break;
                case Measure::Clock:
                    line += (item.name == "manoeuvre_time" ? "manoeuvre at " : "resume at ") + key_value_text(item) + "; ";
                    break;
                case Measure::YesNo: line += "manoeuvre needed: " + key_value_text(item) + "; "; break;
                default: line += item.name + " " + key_value_text(item) + "; "; break;
            }
        }
        line.resize(line.size() - 2);
        lines.push_back(line + ".");
    }
    return lines;
}

std::string scale_text(const SheetExercise& x) {
    const PlotScale scale = plot_scale_for(x.exercise, x.solution);
    return "Range " + page::miles_text(scale.range_nm) + " nm, rings " + page::miles_text(scale.ring_nm) + " nm apart: 1 nm = " +
           console::decimal_text(scale.mm_per_nm(), 1) + " mm. Plotting interval " +
           console::whole_text(static_cast<int>(scale.interval_min)) + " min; vector time " +
           console::whole_text(static_cast<int>(scale.vector_min)) + " min (own vector " +
           console::decimal_text(own_vector_mm(scale, x.exercise.own.speed_kt), 1) + " mm).";
}

}  // namespace echo_track::sheets
