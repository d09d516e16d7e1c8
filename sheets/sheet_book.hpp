#pragma once
// The whole sheet as the pages of one document: the worksheets first, one
// page per exercise, then for each exercise in the same order its key and
// the programs' figures.

#include <cstdint>
#include <string>
#include <vector>

#include "page/drawing.hpp"
#include "sheets/generator.hpp"

namespace echo_track::sheets {

std::vector<page::Drawing> sheet_pages(const std::vector<SheetExercise>& sheet, std::uint64_t seed);

// The title of the sheet's document.
std::string sheet_title(std::uint64_t seed);

}  // namespace echo_track::sheets
