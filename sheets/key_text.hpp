#pragma once
// The key as the answer page prints it: every item's figure in the units the
// question asks for, a table of the questions asked per ship, and the lines
// of the questions asked of the exercise as a whole.

#include <optional>
#include <string>
#include <vector>

#include "sheets/answer_key.hpp"

namespace echo_track::sheets {

// The figure of an item as the key gives it: "253°", "1.5 nm", "12.0 kt",
// "19.2 min", "13:42", "red 30", "yes", "crossing-port".
std::string key_value_text(const KeyItem& item);

// How the student writes the figure in the answer form: "degrees", "hh:mm", ...
std::string form_hint(Measure measure);

// The table of the questions per ship: a heading row, then one row per ship;
// "-" where a figure is not defined.
std::vector<std::vector<std::string>> per_ship_key(const SheetExercise& x);

// The key of the questions about the whole exercise, one line each, with
// what makes an answer right where that is not the figure alone.
std::vector<std::string> exercise_key_lines(const SheetExercise& x);

// The plotting sheet's scale in words: "Range 12 nm, rings 2 nm apart: 1 nm =
// 7.2 mm. Plotting interval 6 min; vector time 18 min (own vector 18.6 mm)."
std::string scale_text(const SheetExercise& x);

}  // namespace echo_track::sheets
