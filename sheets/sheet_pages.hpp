#pragma once
// The pages of one exercise: the worksheet handed out; the key for the
// instructor, its board on the worksheet's rose at the same place and scale;
// and the figures of the programs that the key is checked against.

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

// The centre of the plotting rose on a sheet's page, the same on the
// worksheet and on the key.
page::PagePoint rose_centre(const page::Drawing& page);

// A printed plotting sheet at the exercise's scale, the exercise as a table,
// and the questions.
page::Drawing worksheet_page(const SheetExercise& x, const SheetPlace& place);

// The key: a table of the figures per ship, the answer board, and the key of
// the questions about the whole exercise.
page::Drawing answer_page(const SheetExercise& x, const SheetPlace& place);

// The traffic solver's figures, and for one ship the dialog's lines and
// report exactly as echo-track prints them, with a line where the two name
// different courses.
page::Drawing programs_page(const SheetExercise& x, const SheetPlace& place);

}  // namespace echo_track::sheets
