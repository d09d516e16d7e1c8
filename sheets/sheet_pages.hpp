#pragma once
// The two pages of one exercise: the worksheet handed out, and the answer
// page for the instructor.

#include <cstdint>

#include "page/drawing.hpp"
#include "sheets/generator.hpp"

namespace echo_track::sheets {

// Where an exercise stands on the sheet, for the page headings.
struct SheetPlace {
    int number = 1;  // 1-based
    int count = 1;
    std::uint64_t seed = 0;
};

// A printed plotting sheet, the exercise as a table, and the questions.
page::Drawing worksheet_page(const SheetExercise& x, const SheetPlace& place);

// The board with the solution, the traffic solver's figures, and for one
// ship the dialog's lines and report exactly as echo-track prints them.
page::Drawing answer_page(const SheetExercise& x, const SheetPlace& place);

}  // namespace echo_track::sheets
