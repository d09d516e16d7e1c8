#include "sheets/exercise_files.hpp"

#include "plot/labels.hpp"
#include "plot/traffic_text.hpp"
#include "sheets/dialog_answers.hpp"

namespace echo_track::sheets {
namespace {

std::string whole(double value) { return plot::whole_text(static_cast<int>(value)); }

std::string sighting_toml(const traffic::Sighting& s) {
    return "{ time = \"" + plot::clock_text(s.time) + "\", bearing = " + whole(s.bearing) +
           ", range_nm = " + plot::decimal_text(s.range_nm, 1) + " }";
}

}  // namespace

std::string exercise_stem(int number) { return std::string("exercise-") + (number < 10 ? "0" : "") + plot::whole_text(number); }

std::string exercise_toml(const SheetExercise& x, int number) {
    const traffic::TrafficExercise& e = x.exercise;
    std::string text = "# Exercise " + plot::whole_text(number) + " of an echo-track-sheets sheet: " +
                       std::string(kind_title(x.kind)) + ".\n#\n#   echo-track-plot " + exercise_stem(number) +
                       ".toml -o " + exercise_stem(number) + ".pdf\n\n";
    text += "required_cpa_nm = " + plot::decimal_text(e.required_cpa_nm, 1) + "\n\n";
    text += "[own_ship]\ncourse = " + whole(e.own.course) + "\nspeed_kt = " + plot::decimal_text(e.own.speed_kt, 1) + "\n\n";
    text += "[manoeuvre]\ndelay_min = " + plot::whole_text(e.manoeuvre.delay_min) + "\n";
    for (const traffic::Target& t : e.targets) {
        text += "\n[[target]]\nname = \"" + t.name + "\"\nfirst = " + sighting_toml(t.first) + "\nsecond = " +
                sighting_toml(t.second) + "\n";
    }
    return text;
}

std::vector<SheetFile> exercise_files(const std::vector<SheetExercise>& sheet) {
    std::vector<SheetFile> files;
    for (std::size_t i = 0; i < sheet.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        files.push_back({exercise_stem(number) + ".toml", exercise_toml(sheet[i], number)});
        if (single_ship(sheet[i].kind)) {
            files.push_back({exercise_stem(number) + ".session", session_text(typed_exercise(sheet[i].exercise))});
        }
    }
    return files;
}

}  // namespace echo_track::sheets
