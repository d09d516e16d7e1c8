#include "sheets/exercise_files.hpp"

#include "console/field_text.hpp"
#include "sheets/dialog_answers.hpp"
#include "traffic_io/traffic_file_writer.hpp"

namespace echo_track::sheets {

std::string exercise_stem(int number) { return std::string(kExerciseFilePrefix) + console::zero_padded(number, 2); }

std::string exercise_toml(const SheetExercise& x, int number) {
    const std::string heading = "Exercise " + console::whole_text(number) + " of an echo-track-sheets sheet: " +
                                std::string(kind_title(x.kind)) + ".\n\n  echo-track-traffic " + exercise_stem(number) +
                                ".toml -o " + exercise_stem(number) + ".pdf";
    return traffic_io::traffic_file_text(x.exercise, heading);
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
