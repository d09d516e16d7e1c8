#pragma once
// The answer form of one exercise, a TOML file the student fills in: above
// the answers, what made the sheet (the generator's version, the seed, the
// options and the exercise's number) and a check of the exercise itself, so
// that the grader can make the same exercise again and know it is the same;
// then one key per figure asked, each "" to be filled in between the quotes.

#include <cstdint>
#include <string>
#include <vector>

#include "sheets/exercise_files.hpp"
#include "sheets/generator.hpp"

namespace echo_track::grading {

// How the name of every answer form begins, and the form of exercise 3:
// "answers-03.toml".
inline constexpr std::string_view kFormPrefix = "answers-";
std::string form_name(int number);

// The generator as the form names it: "echo-track-sheets 1.1.0".
std::string generator_text();

// A check of the exercise's values: the same exercise, the same check.
std::string exercise_check(const sheets::SheetExercise& x);

// What made the sheet, as the form carries it.
struct SheetOrigin {
    std::uint64_t seed = 1;
    int count = 8;
    std::vector<sheets::Kind> kinds;
};

// The form of exercise `number` (from 1) of the sheet.
std::string answer_form_text(const sheets::SheetExercise& x, const SheetOrigin& origin, int number);

// The forms of every exercise of the sheet.
std::vector<sheets::SheetFile> answer_forms(const std::vector<sheets::SheetExercise>& sheet, const SheetOrigin& origin);

}  // namespace echo_track::grading
