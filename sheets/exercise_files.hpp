#pragma once
// The exercises of a sheet as files: each as a traffic exercise file for
// `echo-track-traffic FILE.toml`, and a one-ship exercise also as a session for
// `echo-track < FILE.session`.

#include <string>
#include <string_view>
#include <vector>

#include "sheets/generator.hpp"

namespace echo_track::sheets {

// The traffic file of the exercise, headed by a comment naming it.
std::string exercise_toml(const SheetExercise& x, int number);

// How the name of every file of a sheet begins.
inline constexpr std::string_view kExerciseFilePrefix = "exercise-";

// "exercise-03" for exercise 3: the name of its files without extension.
std::string exercise_stem(int number);

// A file of the sheet: its name within the folder and its bytes.
struct SheetFile {
    std::string name;
    std::string bytes;
};

// Every file of the sheet: exercise-NN.toml for each exercise, and
// exercise-NN.session for each one-ship exercise.
std::vector<SheetFile> exercise_files(const std::vector<SheetExercise>& sheet);

}  // namespace echo_track::sheets
